#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "core/betting/plan_settings.h"
#include "ui/betting/bets_page.h"
#include "ui/betting/progression_box.h"
#include "ui/betting/sessions_model.h"
#include "ui/betting/strategy_page.h"
#include "ui/common/game_session.h"
#include "ui/shell/main_window.h"
#include "ui/stats/stats_tabs.h"
#include "ui_test_support.h"

using namespace spinalyst;

namespace {

constexpr BetSlot red{BetKind::RougeNoir, 1};
// The red diamond of the table picture.
const QPoint redArea(226, 176);

struct Window {
    test::DataDir dir;
    MainWindow window;

    explicit Window(const QByteArray& language = "EN", const QByteArray& plan = {})
        : window(Prepared(dir, "[Params]\nLanguage=" + language + "\n" + plan)) {
        window.resize(1012, 677);
        window.show();
    }
    static DataPaths Prepared(const test::DataDir& dir, const QByteArray& settings) {
        dir.CopyShippedLanguages();
        dir.Write("spinalyst.ini", settings);
        return dir.paths();
    }
    void ShowTab(StatsTab tab) {
        window.findChild<QTabWidget*>("pcStats")->setCurrentIndex(int(tab));
    }
    GameSession& session() { return window.session(); }
    template <typename T>
    T* Find(const char* name) {
        T* found = window.findChild<T*>(name);
        if (!found) qFatal("no %s", name);
        return found;
    }
    void Type(const char* field, const QString& text) {
        auto* edit = Find<QLineEdit>(field);
        edit->setText(text);
        emit edit->editingFinished();
    }
    QString State() { return Find<QLabel>("lbPlanState")->text(); }
    PlanSettings Saved() {
        return ReadPlanSettings(IniFile::Parse(dir.Read("spinalyst.ini").toStdString()));
    }
};

class StrategyTest : public QObject {
    Q_OBJECT

private slots:
    void martingaleOnRedPlaysLiveAndUndoes() {
        Window w;
        w.ShowTab(StatsTab::Bets);
        w.session().ClickTable(redArea.x(), redArea.y(), MouseButton::Left);
        QCOMPARE(w.session().ledger().stake(red), Cents{100});
        w.Find<QComboBox>("cbProgression")->setCurrentIndex(int(Progression::Martingale) + 1);
        w.Type("edBankroll", "10");
        w.Type("edTableMax", "4");
        // What the box holds is saved as it is edited.
        QCOMPARE(w.Saved().progression, std::optional(Progression::Martingale));
        QCOMPARE(w.Saved().rules.bankroll, std::optional<Cents>(1000));
        QTest::mouseClick(w.Find<QPushButton>("btStartSession"), Qt::LeftButton);
        QVERIFY(w.session().ledger().live().running());
        QVERIFY(!w.Find<QPushButton>("btClearBets")->isEnabled());

        // Black, black: the chip doubles each time, and the box says what comes.
        w.session().AddDraw(2);
        w.session().AddDraw(4);
        QCOMPARE(w.session().ledger().stake(red), Cents{400});
        QVERIFY2(w.State().contains("4,00 staked, units: 4"), qPrintable(w.State()));
        QVERIFY2(w.State().contains("Bankroll left: 7,00"), qPrintable(w.State()));
        // A click on the table does not move the plan's chips.
        w.session().ClickTable(redArea.x(), redArea.y(), MouseButton::Left);
        QCOMPARE(w.session().ledger().stake(red), Cents{400});

        w.session().UndoDraw();
        QCOMPARE(w.session().ledger().stake(red), Cents{200});
        QVERIFY2(w.State().contains("Bankroll left: 9,00"), qPrintable(w.State()));
        w.session().AddDraw(4);
        // Past the table maximum of 4,00 the progression starts again.
        w.session().AddDraw(6);
        QCOMPARE(w.session().ledger().stake(red), Cents{100});
        // 1 + 2 + 4 + 1 lost of 10,00: the 2,00 left covers the next 2,00, then nothing is left.
        w.session().AddDraw(8);
        QCOMPARE(w.session().ledger().stake(red), Cents{200});
        w.session().AddDraw(10);
        QCOMPARE(w.session().ledger().placedCount(), 0);
        QVERIFY2(w.State().contains("ruined"), qPrintable(w.State()));
        QVERIFY(w.Find<QPushButton>("btStartSession")->isEnabled());

        // The next session takes the last plan's bets again.
        QTest::mouseClick(w.Find<QPushButton>("btStartSession"), Qt::LeftButton);
        QCOMPARE(w.session().ledger().stake(red), Cents{100});
        QTest::mouseClick(w.Find<QPushButton>("btStopPlan"), Qt::LeftButton);
        QVERIFY(!w.session().ledger().live().active());
        QVERIFY(w.Find<QPushButton>("btClearBets")->isEnabled());
    }

    void refusedStartSaysWhy() {
        Window w("FR");
        w.ShowTab(StatsTab::Bets);
        w.Find<QComboBox>("cbProgression")->setCurrentIndex(int(Progression::Labouchere) + 1);
        QTest::mouseClick(w.Find<QPushButton>("btStartSession"), Qt::LeftButton);
        QVERIFY2(w.State().startsWith("Placez"), qPrintable(w.State()));
        w.session().ClickTable(redArea.x(), redArea.y(), MouseButton::Left);
        w.Type("edProgressionEntries", "1,0");
        QTest::mouseClick(w.Find<QPushButton>("btStartSession"), Qt::LeftButton);
        QVERIFY(!w.session().ledger().live().active());
        w.Type("edProgressionEntries", "1,2,3,4");
        w.Type("edTableMax", "4");
        QTest::mouseClick(w.Find<QPushButton>("btStartSession"), Qt::LeftButton);
        QVERIFY2(w.State().contains("maximum"), qPrintable(w.State()));
        QCOMPARE(w.Saved().entries.line, (std::vector<Units>{1, 2, 3, 4}));
    }

    void strategyPageBacktestsTheAnalysedDraws() {
        Window w("EN", "[Progression]\nName=martingale\nStopWin=1\n");
        w.session().ClickTable(redArea.x(), redArea.y(), MouseButton::Left);
        w.ShowTab(StatsTab::Strategy);
        auto* page = w.Find<StrategyPage>("tsStrategie");
        QAbstractItemModelTester tester(page->sessionsModel());
        for (Pocket p : {2, 1, 2, 2, 1, 1, 2}) w.session().AddDraw(p);
        SessionsModel* model = page->sessionsModel();
        QCOMPARE(model->rowCount(), 4);
        QCOMPARE(model->index(1, SessionsModel::FirstDrawColumn).data().toInt(), 3);
        QCOMPARE(model->index(1, SessionsModel::StakedColumn).data().toString(), QString("7,00"));
        QCOMPARE(model->index(3, SessionsModel::EndColumn).data().toString(),
                 QString("end of the draws"));
        QVERIFY2(page->totalsLabel()->text().startsWith("4 sessions, 7 spins"),
                 qPrintable(page->totalsLabel()->text()));
        QCOMPARE(page->runningLine()->count(), 8);
        QCOMPARE(page->sessionEnds()->count(), 3);
        // With a plan, its export is the command line's backtest of the same draws.
        QVERIFY(page->exportsFigures());
        const std::vector<std::uint8_t> pockets = {2, 1, 2, 2, 1, 1, 2};
        const StatsInput input{RouletteKind::French, pockets, {}, &w.session().game().log(),
                               AnalysisWindow{1, 7, 1, std::nullopt, 0, 0}};
        QCOMPARE(page->FiguresCsv(input),
                 std::string("session,first_draw,spins,staked,won,balance,lowest,end\n"
                             "1,1,2,3.00,4.00,1.00,-1.00,win\n2,3,3,7.00,8.00,1.00,-3.00,win\n"
                             "3,6,1,1.00,2.00,1.00,0.00,win\n4,7,1,1.00,0.00,-1.00,-1.00,data\n"));
        w.session().UndoDraw();
        QCOMPARE(model->rowCount(), 3);
    }

    void monteCarloRunsAndCancels() {
        Window w("EN",
                 "[Progression]\nName=martingale\nBankroll=63\nStopWin=1\nSessions=2000\n"
                 "MaxSpins=50\n");
        w.session().ClickTable(redArea.x(), redArea.y(), MouseButton::Left);
        w.ShowTab(StatsTab::Strategy);
        auto* page = w.Find<StrategyPage>("tsStrategie");
        QSignalSpy finished(page, &StrategyPage::monteCarloFinished);
        QTest::mouseClick(page->runButton(), Qt::LeftButton);
        QVERIFY(finished.wait(10000));
        QVERIFY(page->monteCarlo());
        QCOMPARE(page->monteCarlo()->sessions, 2000);
        // Every session ends at its first win or ruined; the median is the win.
        QCOMPARE(page->figuresTable()->item(6, 1)->text(), QString("1,00"));
        QVERIFY(page->runButton()->isEnabled());

        // A long run stopped at once leaves the figures of the last one.
        page->findChild<QSpinBox*>("seSessions")->setValue(10'000'000);
        QTest::mouseClick(page->runButton(), Qt::LeftButton);
        QVERIFY(page->cancelButton()->isEnabled());
        QTest::mouseClick(page->cancelButton(), Qt::LeftButton);
        QVERIFY(page->runButton()->isEnabled());
        QTest::qWait(200);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(page->monteCarlo()->sessions, 2000);
    }
};

}  // namespace

QTEST_MAIN(StrategyTest)
#include "strategy_test.moc"
