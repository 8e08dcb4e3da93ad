#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "ui/common/app_settings.h"
#include "ui/shell/start_dialog.h"
#include "ui_test_support.h"

using namespace spinalyst;

class StartDialogTest final : public QObject {
    Q_OBJECT

private slots:
    void opensInTheStoredLanguage_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("no file") << QByteArray() << 0 << "Language"
                                 << "Cancel";
        QTest::newRow("french") << QByteArray("[Params]\nLanguage=FR\n") << 1 << "Langue"
                                << "Annuler";
        QTest::newRow("other code") << QByteArray("[params]\nlanguage=DE\n") << 0 << "Language"
                                    << "Cancel";
    }
    void opensInTheStoredLanguage() {
        QFETCH(QByteArray, file);
        QFETCH(int, index);
        QFETCH(QString, label);
        QFETCH(QString, cancel);
        test::DataDir dir;
        if (!file.isEmpty()) dir.Write("spinalyst.ini", file);
        AppSettings settings(dir.paths().SettingsFile());
        StartDialog form(&settings);
        QCOMPARE(form.findChild<QComboBox*>("cbLanguage")->currentIndex(), index);
        QCOMPARE(form.findChild<QLabel*>("Label3")->text(), label);
        QCOMPARE(form.findChild<QPushButton*>("btCancel")->text(), cancel);
        QCOMPARE(form.windowTitle(), QString("Spinalyst"));
        QCOMPARE(form.size(), QSize(442, 175));
    }

    void choosingFrenchIsStoredAtOnceEvenWhenCancelled() {
        test::DataDir dir;
        dir.Write("spinalyst.ini", "# mine\n[Stat1]\nAll1=0\n");
        AppSettings settings(dir.paths().SettingsFile());
        StartDialog form(&settings);
        form.show();
        auto* combo = form.findChild<QComboBox*>("cbLanguage");
        combo->setCurrentIndex(1);
        QCOMPARE(form.findChild<QLabel*>("Label3")->text(), QString("Langue"));
        QCOMPARE(form.findChild<QPushButton*>("btCancel")->text(), QString("Annuler"));
        QTest::mouseClick(form.findChild<QPushButton*>("btCancel"), Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QCOMPARE(dir.Read("spinalyst.ini"),
                 QByteArray("# mine\n[Stat1]\nAll1=0\n[Params]\nLanguage=FR\n"));

        AppSettings settingsAgain(dir.paths().SettingsFile());
        StartDialog again(&settingsAgain);
        QCOMPARE(again.findChild<QComboBox*>("cbLanguage")->currentIndex(), 1);
        again.findChild<QComboBox*>("cbLanguage")->setCurrentIndex(0);
        again.show();
        QTest::mouseClick(again.findChild<QPushButton*>("btOK"), Qt::LeftButton);
        QCOMPARE(again.result(), int(QDialog::Accepted));
        QVERIFY(dir.Read("spinalyst.ini").contains("Language=EN"));
    }
};

QTEST_MAIN(StartDialogTest)
#include "start_dialog_test.moc"
