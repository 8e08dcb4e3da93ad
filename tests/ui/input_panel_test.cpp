#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTest>

#include "ui/common/game_session.h"
#include "ui/draws/input_panel.h"
#include "ui/shell/main_window.h"
#include "ui_test_support.h"

using namespace spinalyst;

namespace {
QList<QLabel*> PocketLabels(const InputPanel* panel) {
    return panel->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
}
}  // namespace

class InputPanelTest final : public QObject {
    Q_OBJECT

private slots:
    void rebuildingLeavesOneLabelPerPocket() {
        InputPanel panel;
        for (RouletteKind kind : {RouletteKind::American, RouletteKind::American,
                                  RouletteKind::NoZero, RouletteKind::French}) {
            panel.BuildInputPanel(kind);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(PocketLabels(&panel).size(), pocketCount(kind));
        }
        QLabel* one = panel.inputLabel(1);
        QCOMPARE(one->geometry(), QRect(36, 56, 18, 18));
        QCOMPARE(one->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(one->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(panel.inputLabel(0)->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        QVERIFY(!panel.inputLabel(DoubleZero));
    }

    void clicksAppendThePocketOfTheLabel() {
        test::DataDir dir;
        dir.Write("spinalyst.ini", "[Params]\nRoulette=0\n");
        MainWindow window(dir.paths());
        auto* panel = window.findChild<InputPanel*>("pnlSaisie");
        QTest::mouseClick(panel->inputLabel(DoubleZero), Qt::LeftButton);
        QTest::mouseClick(panel->inputLabel(0), Qt::LeftButton);
        QTest::mouseClick(panel->inputLabel(17), Qt::RightButton);  // only the left button counts
        const DrawLog& log = window.session().game().log();
        QCOMPARE(log.drawCount(), 2);
        QCOMPARE(log.draw(1), DoubleZero);
        QCOMPARE(log.draw(2), 0);

        window.findChild<QAction*>("NoZero1")->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(PocketLabels(panel).size(), 36);
        QVERIFY(!panel->inputLabel(0));
        QVERIFY(!panel->findChild<QLabel*>("inputLabel0"));
    }

    void typingAPocketAndEnterAppendsIt() {
        test::DataDir dir;
        dir.Write("spinalyst.ini", "[Params]\nRoulette=0\n");
        MainWindow window(dir.paths());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClicks(&window, "00");
        QVERIFY(window.statusBar()->currentMessage().endsWith("00"));
        QTest::keyClick(&window, Qt::Key_Return);
        QTest::keyClicks(&window, "9");
        QTest::keyClick(&window, Qt::Key_Escape);
        QTest::keyClicks(&window, "36");
        QTest::keyClick(&window, Qt::Key_Enter);
        const DrawLog& log = window.session().game().log();
        QCOMPARE(log.drawCount(), 2);
        QCOMPARE(log.draw(1), DoubleZero);
        QCOMPARE(log.draw(2), 36);

        window.findChild<QAction*>("Francaise1")->trigger();
        QTest::keyClicks(&window, "37");
        QTest::keyClick(&window, Qt::Key_Return);
        QCOMPARE(window.session().drawCount(), 0);
        QVERIFY(window.statusBar()->currentMessage().startsWith("37 "));
    }

    void captionsComeFromTheLanguageFile() {
        test::DataDir dir;
        dir.Write("spinalyst.ini", "[Params]\nLanguage=FR\n");
        dir.Write("spinalyst_FR.lang", "NUMERO\tTEXT\n11\t&Fichier FR\n12\tNouvelle partie\n");
        MainWindow window(dir.paths());
        QVERIFY(window.languageLoaded());
        QCOMPARE(window.findChild<QMenu*>("Fichier1")->title(), QString("&Fichier FR"));
        QCOMPARE(window.findChild<QAction*>("Nouveau1")->text(), QString("Nouvelle partie"));
        QCOMPARE(window.findChild<QAction*>("Quitter1")->text(), QString("<!16!>"));
    }

    void aMissingLanguageFileKeepsTheDesignCaptions() {
        test::DataDir dir;
        dir.Write("spinalyst.ini", "[Params]\nLanguage=DE\n");
        MainWindow window(dir.paths());
        QVERIFY(!window.languageLoaded());
        QCOMPARE(window.findChild<QMenu*>("Fichier1")->title(), QString("&Fichier"));
        QCOMPARE(window.findChild<QAction*>("Quitter1")->text(), QString("Quitter"));
    }
};

QTEST_MAIN(InputPanelTest)
#include "input_panel_test.moc"
