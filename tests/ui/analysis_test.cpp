#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "ui/common/game_session.h"
#include "ui/shell/main_window.h"
#include "ui/stats/analysis_panel.h"
#include "ui/stats/family_page.h"
#include "ui/stats/family_stats_model.h"
#include "ui/stats/stats_area.h"
#include "ui/stats/stats_tabs.h"
#include "ui/stats/tableau_model.h"
#include "ui/stats/tableau_page.h"
#include "ui/stats/wheel_figures.h"
#include "ui_test_support.h"

using namespace spinalyst;

namespace {
template <typename T>
T* Find(QWidget* root, const char* name) {
    auto* w = root->findChild<T*>(name);
    if (!w) qFatal("no widget %s", name);
    return w;
}
QStringList Entries(QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i) list << box->itemText(i);
    return list;
}
void AddDraws(MainWindow& window, std::initializer_list<Pocket> pockets) {
    for (Pocket p : pockets) window.session().AddDraw(p);
}
std::vector<Pocket> Analysed(MainWindow& window) {
    const auto analysed = window.statsArea().analysedDraws();
    return {analysed.begin(), analysed.end()};
}
}  // namespace

class AnalysisTest final : public QObject {
    Q_OBJECT

private slots:
    void startsWithDefaultsAndWritesModeAndKindAtClose() {
        test::DataDir dir;
        {
            MainWindow window(dir.paths());
            QVERIFY(Find<QCheckBox>(&window, "cbAll1")->isChecked());
            for (const char* box : {"cbLast1", "cbNext1", "cbNext2"})
                QVERIFY(!Find<QCheckBox>(&window, box)->isChecked());
            QCOMPARE(Find<QSpinBox>(&window, "seStart1")->value(), 1);
            QCOMPARE(Find<QSpinBox>(&window, "seEnd1")->value(), 1);
            QCOMPARE(Find<QTabWidget>(&window, "pcStats")->count(), statsTabCount);
            QVERIFY(Find<QToolButton>(&window, "sbStat1")->property("current").toBool());
            const QByteArray created = dir.Read("spinalyst.ini");
            QVERIFY(
                created.startsWith("[Stat1]\nAll1=1\nStart1=1\nEnd1=1\nLast1=0\nAnalyse1=1\n"
                                   "Step1=0\nNext1=0\nParis=0\nPari=0\nNext2=0\nCroupier=\n"));
            QVERIFY(!created.contains("[Params]"));
            window.close();
        }
        const QByteArray closed = dir.Read("spinalyst.ini");
        QVERIFY(closed.contains("[Params]\nRoulette=1\nStat=1\n"));
    }

    void rangeStepAndFiltersSelectTheAnalysedDraws() {
        test::DataDir dir;
        dir.Write("spinalyst_EN.lang", "NUMERO\tTEXT\n39\tAnalysed draws\n");
        MainWindow window(dir.paths());
        QSignalSpy refreshed(&window.statsArea(), &StatsArea::statisticsRefreshed);
        AddDraws(window, {5, 17, 3, 17, 22, 17});
        QCOMPARE(refreshed.count(), 6);
        QCOMPARE(Find<QSpinBox>(&window, "seEnd1")->value(), 6);
        QCOMPARE(Find<QLabel>(&window, "lbNbTir1")->text(), QString("Analysed draws: 6"));

        // Following "Numéro" with the empty target: the draws after a 17.
        refreshed.clear();
        QTest::mouseClick(Find<QCheckBox>(&window, "cbNext1"), Qt::LeftButton);
        QCOMPARE(refreshed.count(), 1);
        QCOMPARE(Analysed(window), (std::vector<Pocket>{3, 22}));
        // The croupier filter excludes the following-filter.
        QTest::mouseClick(Find<QCheckBox>(&window, "cbNext2"), Qt::LeftButton);
        QVERIFY(!Find<QCheckBox>(&window, "cbNext1")->isChecked());
        QCOMPARE(Analysed(window).size(), 6u);  // an empty croupier name filters nothing

        // "1 in 3" over six draws takes the 1st and the 4th: counted back from after the range.
        Find<QComboBox>(&window, "cbStep1")->setCurrentIndex(2);
        QCOMPARE(Analysed(window), (std::vector<Pocket>{5, 17}));
        Find<QComboBox>(&window, "cbStep1")->setCurrentIndex(0);

        // A start beyond the end is brought back to the end.
        Find<QSpinBox>(&window, "seStart1")->setValue(50);
        QCOMPARE(Find<QSpinBox>(&window, "seStart1")->value(), 6);
        QCOMPARE(Analysed(window), (std::vector<Pocket>{17}));
        Find<QSpinBox>(&window, "seStart1")->setValue(2);

        // The last N draws.
        QTest::mouseClick(Find<QCheckBox>(&window, "cbLast1"), Qt::LeftButton);
        QVERIFY(!Find<QCheckBox>(&window, "cbAll1")->isChecked());
        Find<QSpinBox>(&window, "seAnalyse1")->setValue(2);
        QCOMPARE(Analysed(window), (std::vector<Pocket>{22, 17}));
        QTest::mouseClick(Find<QCheckBox>(&window, "cbLast1"), Qt::LeftButton);  // stays checked
        QVERIFY(Find<QCheckBox>(&window, "cbLast1")->isChecked());

        // Undo: the undone draw leaves the analysis though the range end keeps its value.
        QTest::mouseClick(Find<QCheckBox>(&window, "cbAll1"), Qt::LeftButton);
        window.session().UndoDraw();
        QCOMPARE(Find<QSpinBox>(&window, "seEnd1")->value(), 6);
        QCOMPARE(Analysed(window), (std::vector<Pocket>{17, 3, 17, 22}));

        // The betting tab runs no view but still counts.
        refreshed.clear();
        Find<QTabWidget>(&window, "pcStats")->setCurrentIndex(int(StatsTab::Bets));
        QCOMPARE(refreshed.count(), 1);
        QCOMPARE(Find<QLabel>(&window, "lbNbTir1")->text(), QString("Analysed draws: 4"));
    }

    void targetListFollowsTheFamilyAndTheKind() {
        test::DataDir dir;
        dir.Write("spinalyst_EN.lang", "NUMERO\tTEXT\n116\tRed\n117\tBlack\n");
        MainWindow window(dir.paths());
        auto* paris = Find<QComboBox>(&window, "cbParis");
        auto* pari = Find<QComboBox>(&window, "cbPari");
        QCOMPARE(pari->count(), 38);  // empty, 0 ... 36 on the French wheel
        paris->setCurrentIndex(6);
        QCOMPARE(Entries(pari), (QStringList{"", "Red", "Black"}));
        QCOMPARE(pari->currentIndex(), 0);
        paris->setCurrentIndex(1);
        QCOMPARE(pari->count(), 13);
        QCOMPARE(pari->itemText(12), QString("34-36"));
        paris->setCurrentIndex(0);
        window.findChild<QAction*>("Americaine1")->trigger();
        QCOMPARE(pari->count(), 39);
        QCOMPARE(pari->itemText(38), QString("00"));
        window.findChild<QAction*>("NoZero1")->trigger();
        QCOMPARE(pari->itemText(1), QString("1"));
    }

    void switchingModesSavesLoadsAndRefreshesOnce() {
        test::DataDir dir;
        dir.Write("spinalyst.ini",
                  "[Params]\nStat=2\n[Stat5]\nAll1=1\nStart1=50\nEnd1=70\nStep1=1\nNext1=1\n"
                  "Paris=4\nPari=2\n");
        MainWindow window(dir.paths());
        QVERIFY(Find<QToolButton>(&window, "sbStat2")->property("current").toBool());
        for (int i = 0; i < 40; ++i) window.session().AddDraw(i % 37);
        Find<QSpinBox>(&window, "seAnalyse1")->setValue(7);
        Find<QSpinBox>(&window, "seStart1")->setValue(3);
        Find<QSpinBox>(&window, "seEnd1")->setValue(20);

        QSignalSpy refreshed(&window.statsArea(), &StatsArea::statisticsRefreshed);
        QTest::mouseClick(Find<QToolButton>(&window, "sbStat5"), Qt::LeftButton);
        QCOMPARE(refreshed.count(), 1);
        QVERIFY(Find<QToolButton>(&window, "sbStat5")->property("current").toBool());
        QVERIFY(!Find<QToolButton>(&window, "sbStat2")->property("current").toBool());
        QVERIFY(dir.Read("spinalyst.ini").contains("[Stat2]\nAll1=1\nStart1=3\nEnd1=20\n"));
        QCOMPARE(Find<QSpinBox>(&window, "seStart1")->value(), 1);  // 50 is beyond 40 draws
        QCOMPARE(Find<QSpinBox>(&window, "seEnd1")->value(), 40);
        QCOMPARE(Find<QComboBox>(&window, "cbStep1")->currentIndex(), 1);
        QVERIFY(Find<QCheckBox>(&window, "cbNext1")->isChecked());
        QCOMPARE(Entries(Find<QComboBox>(&window, "cbPari")), (QStringList{"", "1", "2", "3"}));
        QCOMPARE(Find<QComboBox>(&window, "cbPari")->currentText(), QString("2"));

        refreshed.clear();
        QTest::mouseClick(Find<QToolButton>(&window, "sbStat2"), Qt::LeftButton);
        QCOMPARE(refreshed.count(), 1);
        QCOMPARE(Find<QSpinBox>(&window, "seAnalyse1")->value(), 7);
        QCOMPARE(Find<QSpinBox>(&window, "seStart1")->value(), 3);
        QCOMPARE(Find<QSpinBox>(&window, "seEnd1")->value(), 40);
        QVERIFY(!Find<QCheckBox>(&window, "cbNext1")->isChecked());

        // The current mode's button saves and refreshes, and loads nothing.
        Find<QSpinBox>(&window, "seAnalyse1")->setValue(9);
        refreshed.clear();
        QTest::mouseClick(Find<QToolButton>(&window, "sbStat2"), Qt::LeftButton);
        QCOMPARE(refreshed.count(), 1);
        QCOMPARE(Find<QSpinBox>(&window, "seAnalyse1")->value(), 9);
        QVERIFY(dir.Read("spinalyst.ini").contains("Analyse1=9"));
    }

    void theRangeEndCanBeTypedAndIsCorrectedWhenFinished() {
        test::DataDir dir;
        MainWindow window(dir.paths());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        for (int i = 0; i < 100; ++i) window.session().AddDraw(i % 37);
        auto* start = Find<QSpinBox>(&window, "seStart1");
        auto* end = Find<QSpinBox>(&window, "seEnd1");
        start->setValue(15);
        QSignalSpy refreshed(&window.statsArea(), &StatsArea::statisticsRefreshed);
        end->setFocus();
        end->selectAll();
        QTest::keyClicks(end, "20");
        QCOMPARE(refreshed.count(), 0);  // nothing happens at each keystroke
        QTest::keyClick(end, Qt::Key_Return);
        QCOMPARE(end->value(), 20);
        QCOMPARE(refreshed.count(), 1);
        QCOMPARE(Analysed(window).size(), 6u);
        // The rules still hold once the number is finished.
        end->setFocus();
        end->selectAll();
        QTest::keyClicks(end, "150");
        QTest::keyClick(end, Qt::Key_Return);
        QCOMPARE(end->value(), 100);
        end->selectAll();
        QTest::keyClicks(end, "3");
        QTest::keyClick(end, Qt::Key_Return);
        QCOMPARE(end->value(), 15);
    }

    void theRangeReachesTheNewestDrawOfAVeryLongGame() {
        test::DataDir dir;
        MainWindow window(dir.paths());
        // The range is under test, not a view: none runs over the ten million draws.
        Find<QTabWidget>(&window, "pcStats")->setCurrentIndex(int(StatsTab::Bets));
        GameSession& session = window.session();
        GameFile game;
        game.kind = RouletteKind::French;
        game.log.Reserve(maxRangeDraw + 1);
        for (int n = 0; n <= maxRangeDraw; ++n) game.log.Append(n % 37, std::nullopt, 0);
        session.ReplaceGame(std::move(game));
        QCOMPARE(Find<QSpinBox>(&window, "seEnd1")->value(), maxRangeDraw + 1);
        QCOMPARE(window.statsArea().analysedDraws().size(), std::size_t(maxRangeDraw) + 1);
        // A new game brings the boxes back to their design bounds.
        session.NewGame();
        QCOMPARE(Find<QSpinBox>(&window, "seEnd1")->maximum(), maxRangeDraw);
    }

    // However the game empties, the panel and every page say so: nothing of the last game's
    // figures stays on show.
    void anEmptyGameShowsEmptyFigures() {
        struct Case {
            const char* how;
            std::function<void(MainWindow&)> empty;
        } cases[] = {
            {"new game", [](MainWindow& w) { w.findChild<QAction*>("Nouveau1")->trigger(); }},
            {"kind switch", [](MainWindow& w) { w.findChild<QAction*>("NoZero1")->trigger(); }},
            {"every draw undone",
             [](MainWindow& w) {
                 while (w.session().drawCount() > 0) w.session().UndoDraw();
             }},
        };
        for (const Case& c : cases) {
            test::DataDir dir;
            MainWindow window(dir.paths());
            auto* tabs = Find<QTabWidget>(&window, "pcStats");
            tabs->setCurrentIndex(int(StatsTab::Tableau));
            for (int i = 0; i < 30; ++i) window.session().AddDraw(i % 37);
            Find<QSpinBox>(&window, "seStart1")->setValue(12);
            tabs->setCurrentIndex(int(StatsTab::Heat));
            auto* tableau = window.findChild<TableauPage*>("tsTableau");
            QVERIFY(tableau->model()->filled());

            c.empty(window);
            QVERIFY2(Find<QLabel>(&window, "lbNbTir1")->text().endsWith(": 0"), c.how);
            QVERIFY2(Find<QSpinBox>(&window, "seStart1")->value() == 1, c.how);
            QVERIFY2(Find<QSpinBox>(&window, "seEnd1")->value() == 1, c.how);
            QVERIFY2(window.statsArea().analysedDraws().empty(), c.how);
            QVERIFY2(!window.findChild<WheelFigures*>()->stats(), c.how);
            QVERIFY2(!tableau->model()->filled(), c.how);
            auto* pleins = window.findChild<FamilyPage*>("tsPleins");
            for (int r = 0; r < pleins->model()->rowCount(); ++r)
                QVERIFY2(pleins->model()->index(r, 1).data().toString().isEmpty(), c.how);
            // The first draw of the next game is analysed from the start.
            window.session().AddDraw(7);
            QCOMPARE(Analysed(window), std::vector<Pocket>{7});
        }
    }

    void aHandEditedFileStartsWithWhatItCanApply() {
        test::DataDir dir;
        const QByteArray file =
            "; kept\n[Params]\nStat=12\nRoulette=-4\n[Stat9]\nStart1=-5\nEnd1=99999999\n"
            "Analyse1=-2\nStep1=20\nParis=3\nPari=77\nNext2=1\nCroupier=Nobody\n[Mine]\nx=1\n";
        dir.Write("spinalyst.ini", file);
        MainWindow window(dir.paths());
        QCOMPARE(window.session().kind(), RouletteKind::French);
        QVERIFY(Find<QToolButton>(&window, "sbStat9")->property("current").toBool());
        QCOMPARE(Find<QSpinBox>(&window, "seAnalyse1")->value(), 1);
        QCOMPARE(Find<QComboBox>(&window, "cbStep1")->currentIndex(), -1);
        QCOMPARE(Find<QComboBox>(&window, "cbCroupier")->currentText(), QString("Nobody"));
        QVERIFY(Find<QCheckBox>(&window, "cbNext2")->isChecked());
        AddDraws(window, {1, 2, 3});
        // No step chosen counts as every draw; a croupier nobody has filters nothing.
        QCOMPARE(Analysed(window), (std::vector<Pocket>{1, 2, 3}));
        const QByteArray after = dir.Read("spinalyst.ini");
        QVERIFY(after.startsWith("; kept\n[Params]\nStat=12\n"));
        QVERIFY(after.contains("[Mine]\nx=1\n"));
    }
};

QTEST_MAIN(AnalysisTest)
#include "analysis_test.moc"
