#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <cmath>
#include <memory>

#include "core/draws/random_source.h"
#include "ui/common/game_session.h"
#include "ui/shell/main_window.h"
#include "ui/stats/fairness_page.h"
#include "ui/stats/freeze_panel.h"
#include "ui/stats/play_texts.h"
#include "ui/stats/power_plan_model.h"
#include "ui/stats/stats_tabs.h"
#include "ui_test_support.h"

using namespace spinalyst;

namespace {
std::unique_ptr<MainWindow> Open(const test::DataDir& dir, const char* language) {
    dir.Write("spinalyst.ini", QByteArray("[Params]\nLanguage=") + language + "\nRoulette=1\n");
    dir.CopyShippedLanguages();
    return std::make_unique<MainWindow>(dir.paths());
}
FairnessPage* ShowFairness(MainWindow& window) {
    auto* page = window.findChild<FairnessPage*>("tsEquite");
    if (!page) qFatal("no fairness page");
    page->SetSimulations(200);
    window.findChild<QTabWidget*>("pcStats")->setCurrentIndex(int(StatsTab::Fairness));
    page->innerTabs()->setCurrentIndex(1);
    return page;
}
// French draws from a seeded generator, in one batch; with `hot`, every 37th is pocket 17.
void AddDraws(GameSession& session, int n, bool hot, std::uint64_t seed) {
    RandomSource rng(seed);
    {
        const GameSession::Batch batch(session);
        for (int i = 0; i < n; ++i) {
            const Pocket p = rng.Next(RouletteKind::French);
            session.AddDraw(hot && i % 37 == 0 ? 17 : p);
        }
    }
}
template <typename T>
T* Child(QWidget* parent, const char* name) {
    auto* child = parent->findChild<T*>(name);
    if (!child) qFatal("no %s", name);
    return child;
}
QString Cell(PowerPlanModel* model, PlanRow row, int column) {
    return model->index(int(row), column).data().toString();
}
}  // namespace

class FairnessPlayTest final : public QObject {
    Q_OBJECT

private slots:
    void thePlanShowsTheSpinsEachSizeNeeds() {
        test::DataDir dir;
        const auto window = Open(dir, "EN");
        FairnessPage* page = ShowFairness(*window);
        PowerPlanModel* model = page->planModel();
        QAbstractItemModelTester tester(model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        AddDraws(window->session(), 3700, true, 4);
        QCOMPARE(model->columnCount(), 4);
        QCOMPARE(model->rowCount(), planRowCount);
        QCOMPARE(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString("Pocket"));
        QCOMPARE(model->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString("Sector of 9"));
        QCOMPARE(
            model->headerData(int(PlanRow::SpinsFor20), Qt::Vertical, Qt::DisplayRole).toString(),
            QString("Spins to detect +20%"));
        QCOMPARE(model->headerData(int(PlanRow::SpinsForBreakEven), Qt::Vertical, Qt::DisplayRole)
                     .toString(),
                 QString("Spins to detect break-even, +2,78%"));
        // The figures are the core's plan for the analysed draws.
        const PowerPlan& plan = model->plan();
        QCOMPARE(plan.drawCount, 3700);
        QCOMPARE(Cell(model, PlanRow::SpinsFor20, 0), QString::number(*plan.sizes[0].spinsFor[1]));
        QCOMPARE(Cell(model, PlanRow::Leader, 0), QString("17"));
        QCOMPARE(Cell(model, PlanRow::Leader, 2).count('-'), 4);
        QVERIFY(Cell(model, PlanRow::LeaderExcess, 0).startsWith('+'));
        QVERIFY(Cell(model, PlanRow::Detectable, 0).endsWith('%'));
        // The leader found in the draws is a candidate, not a confirmation.
        const QString line = page->playLabel()->text();
        QVERIFY2(line.startsWith("Leader: pocket 17, ") &&
                     line.contains("a candidate, not yet confirmed"),
                 qPrintable(line));
    }

    void aFrozenPocketIsConfirmedOnlyByTheDrawsAfterIt() {
        QFETCH(QString, language);
        QFETCH(QString, noDrawYet);
        QFETCH(QString, confirmed);
        test::DataDir dir;
        const auto window = Open(dir, language.toLatin1().constData());
        GameSession& session = window->session();
        FairnessPage* page = ShowFairness(*window);
        AddDraws(session, 1000, true, 7);
        FreezePanel* panel = page->freezePanel();
        QLineEdit* edit = panel->setEdit();
        // The leading pocket is offered; one click offers the leading sector of five instead.
        QCOMPARE(edit->text(), QString("17"));
        QTest::mouseClick(Child<QPushButton>(panel, "btnLeadingSector"), Qt::LeftButton);
        QCOMPARE(edit->text().count(", "), 4);
        QVERIFY(edit->text().contains("17"));
        QTest::mouseClick(Child<QPushButton>(panel, "btnLeadingPocket"), Qt::LeftButton);
        QCOMPARE(edit->text(), QString("17"));
        QTest::mouseClick(Child<QPushButton>(panel, "btnFreeze"), Qt::LeftButton);
        QCOMPARE(session.game().freeze(), (FrozenSet{1000, {17}}));
        QCOMPARE(page->playLabel()->text(), noDrawYet);

        // The next draws favour 17 as the ones before did.
        AddDraws(session, 1500, true, 8);
        QVERIFY(page->confirmation());
        QCOMPARE(page->confirmation()->draws, 1500);
        QCOMPARE(Child<QLabel>(panel, "lbFrozenDraws")->text(), QString("1500"));
        QVERIFY(page->confirmation()->confirmed());
        QCOMPARE(page->playLabel()->text(), confirmed);
        QVERIFY(Child<QLabel>(panel, "lbFrozenKelly")->text().contains("Kelly"));

        // Cleared, the leader is a candidate again.
        QTest::mouseClick(Child<QPushButton>(panel, "btnClearFreeze"), Qt::LeftButton);
        QVERIFY(!session.game().freeze());
        QVERIFY(!page->confirmation());
        QVERIFY(!page->playLabel()->text().contains(confirmed.left(10)));
    }
    void aFrozenPocketIsConfirmedOnlyByTheDrawsAfterIt_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("noDrawYet");
        QTest::addColumn<QString>("confirmed");
        QTest::newRow("English") << "EN"
                                 << "Frozen after draw 1000, 17: no draw since yet."
                                 << "Frozen after draw 1000, 17: confirmed by the 1500 draws "
                                    "since.";
        QTest::newRow("French") << "FR"
                                << "Gel de 17 après le tirage 1000\u00a0: aucun tirage depuis."
                                << "Gel de 17 après le tirage 1000\u00a0: confirmé par les 1500 "
                                   "tirages suivants.";
    }

    // The line's words follow the evidence: a leader found in the draws is a candidate with the
    // spins still needed, however small its p; a frozen set is confirmed by its own evidence
    // alone, not by a one-sided p below 0.05.
    void theLineSaysHowFarTheEvidenceGoes() {
        QFETCH(QString, language);
        QFETCH(QString, tooFew);
        QFETCH(QString, beyond);
        QFETCH(QString, notYet);
        QFETCH(QString, confirmed);
        test::DataDir dir;
        const auto window = Open(dir, language.toLatin1().constData());

        const auto leading = [](double excess, std::optional<int> spins, std::optional<int> more) {
            PowerPlan plan;
            SizePlan pocket;
            pocket.leader = {17};
            pocket.leaderExcess = excess;
            pocket.spinsForLeader = spins;
            pocket.moreForLeader = more;
            plan.sizes.push_back(pocket);
            return plan;
        };
        const PowerPlan far = leading(0.25, 9000, 8000);
        QCOMPARE(PlayLine(far, std::nullopt, std::nullopt), tooFew);
        QCOMPARE(PlayLine(leading(0.001, std::nullopt, std::nullopt), std::nullopt, std::nullopt),
                 beyond);
        // Every pocket at or below its share: no leader to speak of.
        QCOMPARE(PlayLine(leading(0, std::nullopt, std::nullopt), std::nullopt, std::nullopt),
                 QString());

        const FrozenSet freeze{3000, {17, 20}};
        Confirmation c;
        c.draws = 300;
        c.hits = 28;
        c.p = 0.01;
        c.logEvidence = std::log(19.0);
        QCOMPARE(PlayLine(far, freeze, c), notYet);
        c.logEvidence = std::log(21.0);
        QCOMPARE(PlayLine(far, freeze, c), confirmed);
    }
    void theLineSaysHowFarTheEvidenceGoes_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("tooFew");
        QTest::addColumn<QString>("beyond");
        QTest::addColumn<QString>("notYet");
        QTest::addColumn<QString>("confirmed");
        QTest::newRow("English")
            << "EN"
            << "Leader: pocket 17, 25,0% above its share: a candidate, not yet confirmed. "
               "Detecting such an excess takes 9000 spins, 8000 more than these."
            << "Leader: pocket 17, 0,1% above its share: a candidate, not yet confirmed. "
               "Detecting such an excess takes over 100000000 spins."
            << "Frozen after draw 3000, 17, 20: not confirmed yet by the 300 draws since."
            << "Frozen after draw 3000, 17, 20: confirmed by the 300 draws since.";
        QTest::newRow("French")
            << "FR"
            << "En tête\u00a0: le numéro 17, 25,0\u00a0% au-dessus de sa part\u00a0: un "
               "candidat, pas encore confirmé. Déceler un tel excès demande 9000 tirages, 8000 de "
               "plus que ceux-ci."
            << "En tête\u00a0: le numéro 17, 0,1\u00a0% au-dessus de sa part\u00a0: un "
               "candidat, pas encore confirmé. Déceler un tel excès demande plus de 100000000 "
               "tirages."
            << "Gel de 17, 20 après le tirage 3000\u00a0: pas encore confirmé par les 300 tirages "
               "suivants."
            << "Gel de 17, 20 après le tirage 3000\u00a0: confirmé par les 300 tirages suivants.";
    }

    void aFairPocketFrozenStaysUnconfirmedAndASetCanBeTyped() {
        test::DataDir dir;
        const auto window = Open(dir, "EN");
        GameSession& session = window->session();
        FairnessPage* page = ShowFairness(*window);
        AddDraws(session, 800, false, 2);
        FreezePanel* panel = page->freezePanel();
        QLineEdit* edit = panel->setEdit();
        auto* message = Child<QLabel>(panel, "lbFreezeMessage");
        // Digits go to the box the player clicked into, not to draw entry.
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QApplication::setActiveWindow(window.get());
        const auto typeInto = [&](const char* typed) {
            edit->setFocus();
            QTRY_VERIFY(edit->hasFocus());
            edit->clear();
            QTest::keyClicks(edit, typed);
        };
        // What the wheel does not have is refused, with a word why.
        for (const char* typed : {"17, 99", "17, 17", "00", "red"}) {
            typeInto(typed);
            QTest::mouseClick(Child<QPushButton>(panel, "btnFreeze"), Qt::LeftButton);
            QVERIFY2(!session.game().freeze(), qPrintable(edit->text()));
            QVERIFY(message->isVisibleTo(panel));
        }
        typeInto("4 21; 2");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(session.game().freeze(), (FrozenSet{800, {4, 21, 2}}));
        QVERIFY(!message->isVisibleTo(panel));
        // The typed set stays while draws come.
        AddDraws(session, 400, false, 3);
        QCOMPARE(edit->text(), QString("4 21; 2"));
        QVERIFY(!page->confirmation()->confirmed());
        QVERIFY(page->playLabel()->text().startsWith(
            "Frozen after draw 800, 4, 21, 2: not confirmed yet by the 400 draws"));

        // A new game has nothing frozen.
        session.NewGame();
        QVERIFY(!session.game().freeze());
        QCOMPARE(Child<QLabel>(panel, "lbFrozen")->text(),
                 QString("Nothing frozen yet: freeze the leaders to test them on the draws that "
                         "come after."));
        // Undoing draws seen before the freeze moves it back with them.
        AddDraws(session, 10, false, 5);
        QVERIFY(session.FreezePockets({0}));
        session.UndoDraw();
        session.UndoDraw();
        QCOMPARE(session.game().freeze(), (FrozenSet{8, {0}}));
        QCOMPARE(page->playLabel()->text(), QString("Frozen after draw 8, 0: no draw since yet."));
    }
};

QTEST_MAIN(FairnessPlayTest)
#include "fairness_play_test.moc"
