#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolTip>
#include <cmath>
#include <numbers>
#include <set>
#include <vector>

#include "ui/common/game_session.h"
#include "ui/shell/main_window.h"
#include "ui/stats/heat_board_view.h"
#include "ui/stats/heat_legend.h"
#include "ui/stats/heat_page.h"
#include "ui/stats/stats_tabs.h"
#include "ui/stats/wheel_drawing.h"
#include "ui/stats/wheel_figures.h"
#include "ui/stats/wheel_grid_model.h"
#include "ui/stats/wheel_page.h"
#include "ui_test_support.h"

using namespace spinalyst;

namespace {

// A main window on a fresh data directory, for the kind and in the language, with the tab
// showing.
struct Fixture {
    explicit Fixture(RouletteKind kind, StatsTab tab = StatsTab::Wheel, const char* language = "EN",
                     const char* moreParams = "") {
        dir.Write("spinalyst.ini", QByteArray("[Params]\nRoulette=") +
                                       QByteArray::number(KindToSetting(kind)) +
                                       "\nLanguage=" + language + "\n" + moreParams);
        dir.CopyShippedLanguages();
        window = std::make_unique<MainWindow>(dir.paths());
        ShowTab(tab);
    }
    // At the design size, where the grids' headers are laid out to be clicked.
    bool Show() {
        window->resize(1012, 677);
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
    void ShowTab(StatsTab tab) {
        window->findChild<QTabWidget*>("pcStats")->setCurrentIndex(int(tab));
    }
    // One refresh for all of them.
    void AddDraws(const std::vector<Pocket>& draws) {
        GameSession& session = window->session();
        {
            const GameSession::Batch batch(session);
            for (Pocket p : draws) session.AddDraw(p);
        }
    }
    WheelPage* wheelPage() const { return window->findChild<WheelPage*>("tsCylindre"); }
    const WheelStats* stats() const { return window->findChild<WheelFigures*>()->stats(); }
    QTableView* grid(const char* name) const { return window->findChild<QTableView*>(name); }
    HeatBoardView* board(const char* name) const { return window->findChild<HeatBoardView*>(name); }

    test::DataDir dir;
    std::unique_ptr<MainWindow> window;
};

QString Cell(QTableView* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
}
QStringList Row(QTableView* grid, int row) {
    QStringList cells;
    for (int c = 0; c < grid->model()->columnCount(); ++c) cells << Cell(grid, row, c);
    return cells;
}
// The row whose cell in `column` reads `key`, whatever the sort.
QStringList RowOf(QTableView* grid, const QString& key, int column = 0) {
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        if (Cell(grid, r, column) == key) return Row(grid, r);
    return {};
}
void ClickHeader(QTableView* grid, int column) {
    QHeaderView* header = grid->horizontalHeader();
    QTest::mouseClick(
        header->viewport(), Qt::LeftButton, {},
        QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, 5));
}

QColor Pixel(QWidget* widget, QPointF at) {
    return widget->grab().toImage().pixelColor(at.toPoint());
}
// Inside the slice that lies beside a pocket's number, halfway between hub and rim.
QPointF BesideLabel(const WheelGeometry& wheel, const WheelLabel& label) {
    const double angle = std::atan2(label.top + wheelLabelSize / 2.0 - wheel.disc.centreY,
                                    label.left + wheelLabelSize / 2.0 - wheel.disc.centreX);
    return {wheel.disc.centreX + 85 * std::cos(angle), wheel.disc.centreY + 85 * std::sin(angle)};
}
const WheelLabel& LabelOf(const WheelGeometry& wheel, Pocket p) {
    for (const WheelLabel& label : wheel.labels)
        if (label.pocket == p) return label;
    qFatal("no label for %d", p);
}
const HeatSquare& SquareOf(const HeatBoard& board, Pocket p) {
    for (const HeatSquare& s : board.squares)
        if (s.pocket == p) return s;
    qFatal("no square for %d", p);
}
QColor Grey(int shade) {
    return {shade, shade, shade};
}
// The background of a pocket's square, at the corner that neither the digits nor the frame reach.
QColor SquareGrey(HeatBoardView* board, Pocket p) {
    const HeatSquare& s = SquareOf(board->board(), p);
    return Pixel(board, QPointF(s.left, s.top));
}

// Each pocket of the kind drawn (its place on the wheel mod 4) times, so neighbours on the
// wheel differ.
std::vector<Pocket> VariedDraws(RouletteKind kind) {
    std::vector<Pocket> draws;
    const WheelGeometry wheel = BuildWheelGeometry(kind);
    for (std::size_t i = 0; i < wheel.labels.size(); ++i)
        for (std::size_t k = 0; k < i % 4; ++k) draws.push_back(wheel.labels[i].pocket);
    return draws;
}

// Every row carries the figures of what it stands for, and the rows follow the sort.
void VerifySectorRows(QTableView* grid, const WheelStats& stats, int column, Qt::SortOrder order) {
    QCOMPARE(grid->horizontalHeader()->sortIndicatorSection(), column);
    QCOMPARE(grid->horizontalHeader()->sortIndicatorOrder(), order);
    const int first = firstPocket(stats.kind);
    for (int r = 0; r < grid->model()->rowCount(); ++r) {
        const Pocket q = *ParsePocket(Cell(grid, r, 2).toStdString(), stats.kind);
        const SlotStats& s = stats.neighbourhoodStats[std::size_t(q - first)].stats;
        QCOMPARE(Row(grid, r).mid(5),
                 (QStringList{QString::number(s.hits), QString::number(s.sinceLast),
                              QString::number(s.maxGap)}));
        if (r == 0) continue;
        const int above =
            grid->model()->index(r - 1, column).data(WheelGridModel::sortRole).toInt();
        const int here = grid->model()->index(r, column).data(WheelGridModel::sortRole).toInt();
        QVERIFY(order == Qt::AscendingOrder ? above <= here : above >= here);
    }
}

}  // namespace

class WheelPagesTest final : public QObject {
    Q_OBJECT

private slots:
    void gridsWithoutAnAnalysedDraw() {
        Fixture f(RouletteKind::French);
        // Only the draws that follow the newest outcome: a game's first draw never does.
        QTest::mouseClick(f.window->findChild<QCheckBox*>("cbNext1"), Qt::LeftButton);
        f.window->session().AddDraw(17);
        QTableView* distances = f.grid("sgCyl");
        QCOMPARE(distances->model()->rowCount(), 37);
        for (int r = 0; r < 37; ++r) QCOMPARE(Row(distances, r).mid(1), (QStringList{"", "0", ""}));
        QCOMPARE(f.grid("sgEcarts")->model()->rowCount(), 0);
        QTableView* sectors = f.grid("sgSecteurs");
        for (int r = 0; r < 37; ++r) QCOMPARE(Row(sectors, r).mid(5), (QStringList{"0", "0", "0"}));
        WheelDrawing* wheel = f.wheelPage()->wheel();
        for (const WheelLabel& label : wheel->wheel().labels)
            QCOMPARE(Pixel(wheel, BesideLabel(wheel->wheel(), label)), Grey(240));
    }

    void distancesAndRepeats() {
        struct Case {
            const char* name;
            RouletteKind kind;
            std::vector<Pocket> draws;
            // Rows of sgCyl and sgEcarts by their key; every other sgCyl row waits the whole game.
            std::vector<QStringList> distanceRows;
            std::vector<QStringList> repeatRows;
        } cases[] = {
            {"one draw", RouletteKind::French, {5}, {}, {}},
            {"the same pocket twice",
             RouletteKind::French,
             {7, 7},
             {{"0", "1", "0", "2"}},
             {{"0", "1", "0", "2"}}},
            {"26 then 0", RouletteKind::French, {26, 0}, {{"1", "1", "0", "2"}}, {}},
            {"0 then 26", RouletteKind::French, {0, 26}, {{"36", "1", "0", "2"}}, {}},
            {"no zero: 26 then 32", RouletteKind::NoZero, {26, 32}, {{"1", "1", "0", "2"}}, {}},
            {"00 between two 1s",
             RouletteKind::American,
             {1, 37, 1},
             {{"1", "1", "1", "2"}, {"37", "1", "0", "3"}},
             {{"1", "1", "0", "3"}}},
        };
        for (const Case& c : cases) {
            Fixture f(c.kind);
            for (Pocket p : c.draws) f.window->session().AddDraw(p);
            QTableView* distances = f.grid("sgCyl");
            const int n = pocketCount(c.kind);
            QCOMPARE(distances->model()->rowCount(), n);
            const QString whole = QString::number(c.draws.size());
            for (int d = 0; d < n; ++d) {
                QStringList expected{QString::number(d), "", whole, ""};
                for (const QStringList& row : c.distanceRows)
                    if (row[0] == expected[0]) expected = row;
                QVERIFY2(RowOf(distances, expected[0]) == expected,
                         qPrintable(QString("%1, distance %2: %3")
                                        .arg(c.name)
                                        .arg(d)
                                        .arg(RowOf(distances, expected[0]).join(' '))));
            }
            QTableView* repeats = f.grid("sgEcarts");
            QCOMPARE(repeats->model()->rowCount(), int(c.repeatRows.size()));
            for (const QStringList& row : c.repeatRows) QCOMPARE(RowOf(repeats, row[0]), row);
        }
    }

    void sectorsFollowTheWheelOfTheKind() {
        struct Case {
            RouletteKind kind;
            QString pocket;
            QStringList row;
            QColor colour;
        } cases[] = {
            {RouletteKind::French, "0", {"3", "26", "0", "32", "15"}, QColor(0, 128, 0)},
            {RouletteKind::NoZero, "26", {"35", "3", "26", "32", "15"}, QColor(0, 0, 0)},
            {RouletteKind::NoZero, "32", {"3", "26", "32", "15", "19"}, QColor(255, 0, 0)},
            {RouletteKind::American, "00", {"13", "1", "00", "27", "10"}, QColor(0, 128, 0)},
        };
        for (const Case& c : cases) {
            Fixture f(c.kind);
            QTableView* sectors = f.grid("sgSecteurs");
            QCOMPARE(sectors->model()->rowCount(), pocketCount(c.kind));
            // Laid out by the new game, with no figure yet.
            QCOMPARE(RowOf(sectors, c.pocket, 2), c.row + QStringList({"", "", ""}));
            QAbstractItemModel* model = sectors->model();
            for (int r = 0; r < model->rowCount(); ++r) {
                if (c.kind == RouletteKind::NoZero)
                    QVERIFY(!Row(sectors, r).mid(0, 5).contains("0"));
                if (Cell(sectors, r, 2) != c.pocket) continue;
                QVERIFY(model->index(r, 2).data(Qt::FontRole).value<QFont>().bold());
                QCOMPARE(model->index(r, 2).data(Qt::ForegroundRole).value<QColor>(), c.colour);
                QVERIFY(!model->index(r, 1).data(Qt::FontRole).isValid());
            }
        }
    }

    void theUsersSortSurvivesEveryRefresh() {
        Fixture f(RouletteKind::French);
        QVERIFY(f.Show());
        WheelPage* page = f.wheelPage();
        for (WheelGridModel* model :
             {page->distanceModel(), page->repeatModel(), page->sectorModel()})
            new QAbstractItemModelTester(
                model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
        QTableView* sectors = f.grid("sgSecteurs");
        QAbstractItemModelTester proxyTester(
            sectors->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        // The largest distance first, the shortest interval first, the sectors by column 0.
        QCOMPARE(Cell(f.grid("sgCyl"), 0, 0), QString("36"));
        QCOMPARE(Cell(f.grid("sgEcarts"), 0, 0), QString("0"));
        QCOMPARE(Cell(sectors, 0, 0), QString("0"));
        QCOMPARE(Cell(sectors, 0, 2), QString("15"));

        ClickHeader(sectors, 5);
        ClickHeader(sectors, 5);
        const Qt::SortOrder order = sectors->horizontalHeader()->sortIndicatorOrder();
        std::vector<Pocket> draws;
        for (int i = 0; i < 40; ++i) draws.push_back((i * 7) % 37);
        f.AddDraws(draws);
        VerifySectorRows(sectors, *f.stats(), 5, order);
        for (Pocket p : {32, 15, 19, 4, 4}) {
            f.window->session().AddDraw(p);
            VerifySectorRows(sectors, *f.stats(), 5, order);
        }
        f.window->session().UndoDraw();
        VerifySectorRows(sectors, *f.stats(), 5, order);

        // The intervals come and go with the draws; each row keeps its own.
        QTableView* repeats = f.grid("sgEcarts");
        ClickHeader(repeats, 1);
        for (Pocket p : {4, 4, 9}) {
            f.window->session().AddDraw(p);
            const Qt::SortOrder repeatOrder = repeats->horizontalHeader()->sortIndicatorOrder();
            QCOMPARE(repeats->horizontalHeader()->sortIndicatorSection(), 1);
            QCOMPARE(repeats->model()->rowCount(), int(f.stats()->repeatStats.size()));
            for (const RepeatStats& r : f.stats()->repeatStats)
                QCOMPARE(RowOf(repeats, QString::number(r.gap())),
                         (QStringList{QString::number(r.gap()), QString::number(r.stats.hits),
                                      QString::number(r.stats.sinceLast),
                                      QString::number(r.stats.maxGap)}));
            for (int r = 1; r < repeats->model()->rowCount(); ++r) {
                const int above = Cell(repeats, r - 1, 1).toInt();
                const int here = Cell(repeats, r, 1).toInt();
                QVERIFY(repeatOrder == Qt::AscendingOrder ? above <= here : above >= here);
            }
        }
    }

    void longIntervalsHaveTheirOwnRows() {
        Fixture f(RouletteKind::French);
        new QAbstractItemModelTester(f.wheelPage()->repeatModel(),
                                     QAbstractItemModelTester::FailureReportingMode::QtTest,
                                     f.window.get());
        // 5,000 draws round 1 ... 36, with a 0 at the first draw, the 1,501st and the 3,101st.
        std::vector<Pocket> draws;
        for (int i = 0; i < 5000; ++i) draws.push_back(i % 36 + 1);
        draws[0] = draws[1500] = draws[3100] = 0;
        f.AddDraws(draws);
        QTableView* repeats = f.grid("sgEcarts");
        // As if every interval's counter had waited from the first draw.
        QCOMPARE(RowOf(repeats, "1499"), (QStringList{"1499", "1", "3499", "1501"}));
        QCOMPARE(RowOf(repeats, "1599"), (QStringList{"1599", "1", "1899", "3101"}));
        QCOMPARE(repeats->model()->rowCount(), int(f.stats()->repeatStats.size()));
        QVERIFY(RowOf(repeats, "999").isEmpty());
    }

    void slicesAndSquaresTakeTheirPocketsShade() {
        for (RouletteKind kind : allKinds) {
            Fixture f(kind, StatsTab::Heat);
            f.AddDraws(VariedDraws(kind));
            WheelDrawing* wheel = f.wheelPage()->wheel();
            const auto* figures = f.window->findChild<WheelFigures*>();
            const QImage picture = wheel->grab().toImage();
            std::set<int> shades;
            for (const WheelLabel& label : wheel->wheel().labels) {
                const int shade = figures->Shade(label.pocket);
                shades.insert(shade);
                QCOMPARE(picture.pixelColor(BesideLabel(wheel->wheel(), label).toPoint()),
                         Grey(shade));
            }
            QCOMPARE(shades.size(), std::size_t(4));
            for (HeatBoardView* board : f.window->findChildren<HeatBoardView*>()) {
                const QImage squares = board->grab().toImage();
                for (const HeatSquare& s : board->board().squares)
                    QCOMPARE(squares.pixelColor(s.left, s.top), Grey(figures->Shade(s.pocket)));
            }
        }
        // On the American wheel the slice beside the number 2 is shaded by the hits of 2.
        Fixture f(RouletteKind::American);
        f.AddDraws({2, 2, 2, 0, 17});
        WheelDrawing* wheel = f.wheelPage()->wheel();
        QCOMPARE(Pixel(wheel, BesideLabel(wheel->wheel(), LabelOf(wheel->wheel(), 2))), Grey(0));
        QCOMPARE(Pixel(wheel, BesideLabel(wheel->wheel(), LabelOf(wheel->wheel(), 0))), Grey(160));
    }

    void shadesSpreadFromTheMostToTheLeastFrequent() {
        // Every pocket once, then 5 a highest 5 times and 9 three times: 9 is halfway.
        Fixture f(RouletteKind::French, StatsTab::Heat);
        std::vector<Pocket> draws;
        for (Pocket p = 0; p <= 36; ++p) draws.push_back(p);
        draws.insert(draws.end(), {5, 5, 5, 5, 9, 9});
        f.AddDraws(draws);
        HeatBoardView* board = f.board("pnlTapis1");
        QCOMPARE(SquareGrey(board, 5), Grey(0));
        QCOMPARE(SquareGrey(board, 9), Grey(120));
        QCOMPARE(SquareGrey(board, 30), Grey(240));
        // Equal hits: all the lightest grey.
        f.window->findChild<QAction*>("Nouveau1")->trigger();
        draws.resize(37);
        f.AddDraws(draws);
        for (HeatBoardView* b : f.window->findChildren<HeatBoardView*>())
            for (const HeatSquare& s : b->board().squares)
                QCOMPARE(SquareGrey(b, s.pocket), Grey(240));
    }

    void numbersReadInBlackOrWhiteInsideAFrameOfTheirColour() {
        // 1 (red) the most frequent, the black 2 at shade 39 and the black 4 at 40; the rest
        // light.
        Fixture f(RouletteKind::French, StatsTab::Heat);
        std::vector<Pocket> draws;
        draws.insert(draws.end(), 240, 1);
        draws.insert(draws.end(), 201, 2);
        draws.insert(draws.end(), 200, 4);
        f.AddDraws(draws);
        HeatBoardView* board = f.board("pnlCarre1");
        const QImage picture = board->grab().toImage();
        // The lightest and the darkest pixel of the square's middle, where its digits are.
        const auto inkRange = [&](Pocket p) {
            const HeatSquare& s = SquareOf(board->board(), p);
            std::pair<int, int> range{255, 0};
            for (int y = s.top + 5; y < s.top + heatSquareSize - 5; ++y)
                for (int x = s.left + 4; x < s.left + heatSquareSize - 4; ++x) {
                    const int l = picture.pixelColor(x, y).lightness();
                    range = {std::min(range.first, l), std::max(range.second, l)};
                }
            return range;
        };
        struct Case {
            Pocket pocket;
            int shade;
            bool whiteInk;
        } cases[] = {{1, 0, true}, {2, 39, true}, {4, 40, true}, {3, 240, false}, {0, 240, false}};
        for (const Case& c : cases) {
            QCOMPARE(SquareGrey(board, c.pocket), Grey(c.shade));
            const auto [darkest, lightest] = inkRange(c.pocket);
            if (c.whiteInk)
                QVERIFY2(lightest > 200, qPrintable(QString::number(c.pocket)));
            else
                QVERIFY2(darkest < 40, qPrintable(QString::number(c.pocket)));
        }
        // The frame on the left edge, halfway down: the pocket's own colour.
        const auto frameAt = [&](Pocket p) {
            const HeatSquare& s = SquareOf(board->board(), p);
            return picture.pixelColor(s.left + 1, s.top + heatSquareSize / 2);
        };
        QCOMPARE(frameAt(1), QColor(255, 0, 0));
        QCOMPARE(frameAt(3), QColor(255, 0, 0));
        QCOMPARE(frameAt(4), QColor(0, 0, 0));
        QCOMPARE(frameAt(0), QColor(0, 128, 0));
        // Round the wheel each number stands on a disc of its colour.
        WheelDrawing* wheel = f.wheelPage()->wheel();
        for (Pocket p : {1, 4, 0}) {
            const WheelCircle& disc = LabelOf(wheel->wheel(), p).ring;
            const Rgb colour = DisplayColour(p);
            QCOMPARE(Pixel(wheel, QPointF(disc.centreX - disc.radius + 3.5, disc.centreY + 0.5)),
                     QColor(colour.r, colour.g, colour.b));
        }
    }

    void theHeatScaleIsChosenKeptAndExplained() {
        // 740 draws: every pocket 20 times, then 17 twenty more times and 5 ten fewer.
        std::vector<Pocket> draws;
        for (int round = 0; round < 20; ++round)
            for (Pocket p = 0; p <= 36; ++p)
                if (p != 5 || round < 10) draws.push_back(p);
        draws.insert(draws.end(), 20, 17);
        Fixture f(RouletteKind::French, StatsTab::Heat);
        f.AddDraws(draws);
        HeatBoardView* board = f.board("pnlTapis1");
        auto* legend = f.window->findChild<HeatPage*>()->findChild<HeatLegend*>();
        QVERIFY(legend);
        // By spread, the default: 17 black, 5 light grey, the rest in proportion.
        QCOMPARE(SquareGrey(board, 17), Grey(0));
        QCOMPARE(SquareGrey(board, 5), Grey(240));
        QCOMPARE(SquareGrey(board, 1), Grey(160));
        QCOMPARE(legend->darkText(), QString("most hits (40)"));
        QCOMPARE(legend->lightText(), QString("fewest hits (10)"));
        QVERIFY(legend->marks().isEmpty());

        auto* deviation = f.window->findChild<QAction*>("actHeatDeviation");
        QVERIFY(deviation && !deviation->isChecked());
        deviation->trigger();
        QVERIFY(deviation->isChecked());
        QVERIFY(!f.window->findChild<QAction*>("actHeatSpread")->isChecked());
        // 20 expected of 740: 17 is 4.5 standard deviations above, 5 is 2.3 below, the
        // others a little below, near mid grey.
        const auto z = [&](int hits) { return HitsZ(hits, int(draws.size()), 37); };
        QCOMPARE(SquareGrey(board, 17), Grey(0));
        QCOMPARE(SquareGrey(board, 5), Grey(DeviationShade(z(10))));
        QCOMPARE(SquareGrey(board, 1), Grey(DeviationShade(z(20))));
        QVERIFY(DeviationShade(z(10)) > 180 && DeviationShade(z(10)) < 240);
        QVERIFY(std::abs(DeviationShade(z(20)) - 120) <= 2);
        QCOMPARE(legend->darkText(), QString("more than expected"));
        QCOMPARE(legend->marks(),
                 (QStringList{"+3", "+2", "+1", "0", "\u22121", "\u22122", "\u22123"}));
        QVERIFY(f.wheelPage()->wheel()->TipAt(QPointF(5, 5)).isEmpty());
        QVERIFY(f.window->findChild<WheelFigures*>()->PocketTip(17).contains("Deviation (z): 4,"));
        // Kept for the next start; a value the program does not know reads as the spread.
        QVERIFY(f.dir.Read("spinalyst.ini").contains("HeatScale=deviation"));
        Fixture again(RouletteKind::French, StatsTab::Heat, "EN", "HeatScale=Deviation\n");
        QVERIFY(again.window->findChild<QAction*>("actHeatDeviation")->isChecked());
        QCOMPARE(again.window->findChild<WheelFigures*>()->Shade(17), expectedShade);
        Fixture odd(RouletteKind::French, StatsTab::Heat, "EN", "HeatScale=z\n");
        QVERIFY(odd.window->findChild<QAction*>("actHeatSpread")->isChecked());
    }

    void boardsHoldOneSquarePerPocketOfTheKind() {
        Fixture f(RouletteKind::American, StatsTab::Heat);
        const std::vector<HeatBoardView*> boards = f.window->findChild<HeatPage*>()->boards();
        for (QAction* kind : {f.window->findChild<QAction*>("Francaise1"),
                              f.window->findChild<QAction*>("Americaine1"),
                              f.window->findChild<QAction*>("NoZero1")}) {
            kind->trigger();
            const RouletteKind k = f.window->session().kind();
            QCOMPARE(f.window->findChildren<HeatBoardView*>().size(), qsizetype(heatBoardCount));
            for (HeatBoardView* board : boards) {
                std::set<Pocket> pockets;
                for (const HeatSquare& s : board->board().squares) pockets.insert(s.pocket);
                QCOMPARE(int(board->board().squares.size()), pocketCount(k));
                QCOMPARE(int(pockets.size()), pocketCount(k));
                QCOMPARE(*pockets.begin(), firstPocket(k));
                QCOMPARE(*pockets.rbegin(), lastPocket(k));
            }
        }
        // No zero: the fifth board starts with 32 in the first row, first column.
        const HeatSquare& first = f.board("pnlTapis5")->board().squares.front();
        QCOMPARE(first, (HeatSquare{32, 4, 4 + heatCell}));
    }

    void aNewGameShowsTheKindEmptyAndGrey() {
        Fixture f(RouletteKind::French);
        f.AddDraws({5, 5, 17});
        WheelDrawing* wheel = f.wheelPage()->wheel();
        QCOMPARE(Pixel(wheel, BesideLabel(wheel->wheel(), LabelOf(wheel->wheel(), 5))), Grey(0));
        f.window->findChild<QAction*>("Americaine1")->trigger();
        QCOMPARE(wheel->wheel().labels.size(), std::size_t(38));
        for (const WheelLabel& label : wheel->wheel().labels)
            QCOMPARE(Pixel(wheel, BesideLabel(wheel->wheel(), label)), Grey(240));
        QCOMPARE(SquareGrey(f.board("pnlCarre4"), 5), Grey(240));
        for (const char* name : {"sgCyl", "sgEcarts"}) {
            QTableView* grid = f.grid(name);
            QCOMPARE(grid->model()->rowCount(), 38);
            for (int key = 0; key < 38; ++key)
                QCOMPARE(RowOf(grid, QString::number(key)),
                         (QStringList{QString::number(key), "", "", ""}));
        }
        QTableView* sectors = f.grid("sgSecteurs");
        QCOMPARE(sectors->model()->rowCount(), 38);
        for (int r = 0; r < 38; ++r) QCOMPARE(Row(sectors, r).mid(5), (QStringList{"", "", ""}));
        // The first draw of the new game fills the grids.
        f.window->session().AddDraw(37);
        QCOMPARE(f.grid("sgEcarts")->model()->rowCount(), 0);
        QCOMPARE(RowOf(sectors, "00", 2).mid(5), (QStringList{"1", "0", "1"}));
    }

    void onlyTheWheelAndTableTabsRunTheWheelView() {
        Fixture f(RouletteKind::French, FamilyTab(StatFamily::Pleins));
        f.window->session().AddDraw(5);
        QVERIFY(!f.stats());
        // Either tab computes once for both pages.
        f.ShowTab(StatsTab::Heat);
        QCOMPARE(f.stats()->analysedCount, 1);
        QCOMPARE(SquareGrey(f.board("pnlTapis3"), 5), Grey(0));
        f.window->session().AddDraw(5);
        QCOMPARE(RowOf(f.grid("sgEcarts"), "0"), (QStringList{"0", "1", "0", "2"}));
    }

    void headersComeFromTheLanguage() {
        struct Case {
            const char* language;
            QStringList distances;
            QString interval;
            QString sector;
        } cases[] = {
            // The repeats' key is named for what it holds, not like the gaps beside it.
            {"EN", {"Distance", "Hits", "Current gap", "Longest gap"}, "Interval", "Sector"},
            {"FR",
             {"Distance", "Nombre de sorties", "Ecart actuel", "Ecart maximum"},
             "Intervalle",
             "Secteur"},
        };
        for (const Case& c : cases) {
            Fixture f(RouletteKind::French, StatsTab::Wheel, c.language);
            const auto header = [&](const char* grid, int column) {
                return f.grid(grid)->model()->headerData(column, Qt::Horizontal).toString();
            };
            for (int column = 0; column < 4; ++column) {
                QCOMPARE(header("sgCyl", column), c.distances[column]);
                if (column > 0) QCOMPARE(header("sgEcarts", column), c.distances[column]);
                QCOMPARE(header("sgSecteurs", column + 4), column ? c.distances[column] : "");
            }
            QCOMPARE(header("sgEcarts", 0), c.interval);
            QCOMPARE(header("sgSecteurs", 0), c.sector);
        }
    }

    void hoveringAPocketTellsItsFigures() {
        Fixture f(RouletteKind::French);
        f.AddDraws({5, 5, 17});
        WheelDrawing* wheel = f.wheelPage()->wheel();
        const WheelGeometry& geometry = wheel->wheel();
        const WheelLabel& label = LabelOf(geometry, 17);
        const QString tip17 = "Pocket 17\nHits: 1\nShade: 120 / 240";
        QCOMPARE(wheel->TipAt(QPointF(label.left + 9, label.top + 9)), tip17);
        QCOMPARE(wheel->TipAt(BesideLabel(geometry, LabelOf(geometry, 5))),
                 QString("Pocket 5\nHits: 2\nShade: 0 / 240"));
        QCOMPARE(wheel->TipAt(QPointF(geometry.hub.centreX, geometry.hub.centreY)), QString());
        QCOMPARE(wheel->TipAt(QPointF(2, 2)), QString());

        HeatBoardView* table = f.board("pnlTapis1");
        const HeatSquare& square = SquareOf(table->board(), 17);
        QCOMPARE(table->TipAt(QPoint(square.left + 5, square.top + 5)), tip17);
        QCOMPARE(table->TipAt(QPoint(1, 1)), QString());
        const HeatSquare& fixed = SquareOf(f.board("pnlCarre1")->board(), 17);
        QCOMPARE(f.board("pnlCarre1")->TipAt(QPoint(fixed.left + 5, fixed.top + 5)), QString());

        // The tip shows where the pointer rests.
        QVERIFY(f.Show());
        const QPoint at(label.left + 9, label.top + 9);
        QHelpEvent hover(QEvent::ToolTip, at, wheel->mapToGlobal(at));
        QApplication::sendEvent(wheel, &hover);
        QTRY_COMPARE(QToolTip::text(), tip17);
        // In French the colons stand after a non-breaking space.
        Fixture french(RouletteKind::French, StatsTab::Wheel, "FR");
        french.AddDraws({17});
        QCOMPARE(french.window->findChild<WheelFigures*>()->PocketTip(17),
                 QString("Numéro 17\nNombre de sorties\u00a0: 1\nTeinte\u00a0: 0 / 240"));
    }
};

QTEST_MAIN(WheelPagesTest)
#include "wheel_pages_test.moc"
