#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include "ui/betting/progression_box.h"
#include "ui/common/app_settings.h"
#include "ui/common/texts.h"
#include "ui/shell/main_window.h"
#include "ui_test_support.h"

namespace spinalyst {

class AppSettingsTest final : public QObject {
    Q_OBJECT

private slots:
    void eachGroupSaysOnceThatItChanged() {
        test::DataDir dir;
        AppSettings settings(dir.paths().SettingsFile());
        QSignalSpy language(&settings, &AppSettings::languageChanged);
        QSignalSpy scale(&settings, &AppSettings::heatScaleChanged);
        QSignalSpy plan(&settings, &AppSettings::planChanged);
        QSignalSpy recent(&settings, &AppSettings::recentGamesChanged);
        QSignalSpy mode(&settings, &AppSettings::modeControlsChanged);

        settings.SetLanguage("FR");
        settings.SetLanguage("FR");
        settings.SetHeatScale(HeatScale::Deviation);
        PlanSettings p = settings.plan();
        p.rules.bankroll = 5000;
        settings.SetPlan(p);
        settings.SetPlan(p);
        settings.PushRecentGame("/tmp/a.csv");
        settings.PushRecentGame("/tmp/a.csv");
        // The first write of a mode adds its section; the same controls again change nothing.
        AnalysisControls controls = settings.ModeControls(2, true);
        settings.SetModeControls(2, controls);
        settings.SetModeControls(2, controls);
        controls.useLast = !controls.useLast;
        settings.SetModeControls(2, controls);

        QCOMPARE(language.count(), 1);
        QCOMPARE(scale.count(), 1);
        QCOMPARE(plan.count(), 1);
        QCOMPARE(recent.count(), 1);
        QCOMPARE(mode.count(), 2);
        QCOMPARE(mode.back().front().toInt(), 2);

        // Everything reached the file, and reads back in another run.
        AppSettings next(dir.paths().SettingsFile());
        QCOMPARE(next.language(), QString("FR"));
        QCOMPARE(next.heatScale(), HeatScale::Deviation);
        QCOMPARE(next.plan().rules.bankroll, std::optional<Cents>(5000));
        QCOMPARE(next.recentGames(), QStringList{"/tmp/a.csv"});
        QCOMPARE(next.ModeControls(2, true).useLast, controls.useLast);
    }

    void aFailedWriteKeepsTheValueAndSaysWhereAndWhy() {
        test::DataDir dir;
        dir.Write("spinalyst_EN.lang", "NUMERO\tTEXT\n900\t%1|%2\n");
        LanguageTable table;
        QVERIFY(table.Load(dir.paths().LanguageFile("EN")));
        SetLanguage("EN", std::move(table));
        QDir(dir.file("spinalyst.ini")).mkpath(".");
        AppSettings settings(dir.file("spinalyst.ini").toStdString());
        QSignalSpy failed(&settings, &AppSettings::writeFailed);
        QSignalSpy scale(&settings, &AppSettings::heatScaleChanged);
        settings.SetHeatScale(HeatScale::Deviation);
        QCOMPARE(failed.count(), 1);
        QCOMPARE(scale.count(), 1);
        QCOMPARE(settings.heatScale(), HeatScale::Deviation);
        QVERIFY(settings.writeFailedOnce());
        QCOMPARE(settings.failureMessage(), dir.file("spinalyst.ini") + "|Is a directory");
        QVERIFY(QFileInfo(dir.file("spinalyst.ini")).isDir());
    }

    // The pages read the settings kept in memory: what is on disk after the start is not read
    // again, and a plan edited on the Bets page reaches the Strategy page's run at once.
    void pagesReadTheSettingsInMemoryAndHearTheirChanges() {
        test::DataDir dir;
        dir.Write("spinalyst.ini", "[Progression]\nSessions=250\n");
        MainWindow window(dir.paths());
        window.show();
        auto* sessions = window.findChild<QSpinBox*>("seSessions");
        QCOMPARE(sessions->value(), 250);
        dir.Write("spinalyst.ini", "[Progression]\nSessions=999\nBankroll=7\n");

        auto* bankroll = window.findChild<QLineEdit*>("edBankroll");
        QVERIFY(bankroll->text().isEmpty());
        PlanSettings elsewhere = window.settings().plan();
        elsewhere.sessions = 300;
        elsewhere.rules.bankroll = 12'345;
        window.settings().SetPlan(elsewhere);
        QCOMPARE(sessions->value(), 300);
        QCOMPARE(bankroll->text(), QString("123,45"));

        bankroll->setText("50");
        emit bankroll->editingFinished();
        QCOMPARE(window.settings().plan().rules.bankroll, std::optional<Cents>(5000));
        QCOMPARE(window.settings().plan().sessions, std::int64_t{300});
        QVERIFY(dir.Read("spinalyst.ini").contains("Sessions=300"));
    }
};

}  // namespace spinalyst

QTEST_MAIN(spinalyst::AppSettingsTest)
#include "app_settings_test.moc"
