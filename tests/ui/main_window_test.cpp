#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include "app/game_session.h"
#include "app/main_window.h"
#include "app/notice.h"
#include "app/start_dialog.h"
#include "draws/random_source_dialog.h"
#include "ui_test_support.h"

using namespace spinalyst;

class MainWindowTest final : public QObject {
    Q_OBJECT

private slots:
    void startsWithTheStoredKind_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("checked");
        QTest::newRow("no file") << QByteArray() << int(RouletteKind::French) << "Francaise1";
        QTest::newRow("american") << QByteArray("[PARAMS]\nroulette=0\n")
                                  << int(RouletteKind::American) << "Americaine1";
        QTest::newRow("no zero") << QByteArray("[Params]\nRoulette=2\n")
                                 << int(RouletteKind::NoZero) << "NoZero1";
        QTest::newRow("out of range")
            << QByteArray("[Params]\nRoulette=7\n") << int(RouletteKind::French) << "Francaise1";
        QTest::newRow("garbage") << QByteArray("\x01\x02junk\n[Params]\nRoulette=zero\n")
                                 << int(RouletteKind::French) << "Francaise1";
    }
    void startsWithTheStoredKind() {
        QFETCH(QByteArray, file);
        QFETCH(int, kind);
        QFETCH(QString, checked);
        test::DataDir dir;
        if (!file.isEmpty()) dir.Write("spinalyst.ini", file);
        MainWindow window(dir.paths());
        QCOMPARE(window.windowTitle(), QString("Spinalyst"));
        QCOMPARE(int(window.session().kind()), kind);
        for (const char* name : {"Americaine1", "Francaise1", "NoZero1"})
            QCOMPARE(window.findChild<QAction*>(name)->isChecked(), checked == name);
    }

    void choosingAKindStartsANewGameEvenWhenAlreadyChecked() {
        test::DataDir dir;
        MainWindow window(dir.paths());
        GameSession& session = window.session();
        session.AddDraw(5);
        window.findChild<QAction*>("Francaise1")->trigger();
        QCOMPARE(session.drawCount(), 0);
        QVERIFY(window.findChild<QAction*>("Francaise1")->isChecked());

        session.AddDraw(0);
        window.findChild<QAction*>("NoZero1")->trigger();
        QCOMPARE(session.kind(), RouletteKind::NoZero);
        QCOMPARE(session.drawCount(), 0);
        QVERIFY(window.findChild<QAction*>("NoZero1")->isChecked());
        QVERIFY(!window.findChild<QAction*>("Francaise1")->isChecked());

        session.AddDraw(1);
        window.findChild<QAction*>("Nouveau1")->trigger();
        QCOMPARE(session.drawCount(), 0);
        QCOMPARE(session.kind(), RouletteKind::NoZero);
    }

    void closingStoresTheKindAndKeepsOtherLines() {
        test::DataDir dir;
        dir.Write("spinalyst.ini", "[Params]\nLanguage=FR\n[Stat3]\nCroupier=Zoé\n");
        {
            MainWindow window(dir.paths());
            window.show();
            window.findChild<QAction*>("Americaine1")->trigger();
            window.findChild<QAction*>("Quitter1")->trigger();
            QVERIFY(!window.isVisible());
        }
        const QByteArray file = dir.Read("spinalyst.ini");
        QVERIFY(file.contains("Roulette=0"));
        QVERIFY(file.contains("Language=FR"));
        QVERIFY(file.contains("Croupier=Zoé"));
        MainWindow next(dir.paths());
        QCOMPARE(next.session().kind(), RouletteKind::American);
    }

    void settingsThatCannotBeWrittenAreReported() {
        test::DataDir dir;
        dir.Write("spinalyst_EN.lang", "NUMERO\tTEXT\n125\tSettings not saved\n");
        QDir(dir.file("spinalyst.ini")).mkpath(".");  // a directory where the file should be
        QStringList warnings;
        SetWarningHook([&](const QString& text) { warnings << text; });
        {
            MainWindow window(dir.paths());
            window.show();
            QTest::mouseClick(window.findChild<QToolButton*>("sbStat3"), Qt::LeftButton);
            QCOMPARE(window.statusBar()->currentMessage(), QString("Settings not saved"));
            window.statusBar()->clearMessage();
            RandomSourceDialog::SetTestDriver(
                [](RandomSourceDialog&) { return int(QDialog::Accepted); });
            window.findChild<QAction*>("Sourcealeatoire1")->trigger();
            QCOMPARE(window.statusBar()->currentMessage(), QString("Settings not saved"));
            QVERIFY(warnings.isEmpty());
            window.close();
        }
        SetWarningHook(nullptr);
        QCOMPARE(warnings, QStringList{"Settings not saved"});

        StartDialog start{Settings(dir.file("spinalyst.ini").toStdString())};
        start.findChild<QComboBox*>("cbLanguage")->setCurrentIndex(1);
        QVERIFY(start.settingsWriteFailed());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
