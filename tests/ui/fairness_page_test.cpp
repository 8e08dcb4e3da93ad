#include <QAbstractItemModelTester>
#include <QBarSet>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QValueAxis>
#include <memory>

#include "core/draws/random_source.h"
#include "core/model/wheel.h"
#include "ui/common/game_session.h"
#include "ui/shell/main_window.h"
#include "ui/stats/fairness_chart.h"
#include "ui/stats/fairness_model.h"
#include "ui/stats/fairness_page.h"
#include "ui/stats/stats_tabs.h"
#include "ui_test_support.h"

using namespace spinalyst;

namespace {
enum class Spins { Fair, HotPocket, RepeatingCroupier };
}  // namespace
Q_DECLARE_METATYPE(Spins)

namespace {
std::unique_ptr<MainWindow> Open(const test::DataDir& dir, const char* language) {
    dir.Write("spinalyst.ini", QByteArray("[Params]\nLanguage=") + language + "\nRoulette=1\n");
    dir.CopyShippedLanguages();
    return std::make_unique<MainWindow>(dir.paths());
}
FairnessPage* Page(MainWindow& window) {
    auto* page = window.findChild<FairnessPage*>("tsEquite");
    if (!page) qFatal("no fairness page");
    return page;
}
void ShowTab(MainWindow& window, StatsTab tab) {
    window.findChild<QTabWidget*>("pcStats")->setCurrentIndex(int(tab));
}
// French draws from a seeded generator, added as one batch: fair, with pocket 17 instead of
// every 37th, or by a croupier who brings the last number back every fourth spin.
void AddGame(GameSession& session, int n, Spins spins) {
    if (spins == Spins::RepeatingCroupier) session.AddCroupier("Alice");
    RandomSource rng(12);
    {
        const GameSession::Batch batch(session);
        Pocket last = 0;
        for (int i = 0; i < n; ++i) {
            Pocket p = rng.Next(RouletteKind::French);
            if (spins == Spins::HotPocket && i % 37 == 0) p = 17;
            if (spins == Spins::RepeatingCroupier && i % 4 == 3) p = last;
            session.AddDraw(p);
            last = p;
        }
    }
}
QString Cell(QTableView* grid, int row, FairnessColumn column) {
    return grid->model()->index(row, int(column)).data().toString();
}
// The row of a test whose subject starts with the text given.
int RowOf(QTableView* grid, const QString& test, const QString& subject) {
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        if (Cell(grid, r, FairnessColumn::Test) == test &&
            Cell(grid, r, FairnessColumn::Subject).startsWith(subject))
            return r;
    return -1;
}
}  // namespace

class FairnessPageTest final : public QObject {
    Q_OBJECT

private slots:
    void theVerdictSaysWhatThePlayerShouldKnow_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<Spins>("spins");
        QTest::addColumn<QString>("headline");
        QTest::newRow("fair, English")
            << "EN" << Spins::Fair << "No evidence of bias over 2000 draws";
        QTest::newRow("fair, French")
            << "FR" << Spins::Fair << "Aucun signe de biais sur 2000 tirages";
        QTest::newRow("hot pocket, English")
            << "EN" << Spins::HotPocket
            << "Pocket 17 comes out more often than chance explains (adjusted p < 0,001)";
        QTest::newRow("hot pocket, French")
            << "FR" << Spins::HotPocket
            << "Le numéro 17 sort plus souvent que le hasard ne l'explique (p ajustée < 0,001)";
        QTest::newRow("repeating croupier, English")
            << "EN" << Spins::RepeatingCroupier
            << "Croupier Alice brings the last number back more often than chance explains "
               "(adjusted p < 0,001)";
    }
    void theVerdictSaysWhatThePlayerShouldKnow() {
        QFETCH(QString, language);
        QFETCH(Spins, spins);
        QFETCH(QString, headline);
        test::DataDir dir;
        const auto window = Open(dir, language.toLatin1().constData());
        FairnessPage* page = Page(*window);
        page->SetSimulations(300);
        QSignalSpy finished(page, &FairnessPage::sectorScanFinished);
        ShowTab(*window, StatsTab::Fairness);
        QCOMPARE(page->verdictLabel()->text(),
                 language == "EN" ? QString("No draw to test yet")
                                  : QString("Aucun tirage à tester pour l'instant"));
        AddGame(window->session(), 2000, spins);
        // The verdict stands once the sector scan has filled its rows too.
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(page->verdictLabel()->text(), headline);
        // The count of the tests in words, in the language of the texts.
        if (spins != Spins::Fair)
            QVERIFY(page->detailsLabel()->text().endsWith(
                language == "EN" ? "2000 draws tested, every test counted"
                                 : "2000 tirages testés, tous les tests comptés"));
        if (spins != Spins::HotPocket) return;
        // What the hot pocket explains is said to follow from it, right under the headline.
        const QString follows = page->detailsLabel()->text().section('\n', 0, 0);
        QVERIFY2(follows.startsWith(
                     language == "EN" ? "Following from it, within chance once its draws are "
                                        "set aside: the spread of all pockets"
                                      : "En découlent, et restent dans le hasard sans ses "
                                        "tirages\u00a0: la répartition de l'ensemble des numéros"),
                 qPrintable(follows));
        // 17's bar would flatten the others: it stops at the axis's end, marked with its value.
        FairnessChart* chart = page->findChild<FairnessChart*>();
        const auto& figures = page->report().pocketFigures;
        const double z17 = figures[17].z;
        QVERIFY(z17 > 6);
        QCOMPARE(chart->clippedMarks(),
                 QStringList{QString::number(z17, 'f', 1).replace('.', ',')});
        QVERIFY(chart->zAxis()->max() <= 8);
        const auto order = WheelOrder(RouletteKind::French);
        const auto at17 = std::find(order.begin(), order.end(), 17) - order.begin();
        QCOMPARE(chart->zSet()->at(int(at17)), 6.0);
    }

    void theTableAndTheChartShowEveryTestAndTheScanFillsTheSectors() {
        test::DataDir dir;
        const auto window = Open(dir, "EN");
        GameSession& session = window->session();
        // Alice spins 120 draws in a row: her croupier test runs on 119 pairs.
        AddGame(session, 2000, Spins::HotPocket);
        session.AddCroupier("Alice");
        RandomSource rng(5);
        for (int i = 0; i < 120; ++i) session.AddDraw(rng.Next(RouletteKind::French));

        FairnessPage* page = Page(*window);
        page->SetSimulations(400);
        QTableView* grid = page->grid();
        QAbstractItemModelTester tester(grid->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(grid->objectName(), QString("sgEquite"));
        QSignalSpy finished(page, &FairnessPage::sectorScanFinished);
        ShowTab(*window, StatsTab::Fairness);
        // Everything but the sector scan shows at once.
        QVERIFY(page->scanRunning());
        const int tests = 1 + 37 + 5 + arcLengthCount + 1 + 3 + 1;
        QCOMPARE(grid->model()->rowCount(), tests);
        const int pockets = RowOf(grid, "Pockets, χ²", "All pockets");
        QVERIFY(pockets >= 0);
        QCOMPARE(Cell(grid, pockets, FairnessColumn::Df), QString("36"));
        QVERIFY(Cell(grid, pockets, FairnessColumn::Statistic).contains(','));
        const int seventeen = RowOf(grid, "Pocket, z", "17");
        QCOMPARE(Cell(grid, seventeen, FairnessColumn::AdjustedP), QString("< 0,001"));
        const int alice = RowOf(grid, "Croupier, distances χ²", "Alice");
        QVERIFY(alice >= 0);
        const int arc = RowOf(grid, "Hot sector", "3 pockets, ");
        QCOMPARE(Cell(grid, arc, FairnessColumn::P), QString("…"));

        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), 2120);
        QVERIFY(!page->scanRunning());
        QCOMPARE(grid->model()->rowCount(), tests + 1);
        QVERIFY(RowOf(grid, "Hot sector, any length", "") >= 0);
        for (int r = 0; r < grid->model()->rowCount(); ++r) {
            QVERIFY(Cell(grid, r, FairnessColumn::P) != "…");
            if (Cell(grid, r, FairnessColumn::Test).startsWith("Hot sector"))
                QVERIFY(Cell(grid, r, FairnessColumn::P).contains(" ± ") ||
                        Cell(grid, r, FairnessColumn::P).startsWith("< "));
        }

        // A click on a header sorts by the figures, not by their text.
        QHeaderView* header = grid->horizontalHeader();
        const int column = int(FairnessColumn::Statistic);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, 5));
        for (int r = 1; r < grid->model()->rowCount(); ++r)
            QVERIFY(grid->model()->index(r - 1, column).data(FairnessModel::sortRole).toDouble() <=
                    grid->model()->index(r, column).data(FairnessModel::sortRole).toDouble());

        // Pocket 17 is far above the thresholds, which are drawn across the chart.
        FairnessChart* chart = page->chart();
        QCOMPARE(chart->objectName(), QString("chEquite"));
        QCOMPARE(chart->categories().size(), 37);
        QCOMPARE(chart->categories().at(1), QString("32"));
        const int at17 = wheelPosition(RouletteKind::French, 17);
        QVERIFY(chart->zSet()->at(at17) > 4);
        QCOMPARE(chart->usualLine()->at(0).y(), 2.0);
        QVERIFY(qAbs(chart->holmLine()->at(0).y() - 3.205) < 0.001);
        QVERIFY(chart->zAxis()->max() >= chart->zSet()->at(at17));
    }

    void aNewDrawCancelsTheScanAndStartsItAgain() {
        test::DataDir dir;
        const auto window = Open(dir, "EN");
        FairnessPage* page = Page(*window);
        page->SetSimulations(1000);
        AddGame(window->session(), 3000, Spins::Fair);
        QSignalSpy finished(page, &FairnessPage::sectorScanFinished);
        ShowTab(*window, StatsTab::Fairness);
        QVERIFY(page->scanRunning());
        QVERIFY(page->progressBar()->isVisibleTo(page));
        window->session().AddDraw(5);
        QVERIFY(page->scanRunning());
        QTRY_VERIFY_WITH_TIMEOUT(!page->scanRunning(), 30000);
        // Only the scan of the new length finished, and its figures are in the table.
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), 3001);
        QVERIFY(page->report().bestSector);
        QVERIFY(!page->progressBar()->isVisibleTo(page));

        // Another tab takes its place: nothing runs for a page out of sight, and the figures
        // of the same draws come back without a new scan.
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->session().AddDraw(6);
        QVERIFY(page->scanRunning());
        ShowTab(*window, StatsTab::Tableau);
        QVERIFY(!page->scanRunning());
        ShowTab(*window, StatsTab::Fairness);
        QVERIFY(page->scanRunning());
        QTRY_VERIFY_WITH_TIMEOUT(!page->scanRunning(), 30000);
        QCOMPARE(finished.count(), 2);
        ShowTab(*window, StatsTab::Tableau);
        ShowTab(*window, StatsTab::Fairness);
        QVERIFY(!page->scanRunning());
        QVERIFY(page->report().bestSector);
    }

    void closingTheWindowMidScanStopsTheWorker() {
        test::DataDir dir;
        auto window = Open(dir, "EN");
        FairnessPage* page = Page(*window);
        // Far more than could finish before the window goes.
        page->SetSimulations(200'000);
        AddGame(window->session(), 5000, Spins::Fair);
        ShowTab(*window, StatsTab::Fairness);
        QVERIFY(page->scanRunning());
        QTest::qWait(50);
        window.reset();
        // The worker's last report to the page, had it been queued, must not reach it.
        QCoreApplication::processEvents();
    }
};

QTEST_MAIN(FairnessPageTest)
#include "fairness_page_test.moc"
