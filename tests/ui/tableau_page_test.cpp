#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QSet>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <limits>
#include <vector>

#include "core/draws/random_source.h"
#include "ui/common/game_session.h"
#include "ui/shell/main_window.h"
#include "ui/stats/stats_tabs.h"
#include "ui/stats/tableau_model.h"
#include "ui/stats/tableau_page.h"
#include "ui_test_support.h"

using namespace spinalyst;

namespace {
QByteArray KindSetting(RouletteKind kind) {
    return QByteArray("[Params]\nRoulette=") +
           QByteArray::number(kind == RouletteKind::American ? 0
                              : kind == RouletteKind::French ? 1
                                                             : 2) +
           "\n";
}
TableauPage* Page(MainWindow& window) {
    auto* page = window.findChild<TableauPage*>("tsTableau");
    if (!page) qFatal("no tableau page");
    return page;
}
void ShowTab(MainWindow& window, StatsTab tab) {
    window.findChild<QTabWidget*>("pcStats")->setCurrentIndex(int(tab));
}
QTableView* ShowTableau(MainWindow& window) {
    ShowTab(window, StatsTab::Tableau);
    return window.findChild<QTableView*>("sgTableau");
}
QString Cell(QTableView* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
}
QStringList Row(QTableView* grid, int row) {
    QStringList cells;
    for (int c = 0; c < tableauColumnCount; ++c) cells << Cell(grid, row, c);
    return cells;
}
// Rows are found by their number: the grid is sorted.
QStringList RowOf(QTableView* grid, int number) {
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        if (Cell(grid, r, 0) == QString::number(number)) return Row(grid, r);
    return {};
}
QStringList Headers(QTableView* grid) {
    QStringList headers;
    for (int c = 0; c < tableauColumnCount; ++c)
        headers << grid->model()->headerData(c, Qt::Horizontal).toString();
    return headers;
}
void ClickHeader(QTableView* grid, int column) {
    QHeaderView* header = grid->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, 5));
}
// The rows follow the header's sort column and direction, an empty cell counting above every
// figure, and the cells of each row belong to its number.
void VerifySortedBy(QTableView* grid, int column) {
    const QHeaderView* header = grid->horizontalHeader();
    QCOMPARE(header->sortIndicatorSection(), column);
    const bool ascending = header->sortIndicatorOrder() == Qt::AscendingOrder;
    auto value = [&](int r) {
        const QString text = Cell(grid, r, column);
        return text.isEmpty() ? std::numeric_limits<double>::infinity()
                              : QString(text).replace(',', '.').toDouble();
    };
    for (int r = 1; r < grid->model()->rowCount(); ++r)
        QVERIFY2(ascending ? value(r - 1) <= value(r) : value(r - 1) >= value(r),
                 qPrintable(QString("rows %1 and %2").arg(r - 1).arg(r)));
}
}  // namespace

class TableauPageTest final : public QObject {
    Q_OBJECT

private slots:
    void rowsScoreTheAnalysedDraws() {
        struct Case {
            const char* name;
            RouletteKind kind;
            std::vector<Pocket> draws;
            int number;
            QStringList row;
        } cases[] = {
            {"one 17",
             RouletteKind::French,
             {17},
             17,
             {"17", "2", "2", "2", "3", "3", "6", "4", "12", "7", "36", "77", "0", "18", "0,00"}},
            {"one 1, row 1",
             RouletteKind::French,
             {1},
             1,
             {"1", "2", "2", "2", "3", "3", "6", "9", "12", "12", "36", "87", "0", "18", "0,00"}},
            {"one 1, row 2 shares a corner",
             RouletteKind::French,
             {1},
             2,
             {"2", "0", "0", "2", "3", "0", "6", "6", "12", "9", "0", "38", "", "1", ""}},
            {"one 1, row 3 shares none",
             RouletteKind::French,
             {1},
             3,
             {"3", "2", "2", "2", "3", "0", "6", "0", "12", "0", "0", "27", "", "6", ""}},
            {"splits scaled once",
             RouletteKind::French,
             {2, 4, 5, 6, 8},
             5,
             {"5", "2", "2", "10", "15", "9", "24", "20", "36", "36", "36", "190", "2", "50",
              "0,833"}},
            {"0 and 00 add only to the gap and the neighbours",
             RouletteKind::American,
             {17, 0, 37},
             17,
             {"17", "2", "2", "2", "3", "3", "6", "4", "12", "7", "36", "77", "2", "35", "1,79"}},
            {"eighteen opposite draws",
             RouletteKind::American,
             {17, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18},
             17,
             {"17", "2", "2", "38", "57", "3", "114", "76", "228", "136", "36", "692", "18", "0",
              "999"}},
        };
        for (const Case& c : cases) {
            test::DataDir dir;
            dir.Write("spinalyst.ini", KindSetting(c.kind));
            MainWindow window(dir.paths());
            QTableView* grid = ShowTableau(window);
            for (Pocket p : c.draws) window.session().AddDraw(p);
            QVERIFY2(RowOf(grid, c.number) == c.row,
                     qPrintable(QString("%1: %2").arg(c.name, RowOf(grid, c.number).join(' '))));
        }
    }

    void anEmptyWindowScoresNothing() {
        test::DataDir dir;
        MainWindow window(dir.paths());
        QTableView* grid = ShowTableau(window);
        // Only draws after a given outcome: the first draw of a game never qualifies.
        QTest::mouseClick(window.findChild<QCheckBox*>("cbNext1"), Qt::LeftButton);
        window.session().AddDraw(17);
        for (int r = 0; r < tableauRowCount; ++r) {
            const QStringList row = Row(grid, r);
            QCOMPARE(row.mid(1), (QStringList{"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0",
                                              "", "0", ""}));
        }
    }

    void headersComeFromTheLanguage() {
        struct Case {
            const char* language;
            QStringList headers;
        } cases[] = {
            {"EN",
             {"#", "R-B", "E-O", "L-H", "Doz.", "Col.", "Six-line", "Corner", "Street", "Split",
              "Straight", "Total", "Gap", "Neighbours", "Ratio"}},
            {"FR",
             {"#", "R-N", "P-I", "M-P", "Douz.", "Col.", "Sizain", "Carré", "Transv.", "Cheval",
              "Plein", "Total", "Ecart", "Voisins", "Ratio"}},
        };
        for (const Case& c : cases) {
            test::DataDir dir;
            dir.Write("spinalyst.ini", QByteArray("[Params]\nLanguage=") + c.language + "\n");
            dir.CopyShippedLanguages();
            MainWindow window(dir.paths());
            QCOMPARE(Headers(ShowTableau(window)), c.headers);
        }
    }

    void theUsersSortSurvivesNewDraws() {
        test::DataDir dir;
        MainWindow window(dir.paths());
        QTableView* grid = ShowTableau(window);
        QVERIFY(grid->horizontalHeader()->isSortIndicatorShown());
        for (Pocket p : {3, 3, 9, 36, 0, 12, 21}) window.session().AddDraw(p);
        // First by the gap, numbers that did not come out last.
        VerifySortedBy(grid, int(TableauColumn::Gap));
        QCOMPARE(Cell(grid, 0, 0), QString("21"));
        QCOMPARE(Cell(grid, 35, int(TableauColumn::Gap)), QString());

        const int total = int(TableauColumn::Total);
        ClickHeader(grid, total);
        ClickHeader(grid, total);
        const Qt::SortOrder order = grid->horizontalHeader()->sortIndicatorOrder();
        const int topRow = order == Qt::DescendingOrder ? 0 : tableauRowCount - 1;
        VerifySortedBy(grid, total);
        QCOMPARE(Cell(grid, topRow, 0), QString("3"));
        // Three draws of 30 take it past 3.
        for (int i = 0; i < 3; ++i) window.session().AddDraw(30);
        VerifySortedBy(grid, total);
        QCOMPARE(grid->horizontalHeader()->sortIndicatorOrder(), order);
        QCOMPARE(Cell(grid, topRow, 0), QString("30"));
        QCOMPARE(RowOf(grid, 30)[total], QString("284"));
    }

    void aMillionDrawsFitTheDesignSizeWithRatiosThatDiffer() {
        test::DataDir dir;
        dir.CopyShippedLanguages();
        dir.Write("spinalyst.ini", "[Params]\nLanguage=EN\n");
        MainWindow window(dir.paths());
        window.resize(1012, 677);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTableView* grid = ShowTableau(window);
        RandomSource random(11);
        GameSession& session = window.session();
        {
            const GameSession::Batch batch(session);
            for (int i = 0; i < 1'000'000; ++i) session.AddDraw(random.Next(RouletteKind::French));
        }
        QTest::qWait(20);
        // Every column shows whole, without a scroll bar.
        QVERIFY(!grid->horizontalScrollBar()->isVisible());
        const QFontMetrics metrics(grid->font());
        QVERIFY(grid->font().pointSizeF() >= 6);
        for (int c = 0; c < tableauColumnCount; ++c)
            for (int r = 0; r < tableauRowCount; ++r)
                QVERIFY2(metrics.horizontalAdvance(Cell(grid, r, c)) < grid->columnWidth(c),
                         qPrintable(QString("row %1, column %2").arg(r).arg(c)));
        // The ratios are all below 0,01 and show three significant digits, in the order of
        // their full values.
        const int ratio = int(TableauColumn::Ratio);
        ClickHeader(grid, ratio);
        VerifySortedBy(grid, ratio);
        QSet<QString> ratios;
        for (int r = 0; r < tableauRowCount; ++r) {
            const QString text = Cell(grid, r, ratio);
            QVERIFY2(text.startsWith("0,0"), qPrintable(text));
            ratios.insert(text);
        }
        QVERIFY(ratios.size() > 30);
    }

    void figuresFollowTheShowingPageAndANewGameEmptiesThem() {
        test::DataDir dir;
        MainWindow window(dir.paths());
        TableauPage* page = Page(window);
        QAbstractItemModelTester tester(page->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QTableView* grid = page->grid();
        QCOMPARE(grid->model()->rowCount(), 36);
        QCOMPARE(Row(grid, 0), QStringList(tableauColumnCount, QString()));

        // Not computed while another page shows; filled as soon as it shows.
        ShowTab(window, FamilyTab(StatFamily::Pleins));
        window.session().AddDraw(17);
        QVERIFY(!page->model()->filled());
        ShowTableau(window);
        QCOMPARE(RowOf(grid, 17)[int(TableauColumn::Straight)], QString("36"));

        // A new game empties the grid, also while another page shows, until its first draw.
        ShowTab(window, FamilyTab(StatFamily::Pleins));
        window.findChild<QAction*>("Nouveau1")->trigger();
        QVERIFY(!page->model()->filled());
        ShowTableau(window);
        for (int r = 0; r < 36; ++r)
            QCOMPARE(Row(grid, r), QStringList(tableauColumnCount, QString()));
        window.session().AddDraw(5);
        QCOMPARE(RowOf(grid, 17)[int(TableauColumn::Straight)], QString("0"));
        QCOMPARE(RowOf(grid, 5)[int(TableauColumn::Straight)], QString("36"));
    }
};

QTEST_MAIN(TableauPageTest)
#include "tableau_page_test.moc"
