#include <QAbstractItemModelTester>
#include <QAction>
#include <QBarSet>
#include <QChartView>
#include <QHeaderView>
#include <QLineSeries>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QValueAxis>

#include "core/draws/game_file.h"
#include "core/stats/slot_stats.h"
#include "ui/common/game_session.h"
#include "ui/shell/main_window.h"
#include "ui/stats/family_page.h"
#include "ui/stats/family_stats_model.h"
#include "ui/stats/stats_area.h"
#include "ui/stats/stats_charts.h"
#include "ui_test_support.h"

using namespace spinalyst;

namespace {
FamilyPage* Page(MainWindow& window, const char* tab) {
    auto* page = window.findChild<FamilyPage*>(tab);
    if (!page) qFatal("no page %s", tab);
    return page;
}
void ShowTab(MainWindow& window, StatsTab tab) {
    window.findChild<QTabWidget*>("pcStats")->setCurrentIndex(int(tab));
}
QString Cell(QTableView* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
}
QStringList Row(QTableView* grid, int row) {
    QStringList cells;
    for (int c = 0; c < 5; ++c) cells << Cell(grid, row, c);
    return cells;
}
int RowOf(QTableView* grid, const QString& label) {
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        if (Cell(grid, r, 0) == label) return r;
    return -1;
}
}  // namespace

class FamilyPagesTest final : public QObject {
    Q_OBJECT

private slots:
    void pleinsCountsEachPocket() {
        test::DataDir dir;
        MainWindow window(dir.paths());
        ShowTab(window, FamilyTab(StatFamily::Pleins));
        QTableView* grid = Page(window, "tsPleins")->grid();
        QAbstractItemModelTester tester(grid->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(grid->objectName(), QString("sgPleins"));
        for (Pocket p : {17, 17, 5, 17}) window.session().AddDraw(p);
        QCOMPARE(grid->model()->rowCount(), 37);
        QCOMPARE(Row(grid, RowOf(grid, "17")), (QStringList{"17", "3", "0", "2", "1"}));
        QCOMPARE(Row(grid, RowOf(grid, "5")), (QStringList{"5", "1", "1", "3", ""}));
        QCOMPARE(Row(grid, RowOf(grid, "0")), (QStringList{"0", "", "4", "", ""}));
        const StatsCharts& charts = Page(window, "tsPleins")->charts();
        QCOMPARE(charts.hitsSet()->count(), 37);
        QCOMPARE(charts.hitsSet()->at(17), 3.0);
        QCOMPARE(charts.hitsSet()->color(), QColor(0, 128, 0));
        QCOMPARE(charts.currentSet()->color(), QColor(255, 0, 0));
        QCOMPARE(charts.longestLine()->color(), QColor(0, 0, 255));
        QCOMPARE(charts.longestLine()->at(5).y(), 3.0);
        QCOMPARE(charts.hitsAxis()->min(), 0.0);
        QCOMPARE(charts.hitsAxis()->max(), 3.0);
    }

    void userSortSurvivesNewDraws() {
        test::DataDir dir;
        MainWindow window(dir.paths());
        ShowTab(window, FamilyTab(StatFamily::Pleins));
        QTableView* grid = Page(window, "tsPleins")->grid();
        QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          QPoint(grid->horizontalHeader()->sectionViewportPosition(1) + 10, 5));
        QCOMPARE(grid->horizontalHeader()->sortIndicatorSection(), 1);
        std::map<QString, int> hits;
        for (Pocket p : {3, 3, 3, 9, 9, 36, 0, 3, 9, 12}) {
            window.session().AddDraw(p);
            ++hits[QString::number(p)];
        }
        const Qt::SortOrder order = grid->horizontalHeader()->sortIndicatorOrder();
        int previous = order == Qt::AscendingOrder ? -1 : 1 << 30;
        for (int r = 0; r < grid->model()->rowCount(); ++r) {
            const int h = Cell(grid, r, 1).toInt();
            QVERIFY(order == Qt::AscendingOrder ? h >= previous : h <= previous);
            previous = h;
            QCOMPARE(h, hits[Cell(grid, r, 0)]);  // the figures belong to the row's pocket
        }
        QCOMPARE(Cell(grid, order == Qt::AscendingOrder ? 36 : 0, 0), QString("3"));
    }

    void evenChancesAndEmptyGames() {
        test::DataDir dir;
        dir.Write("spinalyst_EN.lang", "NUMERO\tTEXT\n105\tRed\n108\tOdd\n109\tLow\n");
        MainWindow window(dir.paths());
        ShowTab(window, FamilyTab(StatFamily::Simples));
        QTableView* grid = Page(window, "tsSimples")->grid();
        for (Pocket p : {1, 3}) window.session().AddDraw(p);
        QCOMPARE(Row(grid, 0), (QStringList{"Red", "2", "0", "1", "1"}));
        QCOMPARE(Row(grid, 1), (QStringList{"<!106!>", "", "2", "", ""}));
        QCOMPARE(Row(grid, 3), (QStringList{"Odd", "2", "0", "1", "1"}));
        // A new game shows every slot empty until its first draw.
        window.findChild<QAction*>("Nouveau1")->trigger();
        for (int r = 0; r < 6; ++r) QCOMPARE(Row(grid, r).mid(1), (QStringList{"", "0", "", ""}));
        window.session().AddDraw(0);
        window.session().AddDraw(0);
        for (int r = 0; r < 6; ++r) QCOMPARE(Row(grid, r).mid(1), (QStringList{"", "2", "", ""}));
    }

    void splitsAndCornersFollowTheKind() {
        test::DataDir dir;
        dir.Write("spinalyst.ini", "[Params]\nRoulette=0\n");
        MainWindow window(dir.paths());
        ShowTab(window, FamilyTab(StatFamily::Chevaux));
        QTableView* splits = Page(window, "tsChevaux")->grid();
        QTableView* corners = Page(window, "tsCarres")->grid();
        QCOMPARE(splits->model()->rowCount(), 60);
        QCOMPARE(Cell(splits, 0, 0), QString("0-00"));
        QCOMPARE(Cell(splits, 1, 0), QString("0-01"));
        QCOMPARE(Cell(splits, 2, 0), QString("00-03"));
        QCOMPARE(corners->model()->rowCount(), 22);
        window.findChild<QAction*>("NoZero1")->trigger();
        QCOMPARE(splits->model()->rowCount(), 57);
        window.findChild<QAction*>("Francaise1")->trigger();
        QCOMPARE(corners->model()->rowCount(), 23);
        QCOMPARE(Cell(corners, 0, 0), QString("00-01-02-03"));
    }

    void chartsFollowTheFiguresThroughJumpsOfTheGame() {
        test::DataDir dir;
        MainWindow window(dir.paths());
        ShowTab(window, FamilyTab(StatFamily::Pleins));
        GameSession& session = window.session();
        const StatsCharts& charts = Page(window, "tsPleins")->charts();
        // From a few draws to many and back: the scales and the bars must land on the figures
        // whatever they were before, a bar of 0 and a changed bar count included.
        struct Step {
            bool newGame;
            std::vector<Pocket> pockets;
            int repeat;
        };
        const Step steps[] = {
            {false, {17}, 1},  {false, {17, 4, 4, 33}, 25'000}, {false, {5}, 1},
            {true, {0, 0}, 1}, {false, {36, 1}, 3'000},         {true, {9}, 1},
        };
        for (const Step& step : steps) {
            if (step.newGame) window.findChild<QAction*>("Nouveau1")->trigger();
            std::vector<Pocket> batch;
            for (int k = 0; k < step.repeat; ++k)
                batch.insert(batch.end(), step.pockets.begin(), step.pockets.end());
            session.ImportDraws(batch);
            const auto stats = ComputeFamilyStats(StatFamily::Pleins, RouletteKind::French,
                                                  session.game().log().draws());
            const AxisScale hits = HitsAxisScale(stats);
            const AxisScale waits = WaitsAxisScale(stats);
            const QString where = QString("after %1 draws").arg(session.drawCount());
            QCOMPARE(charts.hitsSet()->count(), 37);
            for (int p = 0; p < 37; ++p) {
                QVERIFY2(charts.hitsSet()->at(p) == stats[std::size_t(p)].hits, qPrintable(where));
                QVERIFY2(charts.currentSet()->at(p) == stats[std::size_t(p)].sinceLast,
                         qPrintable(where));
            }
            QCOMPARE(charts.hitsAxis()->min(), double(hits.min));
            QCOMPARE(charts.hitsAxis()->max(), double(hits.max));
            QCOMPARE(charts.hitsAxis()->tickInterval(), double(hits.tickStep));
            QCOMPARE(charts.waitsAxis()->max(), double(waits.max));
            QCOMPARE(charts.waitsAxis()->tickInterval(), double(waits.tickStep));
        }
    }

    // A page counts only the draws a refresh brings when the draws before them are still
    // those it counted: after an undo, a new draw and a game read from a file, it shows the
    // figures of the game it shows.
    void figuresFollowTheGameThroughUndosAndReplacedGames() {
        test::DataDir dir;
        MainWindow window(dir.paths());
        ShowTab(window, FamilyTab(StatFamily::Pleins));
        GameSession& session = window.session();
        const FamilyStatsModel* model = Page(window, "tsPleins")->model();
        auto check = [&](const char* when) {
            const auto expected = ComputeFamilyStats(StatFamily::Pleins, session.kind(),
                                                     session.game().log().draws());
            for (int row = 0; row < model->rowCount(); ++row) {
                const SlotStats& s = expected[std::size_t(row)];
                const int figures[] = {s.hits, s.sinceLast, s.maxGap, s.repeats};
                for (int column = 1; column <= 4; ++column)
                    QVERIFY2(model->index(row, column).data(FamilyStatsModel::sortRole).toInt() ==
                                 figures[column - 1],
                             qPrintable(QString("%1, row %2").arg(when).arg(row)));
            }
        };
        for (Pocket p : {3, 3, 17, 0, 21}) session.AddDraw(p);
        check("five draws");
        session.UndoDraw();
        session.AddDraw(3);
        check("an undo and a new draw");
        GameFile file;
        file.kind = RouletteKind::French;
        for (Pocket p : {5, 5, 5, 5, 5, 5, 9}) file.log.Append(p, std::nullopt, 0);
        session.ReplaceGame(std::move(file));
        check("a game read from a file");
        session.AddDraw(9);
        check("a draw after it");
    }

    void hitsAxisSpansTheHitsAndChartsShareTheLowerPanel() {
        test::DataDir dir;
        MainWindow window(dir.paths());
        window.resize(1012, 900);
        window.show();
        ShowTab(window, FamilyTab(StatFamily::DzsCols));
        for (Pocket p : {1, 2, 13, 14, 15, 25}) window.session().AddDraw(p);
        const StatsCharts& charts = Page(window, "tsDzsCols")->charts();
        QCOMPARE(charts.hitsAxis()->min(), 1.0);
        QCOMPARE(charts.hitsAxis()->max(), 3.0);
        // Dozens come first on the chart, columns first in the grid.
        QCOMPARE(charts.hitsSet()->at(1), 3.0);
        QCOMPARE(Cell(Page(window, "tsDzsCols")->grid(), 0, 1), QString("3"));

        for (StatsTab tab : {FamilyTab(StatFamily::Pleins), FamilyTab(StatFamily::Carres),
                             FamilyTab(StatFamily::Chevaux)}) {
            ShowTab(window, tab);
            auto* page = window.findChild<QTabWidget*>("pcStats")->currentWidget();
            auto* lower = page->findChild<QSplitter*>("lowerPanel");
            QVERIFY(QTest::qWaitFor([&] { return lower->height() > 0; }));
            lower->resize(lower->width(), 401);
            const QList<int> sizes = lower->sizes();
            QVERIFY2(std::abs(sizes[0] - sizes[1]) <= 1,
                     qPrintable(QString("%1 %2").arg(sizes[0]).arg(sizes[1])));
        }
    }
};

QTEST_MAIN(FamilyPagesTest)
#include "family_pages_test.moc"
