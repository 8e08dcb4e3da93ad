#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include "ui/common/game_session.h"
#include "ui/shell/main_window.h"
#include "ui/stats/analysis_panel.h"
#include "ui/stats/family_page.h"
#include "ui/stats/stats_area.h"
#include "ui/stats/stats_charts.h"
#include "ui_test_support.h"

using namespace spinalyst;

namespace {
std::unique_ptr<MainWindow> OpenIn(const test::DataDir& dir, const char* language, QSize size,
                                   const QByteArray& moreSettings = {}) {
    dir.Write("spinalyst.ini", QByteArray("[Params]\nLanguage=") + language + "\n" + moreSettings);
    dir.CopyShippedLanguages();
    auto window = std::make_unique<MainWindow>(dir.paths());
    if (size.isValid()) window->resize(size);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
    return window;
}
}  // namespace

class LayoutTest final : public QObject {
    Q_OBJECT

private slots:
    // On a 1024 x 600 screen the window opens inside it: the status bar, where the journal's
    // warning shows, and the draws' buttons are in sight.
    void theWindowOpensWithinASmallScreen() {
        test::DataDir dir;
        const auto window = OpenIn(dir, "EN", QSize());
        QVERIFY(window);
        const QRect screen(0, 0, 1024, 600);
        window->OpenWithin(screen);
        QTest::qWait(0);
        QVERIFY2(screen.contains(window->frameGeometry()),
                 qPrintable(QString("%1x%2").arg(window->width()).arg(window->height())));
        QVERIFY(window->statusBar()->isVisible());
        const QRect bar(window->statusBar()->mapTo(window.get(), QPoint(0, 0)),
                        window->statusBar()->size());
        QVERIFY(window->rect().contains(bar));
        auto* last = window->findChild<QWidget*>("btLast");
        QVERIFY(last);
        QVERIFY(
            window->rect().contains(QRect(last->mapTo(window.get(), QPoint(0, 0)), last->size())));
        // A large screen keeps the design size.
        const auto roomy = OpenIn(dir, "EN", QSize());
        roomy->OpenWithin(QRect(0, 0, 1920, 1080));
        QCOMPARE(roomy->size(), QSize(1012, 677).expandedTo(roomy->size()));
        QVERIFY(roomy->width() >= 1012 && roomy->height() >= 677);
    }

    void everyTextFitsAtTheDesignSize_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "EN";
        QTest::newRow("French") << "FR";
    }
    void everyTextFitsAtTheDesignSize() {
        QFETCH(QString, language);
        test::DataDir dir;
        const auto window = OpenIn(dir, language.toLatin1().constData(), QSize(1012, 677));
        QVERIFY(window);
        AnalysisPanel* panel = window->statsArea().analysisPanel();
        const QList<QWidget*> parts =
            panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget* part : parts) {
            if (!part->isVisible()) continue;
            QVERIFY2(panel->rect().contains(part->geometry()), qPrintable(part->objectName()));
            if (auto* label = qobject_cast<QLabel*>(part))
                QVERIFY2(label->width() >= label->sizeHint().width(),
                         qPrintable(label->objectName() + ": " + label->text()));
            for (QWidget* other : parts)
                if (other != part && other->isVisible())
                    QVERIFY2(!part->geometry().intersects(other->geometry()),
                             qPrintable(part->objectName() + " covers " + other->objectName()));
        }
        // Every tab caption shows without scroll arrows, and without widening the window: a
        // page or a tab bar wider than the design width would push the window past it.
        QCOMPARE(window->width(), 1012);
        auto* tabs = window->findChild<QTabWidget*>("pcStats");
        QCOMPARE(tabs->count(), statsTabCount);
        QVERIFY(tabs->tabBar()->sizeHint().width() <= tabs->width());
    }

    // A page fills its captions and figures once it shows: none may then widen the window.
    void everyPageShowsAtTheDesignWidth_data() { everyTextFitsAtTheDesignSize_data(); }
    void everyPageShowsAtTheDesignWidth() {
        QFETCH(QString, language);
        test::DataDir dir;
        const auto window = OpenIn(dir, language.toLatin1().constData(), QSize(1012, 677),
                                   "[Progression]\nName=martingale\nStopWin=10\n");
        QVERIFY(window);
        GameSession& session = window->session();
        // A chip on red, played through wins and losses.
        session.ClickTable(226, 176, MouseButton::Left);
        QVERIFY(session.ledger().totalStake() > 0);
        for (Pocket p : {2, 4, 6, 1, 3, 5, 7, 0, 9}) session.AddDraw(p);
        auto* tabs = window->findChild<QTabWidget*>("pcStats");
        for (int t = 0; t < tabs->count(); ++t) {
            tabs->setCurrentIndex(t);
            QCoreApplication::processEvents();
            QVERIFY2(window->width() == 1012, TabInfo(StatsTab(t)).name);
        }
    }

    // A 1024 x 600 screen, less a title bar and a panel: the statistics scroll and the
    // draws list shortens. At start nothing scrolls, in either language.
    void theWindowFitsASmallScreen_data() { everyTextFitsAtTheDesignSize_data(); }
    void theWindowFitsASmallScreen() {
        QFETCH(QString, language);
        test::DataDir dir;
        const auto window = OpenIn(dir, language.toLatin1().constData(), QSize(),
                                   "[Progression]\nName=martingale\nBankroll=63\n");
        QVERIFY(window);
        QVERIFY(window->width() >= 1012 && window->height() >= 677);
        auto* scroll = window->findChild<QScrollArea*>("statsScroll");
        QVERIFY(scroll);
        // Nor on any page of a game with a strong bias, whose verdict runs long, with a
        // live session's state under the progression.
        window->session().ClickTable(226, 176, MouseButton::Left);
        QTest::mouseClick(window->findChild<QPushButton*>("btStartSession"), Qt::LeftButton);
        QVERIFY(!window->findChild<QLabel*>("lbPlanState")->text().isEmpty());
        for (int i = 0; i < 900; ++i) window->session().AddDraw(i % 3 ? i % 37 : 17);
        auto* tabs = window->findChild<QTabWidget*>("pcStats");
        for (int t = 0; t < tabs->count(); ++t) {
            tabs->setCurrentIndex(t);
            QTest::qWait(StatsTab(t) == StatsTab::Fairness ? 1500 : 20);
            QVERIFY2(!scroll->verticalScrollBar()->isVisible() &&
                         !scroll->horizontalScrollBar()->isVisible(),
                     TabInfo(StatsTab(t)).name);
        }
        QVERIFY2(window->minimumSizeHint().height() <= 540,
                 qPrintable(QString::number(window->minimumSizeHint().height())));
        QVERIFY(window->minimumSizeHint().width() <= 1012);
        window->resize(1012, 540);
        QTest::qWait(20);
        QCOMPARE(window->height(), 540);
        QVERIFY(scroll->verticalScrollBar()->isVisible());
        // The statistics keep their own least size inside the scrolled area.
        QVERIFY(window->statsArea().height() >= window->statsArea().minimumSizeHint().height());
    }

    void aClickOnACaptionTicksItsBox() {
        test::DataDir dir;
        const auto window = OpenIn(dir, "EN", QSize(1012, 677));
        QVERIFY(window);
        auto* follow = window->findChild<QCheckBox*>("cbNext1");
        QVERIFY(!follow->isChecked());
        QTest::mouseClick(window->findChild<QLabel*>("Label3"), Qt::LeftButton);
        QVERIFY(follow->isChecked());
        QTest::mouseClick(window->findChild<QLabel*>("Label2"), Qt::LeftButton);
        QVERIFY(window->findChild<QCheckBox*>("cbLast1")->isChecked());
        QVERIFY(!window->findChild<QCheckBox*>("cbAll1")->isChecked());
    }

    void gridsKeepEightRowsAndCrowdedAxesThinTheirLabels() {
        test::DataDir dir;
        const auto window = OpenIn(dir, "EN", QSize(1012, 560));
        QVERIFY(window);
        window->findChild<QTabWidget*>("pcStats")->setCurrentIndex(
            int(FamilyTab(StatFamily::Chevaux)));
        auto* page = window->findChild<FamilyPage*>("tsChevaux");
        QTest::qWait(50);
        QVERIFY(page->grid()->viewport()->height() >= 8 * 18);
        // Sixty splits in some 650 pixels: every other label shows, in order.
        const QStringList shown = page->charts().shownLabels();
        QCOMPARE(shown.size(), 60);
        QCOMPARE(shown.at(0), QString("0<br>01"));
        QVERIFY(!shown.at(1).contains(QRegularExpression("[0-9]")));
        QCOMPARE(shown.at(2), QString("0<br>03"));
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
