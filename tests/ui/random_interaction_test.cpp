// Drives the main window with a long seeded sequence of user actions and checks after each
// that what the window shows agrees with the core. Set SPINALYST_SEED to replay a failure and
// SPINALYST_ACTIONS to run longer.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <random>

#include "core/stats/slot_stats.h"
#include "ui/common/game_session.h"
#include "ui/common/notice.h"
#include "ui/draws/entry_area.h"
#include "ui/draws/input_panel.h"
#include "ui/shell/main_window.h"
#include "ui/stats/analysis_panel.h"
#include "ui/stats/family_page.h"
#include "ui/stats/family_stats_model.h"
#include "ui/stats/stats_area.h"
#include "ui_test_support.h"

using namespace spinalyst;

namespace {
unsigned SeedFromEnvironment() {
    bool ok = false;
    const unsigned seed = qEnvironmentVariable("SPINALYST_SEED").toUInt(&ok);
    return ok ? seed : 20261210u;
}
int ActionsFromEnvironment() {
    bool ok = false;
    const int n = qEnvironmentVariable("SPINALYST_ACTIONS").toInt(&ok);
    return ok && n > 0 ? n : 3000;
}
}  // namespace

class RandomInteractionTest final : public QObject {
    Q_OBJECT

private slots:
    void windowAgreesWithTheCoreAfterEveryAction() {
        const unsigned seed = SeedFromEnvironment();
        const int actions = ActionsFromEnvironment();
        qInfo("seed %u, %d actions (SPINALYST_SEED replays)", seed, actions);
        rng_.seed(seed);
        test::DataDir dir;
        dir.CopyShippedLanguages();
        window_ = std::make_unique<MainWindow>(dir.paths());
        window_->resize(1012, 677);
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        for (step_ = 1; step_ <= actions; ++step_) {
            const QString done = Act();
            QCoreApplication::processEvents();
            Check(done);
            if (QTest::currentTestFailed()) {
                qWarning("failed at action %d (%s); replay with SPINALYST_SEED=%u", step_,
                         qPrintable(done), seed);
                return;
            }
        }
        window_.reset();
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    template <typename T>
    T* Find(const char* name) {
        auto* w = window_->findChild<T*>(name);
        if (!w) qFatal("no widget %s", name);
        return w;
    }
    GameSession& Session() { return window_->session(); }
    Pocket AnyPocket() {
        const RouletteKind kind = Session().kind();
        return Pick(firstPocket(kind), lastPocket(kind));
    }
    void TypeInto(QSpinBox* box, int value) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QString::number(value));
        QTest::keyClick(box, Qt::Key_Return);
    }

    QString Act() {
        const int roll = Pick(0, 99);
        if (roll < 20) {
            const Pocket p = AnyPocket();
            QTest::mouseClick(window_->findChild<InputPanel*>()->inputLabel(p), Qt::LeftButton);
            return "click " + QString::fromStdString(PocketText(p));
        }
        if (roll < 34) {
            const Pocket p = AnyPocket();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QCoreApplication::processEvents();
            const int before = Session().drawCount();
            QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(PocketText(p)));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            const QString typed = "type " + QString::fromStdString(PocketText(p));
            if (Session().drawCount() != before + 1)
                QTest::qFail(qPrintable(typed + ": no draw added"), __FILE__, __LINE__);
            return typed;
        }
        if (roll < 42) {
            QTest::mouseClick(Find<QPushButton>("btnUndo"), Qt::LeftButton);
            return "undo";
        }
        if (roll < 43) {
            Find<QAction>("Nouveau1")->trigger();
            return "new game";
        }
        if (roll < 44) {
            const char* kinds[] = {"Americaine1", "Francaise1", "NoZero1"};
            const char* kind = kinds[Pick(0, 2)];
            Find<QAction>(kind)->trigger();
            return kind;
        }
        if (roll < 47) {
            const int n = Pick(1, 60);
            Find<QSpinBox>("seNbRand")->setValue(n);
            QTest::mouseClick(Find<QPushButton>("btRandom"), Qt::LeftButton);
            return QString("batch %1").arg(n);
        }
        if (roll < 50) {
            const int mode = Pick(1, 9);
            QTest::mouseClick(Find<QToolButton>(qPrintable(QString("sbStat%1").arg(mode))),
                              Qt::LeftButton);
            return QString("mode %1").arg(mode);
        }
        if (roll < 57) {
            const int tab = Pick(0, statsTabCount - 1);
            Find<QTabWidget>("pcStats")->setCurrentIndex(tab);
            return QString("tab %1").arg(tab);
        }
        if (roll < 65) {
            const char* boxes[] = {"cbAll1", "cbLast1", "cbNext1", "cbNext2"};
            const char* box = boxes[Pick(0, 3)];
            QTest::mouseClick(Find<QCheckBox>(box), Qt::LeftButton);
            return box;
        }
        if (roll < 72) {
            const char* boxes[] = {"seStart1", "seEnd1", "seAnalyse1"};
            const char* box = boxes[Pick(0, 2)];
            const int value = Pick(1, std::max(1, Session().drawCount() + 5));
            TypeInto(Find<QSpinBox>(box), value);
            return QString("%1 = %2").arg(box).arg(value);
        }
        if (roll < 84) {
            const char* lists[] = {"cbStep1", "cbParis", "cbPari", "cbCroupiers"};
            const char* name = lists[Pick(0, 3)];
            auto* list = Find<QComboBox>(name);
            if (list->count() == 0) return "empty list";
            list->setFocus();
            QTest::keyClick(list, Pick(0, 1) ? Qt::Key_Down : Qt::Key_Up);
            return QString("%1 -> %2").arg(name).arg(list->currentIndex());
        }
        if (roll < 88) {
            auto* filter = Find<QComboBox>("cbCroupier");
            const QString name = Pick(0, 3) == 0
                                     ? QString("Nobody")
                                     : filter->itemText(Pick(0, std::max(0, filter->count() - 1)));
            filter->setEditText(name);
            return "croupier filter " + name;
        }
        if (roll < 90) {
            const QString name = QString("Croupier %1").arg(Pick(1, 30));
            test::AnswerCroupierName(name);
            QTest::mouseClick(Find<QPushButton>("btCroupier"), Qt::LeftButton);
            return "new croupier " + name;
        }
        const int n = Pick(1, 5);
        for (int i = 0; i < n; ++i) Session().AddDraw(AnyPocket());
        return QString("%1 draws").arg(n);
    }

    void Check(const QString& action) {
        const QString where = QString("action %1 (%2)").arg(step_).arg(action);
        GameSession& session = Session();
        const Game& game = session.game();
        auto* grid = Find<QTableView>("sgDraws");
        QVERIFY2(grid->model()->rowCount() == game.drawCount(), qPrintable(where));
        if (game.drawCount() == 0) {
            // An empty game analyses nothing and says so.
            QVERIFY2(window_->statsArea().analysedDraws().empty(), qPrintable(where));
            QVERIFY2(Find<QLabel>("lbNbTir1")->text().endsWith(" 0"), qPrintable(where));
            QVERIFY2(Find<QSpinBox>("seEnd1")->value() == 1, qPrintable(where));
            return;
        }
        QVERIFY2(grid->model()->index(0, 2).data().toInt() == game.drawCount(), qPrintable(where));

        // The analysed draws the panel's settings select, worked out by the core on its own.
        const AnalysisControls controls = window_->statsArea().analysisPanel()->Controls();
        const auto lookup = [&](std::string_view name) {
            return session.croupiers().CroupierIndex(name);
        };
        const auto resolved = ResolveAnalysisWindow(controls, game.log(), game.kind(), lookup);
        QVERIFY2(resolved, qPrintable(where));
        std::vector<std::uint8_t> buffer;
        const auto expected =
            SelectAnalysedDraws(game.log(), game.kind(), resolved->window, buffer);
        const auto shown = window_->statsArea().analysedDraws();
        QVERIFY2(std::equal(shown.begin(), shown.end(), expected.begin(), expected.end()),
                 qPrintable(where));
        QVERIFY2(Find<QLabel>("lbNbTir1")->text().endsWith(" " + QString::number(expected.size())),
                 qPrintable(where));

        auto* page = qobject_cast<FamilyPage*>(Find<QTabWidget>("pcStats")->currentWidget());
        if (!page) return;
        const std::vector<SlotStats> stats =
            ComputeFamilyStats(page->family(), game.kind(), expected);
        const FamilyStatsModel* model = page->model();
        QVERIFY2(model->rowCount() == static_cast<int>(stats.size()), qPrintable(where));
        for (int row = 0; row < model->rowCount(); ++row) {
            const SlotStats& s = stats[static_cast<std::size_t>(row)];
            const int figures[] = {s.hits, s.sinceLast, s.maxGap, s.repeats};
            for (int column = 1; column <= 4; ++column)
                QVERIFY2(model->index(row, column).data(FamilyStatsModel::sortRole).toInt() ==
                             figures[column - 1],
                         qPrintable(where + QString(", row %1 column %2").arg(row).arg(column)));
        }
    }

    std::mt19937 rng_;
    std::unique_ptr<MainWindow> window_;
    int step_ = 0;
};

QTEST_MAIN(RandomInteractionTest)
#include "random_interaction_test.moc"
