#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>

#include "ui/common/app_settings.h"
#include "ui/common/game_session.h"
#include "ui/common/notice.h"
#include "ui/shell/about_dialog.h"
#include "ui/shell/help.h"
#include "ui/shell/main_window.h"
#include "ui/shell/start_dialog.h"
#include "ui/stats/stats_tabs.h"
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
        QCOMPARE(test::ShownTitle(&window), QString("Spinalyst"));
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

    void helpAboutAndShortcuts() {
        test::DataDir dir;
        dir.Write("spinalyst.ini", "[Params]\nLanguage=FR\n");
        dir.CopyShippedLanguages();
        QDir(dir.file("manual/fr")).mkpath(".");
        dir.Write("manual/fr/index.html", "<html><body>Manuel</body></html>");
        dir.Write("manual/fr/wheel.html",
                  "<html><body><a href='index.html'>Sommaire</a>"
                  "<h2 id='table'>Tapis</h2></body></html>");
        dir.Write("manual/fr/families.html", "<html><body>Familles</body></html>");
        MainWindow window(dir.paths());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        // The menu entries carry the shortcuts users expect, and the keys do what they say.
        QCOMPARE(window.findChild<QAction*>("Nouveau1")->shortcut(),
                 QKeySequence::fromString("Ctrl+N"));
        QCOMPARE(window.findChild<QAction*>("Quitter1")->shortcut(),
                 QKeySequence::fromString("Ctrl+Q"));
        QCOMPARE(window.findChild<QAction*>("Aide2")->shortcut(), QKeySequence::fromString("F1"));
        window.session().AddDraw(7);
        window.session().AddDraw(8);
        QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(window.session().drawCount(), 1);
        QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(window.session().drawCount(), 0);

        QList<QUrl> opened;
        SetManualOpener([&](const QUrl& url) {
            opened << url;
            return true;
        });
        // F1 opens the page of the tab showing, at its place; a page not installed gives the
        // manual's first one.
        auto* tabs = window.findChild<QTabWidget*>("pcStats");
        const struct {
            StatsTab tab;
            const char* page;
        } pages[] = {
            {StatsTab::Wheel, "manual/fr/wheel.html#wheel"},
            {StatsTab::Heat, "manual/fr/wheel.html#table"},
            {FamilyTab(StatFamily::Pleins), "manual/fr/families.html#pleins"},
            {StatsTab::Tableau, "manual/fr/index.html"},
        };
        for (const auto& p : pages) {
            tabs->setCurrentIndex(int(p.tab));
            QTest::keyClick(&window, Qt::Key_F1);
            QVERIFY(!opened.isEmpty());
            const QUrl url = opened.takeLast();
            const QString shown =
                url.toLocalFile() + (url.hasFragment() ? "#" + url.fragment() : "");
            QVERIFY2(shown.endsWith(p.page), qPrintable(shown));
        }
        QCOMPARE(ManualPage(FamilyTab(StatFamily::DzsCols)), QString("families.html#dzscols"));
        QCOMPARE(ManualPage(StatsTab::Strategy), QString("strategy.html"));
        // No handler for files: the program shows the manual itself, named, with Back and
        // Forward over the pages followed; Escape closes it.
        SetManualOpener([](const QUrl&) { return false; });
        tabs->setCurrentIndex(int(StatsTab::Heat));
        window.findChild<QAction*>("Aide2")->trigger();
        auto* help = window.findChild<HelpWindow*>("manualWindow");
        QVERIFY(help && help->isVisible());
        QCOMPARE(help->windowTitle(), QString("Manuel de Spinalyst"));
        QTextBrowser* browser = help->browser();
        QVERIFY(browser->toPlainText().contains("Tapis"));
        QVERIFY(!help->backButton()->isEnabled());
        browser->setSource(QUrl("index.html"));
        QVERIFY(browser->toPlainText().contains("Manuel"));
        QVERIFY(help->backButton()->isEnabled());
        QTest::mouseClick(help->backButton(), Qt::LeftButton);
        QVERIFY(browser->toPlainText().contains("Tapis"));
        QVERIFY(help->forwardButton()->isEnabled());
        QTest::mouseClick(help->forwardButton(), Qt::LeftButton);
        QVERIFY(browser->toPlainText().contains("Manuel"));
        QVERIFY(QTest::qWaitForWindowExposed(help));
        help->activateWindow();
        QTest::keyClick(help, Qt::Key_Escape);
        QTRY_VERIFY(!window.findChild<HelpWindow*>("manualWindow"));
        SetManualOpener(nullptr);

        QStringList texts;
        QSize size;
        QString title;
        bool hasOk = false;
        SetDialogHook([&](QDialog& box) {
            if (!qobject_cast<AboutDialog*>(&box)) return int(QDialog::Rejected);
            size = box.size();
            title = box.windowTitle();
            for (QLabel* label : box.findChildren<QLabel*>()) texts << label->text();
            hasOk = box.findChild<QPushButton*>("btnOk");
            return int(QDialog::Accepted);
        });
        window.findChild<QAction*>("APropos1")->trigger();
        QCOMPARE(size, QSize(430, 168));
        QCOMPARE(title, QString("A propos"));
        QVERIFY(hasOk);
        QVERIFY(texts.contains("1.1.1    (2009)"));
        QVERIFY(texts.contains("Version"));
    }

    void questionsSpeakTheProgramsLanguage() {
        test::DataDir dir;
        dir.Write("spinalyst.ini", "[Params]\nLanguage=FR\n");
        dir.CopyShippedLanguages();
        MainWindow window(dir.paths());
        SetQuestionHook(nullptr);
        QStringList buttons;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            for (QAbstractButton* b : box->buttons()) buttons << b->text();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == "&Ne pas enregistrer") b->click();
        });
        const Answer answer = AskQuestion(&window, "?", true);
        buttons.sort();
        QCOMPARE(buttons, (QStringList{"&Annuler", "&Enregistrer", "&Ne pas enregistrer"}));
        QCOMPARE(answer, Answer::No);
    }

    void qtsOwnDialogsSpeakTheProgramsLanguage() {
        const auto fileDialogTexts = [](const char* language) {
            test::DataDir dir;
            dir.Write("spinalyst.ini", QByteArray("[Params]\nLanguage=") + language + "\n");
            dir.CopyShippedLanguages();
            MainWindow window(dir.paths());
            QFileDialog dialog(&window);
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            return QStringList{dialog.findChild<QLabel*>("lookInLabel")->text(),
                               dialog.findChild<QLabel*>("fileNameLabel")->text(),
                               dialog.findChild<QDialogButtonBox*>("buttonBox")
                                   ->button(QDialogButtonBox::Cancel)
                                   ->text()};
        };
        const QStringList french = fileDialogTexts("FR");
        QCOMPARE(french.at(0).simplified(), QString("Voir dans :"));
        QCOMPARE(french.at(2), QString("Annuler"));
        // Back in English, Qt's texts are its own again.
        QCOMPARE(fileDialogTexts("EN"), (QStringList{"Look in:", "File &name:", "Cancel"}));
    }

    // F1 on any tab lands on a page of the manual that exists, at a part that exists, in
    // either language.
    void everyTabHasItsPageInTheManual() {
        for (int t = 0; t < statsTabCount; ++t) {
            const QString page = ManualPage(StatsTab(t));
            const QString file = page.section('#', 0, 0);
            const QString anchor = page.section('#', 1);
            for (const char* language : {"en", "fr"}) {
                QFile html(
                    QStringLiteral(SPINALYST_SOURCE_MANUAL_DIR "/%1/%2").arg(language, file));
                QVERIFY2(html.open(QIODevice::ReadOnly), qPrintable(html.fileName()));
                if (!anchor.isEmpty())
                    QVERIFY2(html.readAll().contains(("id=\"" + anchor + "\"").toUtf8()),
                             qPrintable(page + " " + language));
            }
        }
    }

    void settingsThatCannotBeWrittenAreReported() {
        test::DataDir dir;
        dir.Write("spinalyst_EN.lang", "NUMERO\tTEXT\n900\tNot saved to %1: %2\n");
        QDir(dir.file("spinalyst.ini")).mkpath(".");  // a directory where the file should be
        // The file and the system's reason, wherever the write came from.
        const QString expected = "Not saved to " + dir.file("spinalyst.ini") + ": Is a directory";
        QStringList warnings;
        SetWarningHook([&](const QString& text) { warnings << text; });
        {
            MainWindow window(dir.paths());
            window.show();
            QTest::mouseClick(window.findChild<QToolButton*>("sbStat3"), Qt::LeftButton);
            QCOMPARE(window.statusBar()->currentMessage(), expected);
            window.statusBar()->clearMessage();
            auto* randomSource = window.findChild<QAction*>("Sourcealeatoire1");
            SetDialogHook([](QDialog& d) {
                d.findChild<QCheckBox*>("cbSrc2")->click();
                return int(QDialog::Accepted);
            });
            randomSource->trigger();
            QCOMPARE(window.statusBar()->currentMessage(), expected);
            QVERIFY(warnings.isEmpty());
            window.close();
        }
        SetWarningHook(nullptr);
        QCOMPARE(warnings, QStringList{expected});

        AppSettings settings(dir.file("spinalyst.ini").toStdString());
        StartDialog start(&settings);
        start.findChild<QComboBox*>("cbLanguage")->setCurrentIndex(1);
        QVERIFY(settings.writeFailedOnce());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
