#include "core/betting/plan_settings.h"

#include <gtest/gtest.h>

namespace spinalyst {
namespace {

TEST(PlanSettings, WrittenSettingsReadBack) {
    PlanSettings s;
    s.progression = Progression::Sequence;
    s.entries.line = {2, 3};
    s.entries.sequence = {1, 3, 9};
    s.entries.advanceOn = AdvanceOn::Win;
    s.rules.bankroll = 6300;
    s.rules.tableMax = 50000;
    s.rules.atLimit = AtLimit::Cap;
    s.rules.stopWin = 150;
    s.rules.laPartage = true;
    s.sessions = 2000;
    s.maxSpins = 300;
    s.wheelAsRecorded = true;
    IniFile ini;
    WritePlanSettings(ini, s);
    EXPECT_EQ(ReadPlanSettings(IniFile::Parse(ini.Serialize())), s);
    // Nothing written: the plain table and the defaults.
    EXPECT_EQ(ReadPlanSettings(IniFile()), PlanSettings());
}

TEST(PlanSettings, HandEditedValuesThatCannotBeReadAreTheDefaults) {
    const IniFile ini = IniFile::Parse(
        "[Progression]\nName=doubling\nLine=1,0\nSequence=1,,2\nAdvanceOn=push\n"
        "Bankroll=-5\nTableMax=100000.01\nAtLimit=wait\nStopWin=1,50\nStopLoss=abc\n"
        "Sessions=0\nMaxSpins=99999999999\n");
    EXPECT_EQ(ReadPlanSettings(ini), PlanSettings());
}

TEST(PlanSettings, Entries) {
    EXPECT_EQ(ParseEntries("1, 2 ,4"), (std::vector<Units>{1, 2, 4}));
    EXPECT_EQ(EntriesText({1, 2, 4}), "1,2,4");
    for (const char* bad : {"", "1,", ",1", "1;2", "0", "-1", "1000001", "x"})
        EXPECT_EQ(ParseEntries(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace spinalyst
