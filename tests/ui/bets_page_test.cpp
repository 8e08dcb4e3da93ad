#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "core/betting/chips.h"
#include "core/betting/table_areas.h"
#include "ui/betting/balance_chart_view.h"
#include "ui/betting/bets_page.h"
#include "ui/betting/chip_selector.h"
#include "ui/betting/history_model.h"
#include "ui/betting/table_picture.h"
#include "ui/common/game_session.h"
#include "ui/common/row_window_view.h"
#include "ui/shell/main_window.h"
#include "ui/stats/stats_tabs.h"
#include "ui_test_support.h"

using namespace spinalyst;

namespace {

// A shown main window on the bets tab, with the shipped language texts.
struct BetsWindow {
    test::DataDir dir;
    MainWindow window;
    BetsPage* page;

    explicit BetsWindow(const QByteArray& settings = "[Params]\nLanguage=EN\n")
        : window(Prepared(dir, settings)) {
        window.resize(1012, 677);
        window.findChild<QTabWidget*>("pcStats")->setCurrentIndex(int(StatsTab::Bets));
        window.show();
        page = window.findChild<BetsPage*>("tsMises");
        if (!page) qFatal("no bets page");
    }
    static DataPaths Prepared(const test::DataDir& dir, const QByteArray& settings) {
        dir.CopyShippedLanguages();
        dir.Write("spinalyst.ini", settings);
        return dir.paths();
    }
    GameSession& session() { return window.session(); }
    const BetLedger& ledger() { return window.session().ledger(); }
    TablePicture* picture() { return page->picture(); }
    HistoryModel* history() { return page->historyModel(); }
    // At a point of the table.
    void Click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(picture(), button, {}, TablePicture::FromTable(at));
    }
    void Hover(QPoint at) { QTest::mouseMove(picture(), TablePicture::FromTable(at)); }
    QColor TablePixel(QPoint at) {
        return picture()->grab().toImage().pixelColor(TablePicture::FromTable(at));
    }
    QString StatusBar() { return window.statusBar()->currentMessage(); }
    void ChooseChip(int denomination) {
        QTest::mouseClick(page->chipSelector()->button(denomination), Qt::LeftButton);
    }
    QPushButton* Button(const char* name) { return window.findChild<QPushButton*>(name); }
    QString Cell(int row, int column) { return history()->index(row, column).data().toString(); }
};

const BetSlot plein3{BetKind::Plein, 3};

}  // namespace

class BetsPageTest final : public QObject {
    Q_OBJECT

private slots:
    void clicksStakeTheSlotUnderThePointer_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("code");  // 0: nothing staked
        QTest::addColumn<int>("index");
        const int french = int(RouletteKind::French);
        QTest::newRow("straight 3") << french << QPoint(55, 23) << 1 << 3;
        QTest::newRow("corner 2") << french << QPoint(73, 42) << 4 << 2;
        QTest::newRow("six-line 1") << french << QPoint(73, 4) << 5 << 1;
        QTest::newRow("street 1") << french << QPoint(55, 118) << 3 << 1;
        QTest::newRow("split 0-1 french") << french << QPoint(37, 99) << 2 << 58;
        QTest::newRow("split 0-1 american")
            << int(RouletteKind::American) << QPoint(37, 99) << 0 << 0;
        QTest::newRow("split 0-1 no zero") << int(RouletteKind::NoZero) << QPoint(37, 99) << 0 << 0;
        QTest::newRow("past the short line") << french << QPoint(150, 61) << 0 << 0;
        QTest::newRow("left of low") << french << QPoint(42, 170) << 0 << 0;
        QTest::newRow("low") << french << QPoint(43, 170) << 10 << 1;
        QTest::newRow("00") << int(RouletteKind::American) << QPoint(19, 30) << 1 << 37;
        QTest::newRow("no-zero zero area") << int(RouletteKind::NoZero) << QPoint(19, 61) << 0 << 0;
    }
    void clicksStakeTheSlotUnderThePointer() {
        QFETCH(int, kind);
        QFETCH(QPoint, at);
        QFETCH(int, code);
        QFETCH(int, index);
        BetsWindow w;
        w.session().SwitchKind(RouletteKind(kind));
        w.Click(at);
        if (code == 0) {
            QCOMPARE(w.ledger().placedCount(), 0);
            return;
        }
        QCOMPARE(w.ledger().placedCount(), 1);
        QCOMPARE(w.ledger().stake({BetKind(code), index}), Cents{100});
        QCOMPARE(w.page->totalLabel()->text(), QString("Total staked: 1,00"));
    }

    void thePointerShowsWhereAClickStakes() {
        BetsWindow w;
        // Inside the painted square of 3, below its straight-up area: the split 2-3.
        const QPoint square3Low(55, 36);
        QCOMPARE(w.ledger().SlotAt(square3Low.x(), square3Low.y()), (BetSlot{BetKind::Cheval, 2}));
        const QPoint inBoxOf2(40, 48);  // the left edge of the box of 2, no digit there
        const QColor unlit = w.TablePixel(inBoxOf2);
        w.Hover(square3Low);
        QCOMPARE(w.picture()->hovered(), (BetSlot{BetKind::Cheval, 2}));
        QCOMPARE(w.picture()->HoveredPockets(), (std::vector<Pocket>{2, 3}));
        QCOMPARE(w.StatusBar(), QString("Split 2-3"));
        QVERIFY(w.TablePixel(inBoxOf2) != unlit);
        // The chip a click would put down, the pale blue 1, stands on the line between 2 and 3.
        const QColor ghost = w.TablePixel({55, 42});
        QVERIFY2(ghost.blue() > 200 && ghost.blue() > ghost.green() + 20, qPrintable(ghost.name()));
        // A click stakes what was shown.
        w.Click(square3Low);
        QCOMPARE(w.ledger().stake({BetKind::Cheval, 2}), Cents{100});
        QCOMPARE(w.StatusBar(), QString("Split 2-3"));

        w.Hover({55, 23});
        QCOMPARE(w.StatusBar(), QString("Number 3"));
        w.Hover({150, 61});  // a dead gap
        QCOMPARE(w.picture()->hovered(), std::nullopt);
        QCOMPARE(w.StatusBar(), QString());

        // With neighbours, a straight-up bet covers them too.
        w.window.findChild<QCheckBox*>("cbVoisins")->setChecked(true);
        w.Hover({19, 61});
        QCOMPARE(w.picture()->HoveredPockets(), (std::vector<Pocket>{0, 32, 15, 3, 26}));
        QCOMPARE(w.StatusBar(), QString("Number 0, with 2 neighbours either side on the wheel"));
        w.window.findChild<QCheckBox*>("cbVoisins")->setChecked(false);

        // A click past the limit of a stake says why nothing more went on.
        QVERIFY(w.session().SetChipValue(maxSlotStake - 50));
        w.Hover({55, 23});
        w.Click({55, 23});
        QVERIFY(w.session().SetChipValue(100));
        w.Click({55, 23});
        QCOMPARE(w.ledger().stake({BetKind::Plein, 3}), maxSlotStake);
        QCOMPARE(w.StatusBar(), QString("Number 3: the stake on one bet stops at 100000,00"));
        QCOMPARE(w.picture()->ChipOf({BetKind::Plein, 3}).stake, QString("100k"));
    }

    void chipsOnTheTopEdgeShowWhole() {
        BetsWindow w;
        // Above the table, where the top of a six-line's chip reaches.
        const QPoint aboveTheTable(73, -6);
        const QColor before = w.TablePixel(aboveTheTable);
        w.Click({73, 4});
        QCOMPARE(w.ledger().stake({BetKind::Sizain, 1}), Cents{100});
        QVERIFY(w.TablePixel(aboveTheTable) != before);
        w.Click({37, 4});
        QCOMPARE(w.ledger().stake({BetKind::Carre, 23}), Cents{100});
    }

    void chipsShowTheirFaceAndStakeAndGoAtZero() {
        BetsWindow w;
        QCOMPARE(w.page->chipSelector()->chosen(), Cents{100});
        for (int i = 0; i < 3; ++i) w.Click({55, 23});
        QCOMPARE(w.ledger().stake(plein3), Cents{300});
        // The 2 chip's face (seen on its edge between two stripes), and the stake on it.
        const QPoint edge(60, 14);
        const ChipDenomination& two = chipDenominations[4];
        QCOMPARE(w.TablePixel(edge), QColor(two.face.r, two.face.g, two.face.b));
        QCOMPARE(w.picture()->ChipOf(plein3).face, 4);
        QCOMPARE(w.picture()->ChipOf(plein3).stake, QString("3,00"));
        QCOMPARE(w.picture()->ToolTipAt({55, 23}), QString("Number 3: 3,00"));
        QVERIFY(w.picture()->ToolTipAt({150, 61}).isEmpty());

        // A five on a chip of three: it goes, and the stake stops at 0.
        w.ChooseChip(5);
        QCOMPARE(w.ledger().chipValue(), Cents{500});
        QVERIFY(w.page->chipSelector()->button(5)->isChecked());
        QVERIFY(!w.page->chipSelector()->button(3)->isChecked());
        w.Click({55, 23}, Qt::RightButton);
        QCOMPARE(w.ledger().stake(plein3), Cents{0});
        QVERIFY(w.ledger().chips().empty());
        QCOMPARE(w.picture()->ChipOf(plein3).face, -1);
        QVERIFY(w.picture()->ToolTipAt({55, 23}).isEmpty());
        QCOMPARE(w.TablePixel(edge), QColor(255, 0, 0));

        // The chip value outlives a new game.
        w.session().NewGame();
        QCOMPARE(w.ledger().chipValue(), Cents{500});
        QCOMPARE(w.page->chipSelector()->chosen(), Cents{500});
    }

    void neighboursFollowTheWheelOfTheKind() {
        BetsWindow w;
        auto* option = w.window.findChild<QCheckBox*>("cbVoisins");
        auto* count = w.window.findChild<QSpinBox*>("seVoisins");
        QVERIFY(!option->isChecked());
        QCOMPARE(count->value(), 2);
        QCOMPARE(count->minimum(), 1);
        QCOMPARE(count->maximum(), 17);
        option->setChecked(true);
        w.Click({19, 61});
        std::vector<BetSlot> placed(w.ledger().chips().begin(), w.ledger().chips().end());
        const std::vector<BetSlot> wheelOrder = {{BetKind::Plein, 0},
                                                 {BetKind::Plein, 32},
                                                 {BetKind::Plein, 15},
                                                 {BetKind::Plein, 3},
                                                 {BetKind::Plein, 26}};
        QVERIFY(placed == wheelOrder);

        w.session().SwitchKind(RouletteKind::NoZero);
        count->setValue(1);
        w.Click({55 + 36 * 8, 61});  // 26
        QCOMPARE(w.ledger().placedCount(), 3);
        for (Pocket p : {26, 32, 3}) QCOMPARE(w.ledger().stake({BetKind::Plein, p}), Cents{100});
    }

    void historyShowsEachSettledDrawAndItsBets() {
        BetsWindow w;
        QAbstractItemModelTester tester(w.history(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester windowTester(
            w.page->historyView()->window(),
            QAbstractItemModelTester::FailureReportingMode::QtTest);
        w.session().AddDraw(4);  // no bet: no row
        QCOMPARE(w.history()->rowCount(), 0);
        w.Click({55 + 36 * 5, 23});  // 18
        w.Click({187, 170});         // red
        w.session().AddDraw(18);
        QCOMPARE(w.history()->rowCount(), 3);
        const QStringList summary = {"3", "2", "18", "", "", "", "2,00  ", "38,00  ", "36,00  "};
        for (int c = 0; c < 9; ++c) QCOMPARE(w.Cell(0, c), summary[c]);
        // Bet rows under their summary, the last of the list first.
        QCOMPARE(w.Cell(1, HistoryModel::BetColumn), QString("Red"));
        QCOMPARE(w.Cell(1, HistoryModel::StakeColumn), QString("1,00  "));
        QCOMPARE(w.Cell(1, HistoryModel::DrawColumn), QString());
        QCOMPARE(w.Cell(2, HistoryModel::BetColumn), QString("Number 18"));
        const QModelIndex red = w.history()->index(0, HistoryModel::RedColumn);
        QCOMPARE(red.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
        QVERIFY(red.data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(
            w.history()->index(0, HistoryModel::BalanceColumn).data(Qt::TextAlignmentRole).toInt(),
            int(Qt::AlignRight | Qt::AlignVCenter));

        // The table shows the newest rows, the first of them selected.
        QTableView* table = w.page->historyTable();
        QCOMPARE(table->objectName(), QString("sgHisto"));
        QCOMPARE(table->model()->index(0, HistoryModel::DrawColumn).data().toString(),
                 QString("2"));
        QCOMPARE(w.page->historyView()->selectedRow(), 0);

        w.session().SwitchKind(RouletteKind::American);
        QCOMPARE(w.history()->rowCount(), 0);
        QCOMPARE(w.ledger().placedCount(), 0);
        w.Click({19, 30});  // 00
        w.session().AddDraw(DoubleZero);
        QCOMPARE(w.Cell(0, HistoryModel::GreenColumn), QString("00"));
        QCOMPARE(w.Cell(0, HistoryModel::WinColumn), QString("36,00  "));
        QCOMPARE(w.history()
                     ->index(0, HistoryModel::GreenColumn)
                     .data(Qt::ForegroundRole)
                     .value<QBrush>()
                     .color(),
                 QColor(0, 128, 0));
    }

    void theTableRepaintsOnlyWhenItsChipsChange() {
        BetsWindow w;
        w.Click({55, 23});  // 3
        QApplication::processEvents();
        test::PaintCounter counter{w.picture()};
        for (Pocket p : {3, 7, 12}) w.session().AddDraw(p);
        QApplication::processEvents();
        QCOMPARE(counter.paints(w.picture()), 0);
        w.Click({55, 23});
        QApplication::processEvents();
        QVERIFY(counter.paints(w.picture()) > 0);
        QCOMPARE(w.page->totalLabel()->text(), QString("Total staked: 2,00"));
    }

    void aPageHiddenDuringDrawsCatchesUpWhenShown() {
        BetsWindow w;
        w.Click({55, 23});  // 3
        auto* tabs = w.window.findChild<QTabWidget*>("pcStats");
        tabs->setCurrentIndex(int(FamilyTab(StatFamily::Pleins)));
        for (Pocket p : {3, 7}) w.session().AddDraw(p);
        w.Click({55, 23});  // while hidden: a second chip on 3
        w.session().SwitchKind(RouletteKind::American);
        w.Click({19, 30});  // 00
        w.session().AddDraw(DoubleZero);
        tabs->setCurrentIndex(int(StatsTab::Bets));
        QApplication::processEvents();
        QCOMPARE(w.page->balanceChart()->chart()->title(), QString("Balance: 35,00"));
        QCOMPARE(w.page->historyTable()->model()->index(0, HistoryModel::DrawColumn).data(),
                 QVariant("1"));
        QCOMPARE(w.page->totalLabel()->text(), QString("Total staked: 1,00"));
    }

    void undoingEveryDrawEmptiesTheHistoryAndTheBalance() {
        BetsWindow w;
        QAbstractItemModelTester tester(w.history(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        w.Click({55, 23});
        for (Pocket p : {3, 7, 3}) w.session().AddDraw(p);
        QCOMPARE(w.ledger().balance(), Cents{3500 - 100 + 3500});
        w.session().UndoDraw();
        QCOMPARE(w.ledger().balance(), Cents{3400});
        QCOMPARE(w.Cell(0, HistoryModel::BalanceColumn), QString("34,00  "));
        w.session().UndoDraw();
        w.session().UndoDraw();
        QCOMPARE(w.history()->rowCount(), 0);
        QCOMPARE(w.ledger().balance(), Cents{0});
        QCOMPARE(w.page->balanceChart()->line()->count(), 1);
        QCOMPARE(w.ledger().placedCount(), 1);  // the bets stay placed
    }

    void collapsingHidesTheBetRowsAcrossNewGames() {
        BetsWindow w;
        QAbstractItemModelTester tester(w.history(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QPushButton* collapse = w.Button("btCollapse");
        QCOMPARE(collapse->text(), QString("Collapse"));
        w.Click({55, 23});
        w.Click({73, 42});
        w.session().AddDraw(3);
        w.session().AddDraw(5);
        QCOMPARE(w.history()->rowCount(), 6);
        QTest::mouseClick(collapse, Qt::LeftButton);
        QCOMPARE(collapse->text(), QString("Expand"));
        QCOMPARE(w.history()->rowCount(), 2);
        QCOMPARE(w.Cell(1, HistoryModel::DrawColumn), QString("1"));
        w.session().AddDraw(6);
        QCOMPARE(w.history()->rowCount(), 3);
        w.session().NewGame();
        QCOMPARE(collapse->text(), QString("Expand"));
        w.Click({55, 23});
        w.session().AddDraw(1);
        QCOMPARE(w.history()->rowCount(), 1);
        QTest::mouseClick(collapse, Qt::LeftButton);
        QCOMPARE(collapse->text(), QString("Collapse"));
        QCOMPARE(w.history()->rowCount(), 2);
    }

    void amountColumnsWidenForLargeAmounts() {
        BetsWindow w;
        QTableView* table = w.page->historyTable();
        const int narrow = table->columnWidth(HistoryModel::BalanceColumn);
        w.ChooseChip(8);
        for (int i = 0; i < 30; ++i) w.Click({216, 176});  // 3 000,00 on red
        for (int i = 0; i < 400; ++i) w.session().AddDraw(2);
        const QString balance = w.Cell(0, HistoryModel::BalanceColumn);
        QCOMPARE(balance, QString("-1200000,00  "));
        const int wide = table->columnWidth(HistoryModel::BalanceColumn);
        QVERIFY(wide > narrow);
        QVERIFY(QFontMetrics(table->font()).horizontalAdvance(balance) < wide);
        // Undoing keeps the width; a new game starts narrow again.
        w.session().UndoDraw();
        QCOMPARE(table->columnWidth(HistoryModel::BalanceColumn), wide);
        w.session().NewGame();
        QCOMPARE(table->columnWidth(HistoryModel::BalanceColumn), narrow);
        // The draw numbers' column fits them too, as a game of ten million draws needs: shown
        // here with a font in which one digit outgrows the column.
        QFont large = table->font();
        large.setPixelSize(150);
        table->setFont(large);
        w.session().AddDraw(2);
        QVERIFY(table->columnWidth(HistoryModel::DrawColumn) >
                QFontMetrics(large).horizontalAdvance("1"));
    }

    void clearingTheBetsKeepsTheHistory() {
        BetsWindow w;
        w.Click({55, 23});
        w.session().AddDraw(8);
        QTest::mouseClick(w.Button("btClearBets"), Qt::LeftButton);
        QCOMPARE(w.ledger().placedCount(), 0);
        QCOMPARE(w.page->totalLabel()->text(), QString("Total staked: 0,00"));
        w.session().AddDraw(3);
        QCOMPARE(w.history()->rowCount(), 2);
        QCOMPARE(w.ledger().balance(), Cents{-100});
    }

    void aBatchSettlesEveryDrawAndUpdatesThePageOnce() {
        BetsWindow w;
        w.Click({187, 170});  // red
        QSignalSpy inserted(w.history(), &QAbstractItemModel::rowsInserted);
        QCOMPARE(w.session().DrawRandomBatch(5000), 5000);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(w.ledger().history().size(), std::size_t{5000});
        QCOMPARE(w.history()->rowCount(), 10000);
        // The chart draws a few points per pixel column, not one per draw.
        const int points = w.page->balanceChart()->line()->count();
        QVERIFY(points > 100);
        QVERIFY(points <= 2 * w.page->balanceChart()->width() + 1);
        QCOMPARE(w.page->balanceChart()->line()->at(points - 1).x(), 5000.0);
    }

    void theHistoryScrollsThroughAWindowOfRows() {
        BetsWindow w;
        w.Click({187, 170});
        w.session().DrawRandomBatch(1000);
        RowWindowView* view = w.page->historyView();
        QTableView* table = view->table();
        // The table holds the rows in sight, not the thousands of the history.
        QVERIFY(table->model()->rowCount() < 40);
        QCOMPARE(view->scrollBar()->maximum(), 2000 - (table->viewport()->height() / 20));
        view->ScrollTo(1500);
        QCOMPARE(table->model()->index(0, HistoryModel::OrdinalColumn).data(),
                 w.history()->index(1500, HistoryModel::OrdinalColumn).data());
        QTest::keyClick(table, Qt::Key_End);
        QCOMPARE(view->selectedRow(), 1999);
        QCOMPARE(view->firstRow(), view->scrollBar()->maximum());
        QCOMPARE(table->selectionModel()->selectedRows().value(0).row(), 1999 - view->firstRow());
        QTest::keyClick(table, Qt::Key_Home);
        QCOMPARE(view->firstRow(), 0);
        w.session().UndoDraw();
        QCOMPARE(view->scrollBar()->maximum(), 1998 - (table->viewport()->height() / 20));
    }

    void textsFollowTheLanguage() {
        BetsWindow w("[Params]\nLanguage=FR\n");
        QCOMPARE(w.window.findChild<QCheckBox*>("cbVoisins")->text(), QString("Voisins"));
        QCOMPARE(w.Button("btClearBets")->text(), QString("Effacer les mises"));
        QCOMPARE(w.Button("btCollapse")->text(), QString("Réduire"));
        w.Click({259, 170});  // black
        w.session().AddDraw(2);
        QCOMPARE(w.Cell(1, HistoryModel::BetColumn), QString("Noir"));
        QCOMPARE(w.history()
                     ->headerData(HistoryModel::BalanceColumn, Qt::Horizontal, Qt::DisplayRole)
                     .toString(),
                 QString("Solde  "));
    }
};

QTEST_MAIN(BetsPageTest)
#include "bets_page_test.moc"
