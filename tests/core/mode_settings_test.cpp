#include "core/stats/mode_settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace spinalyst {
namespace {

void ExpectSameControls(const AnalysisControls& a, const AnalysisControls& b) {
    EXPECT_EQ(a.useRange, b.useRange);
    EXPECT_EQ(a.rangeStart, b.rangeStart);
    EXPECT_EQ(a.rangeEnd, b.rangeEnd);
    EXPECT_EQ(a.useLast, b.useLast);
    EXPECT_EQ(a.lastCount, b.lastCount);
    EXPECT_EQ(a.stepEntry, b.stepEntry);
    EXPECT_EQ(a.useFollowing, b.useFollowing);
    EXPECT_EQ(a.followFamily, b.followFamily);
    EXPECT_EQ(a.followEntry, b.followEntry);
    EXPECT_EQ(a.useCroupier, b.useCroupier);
    EXPECT_EQ(a.croupierName, b.croupierName);
    EXPECT_EQ(a.useWheel, b.useWheel);
    EXPECT_EQ(a.wheelName, b.wheelName);
    EXPECT_EQ(a.useDirection, b.useDirection);
    EXPECT_EQ(a.direction, b.direction);
}

TEST(ModeSettings, AMissingSectionReadsTheDefaults) {
    const ModeSettings s = LoadModeSettings(IniFile::Parse("[Stat2]\nAll1=0\n"), 1, true);
    EXPECT_EQ(ModeSectionName(1), "Stat1");
    EXPECT_TRUE(s.useRange);
    EXPECT_EQ(s.rangeStart, 1);
    EXPECT_EQ(s.rangeEnd, 1);
    EXPECT_FALSE(s.useLast);
    EXPECT_EQ(s.lastCount, 1);  // the form shows 12, the settings default to 1
    EXPECT_EQ(s.stepEntry, 0);
    EXPECT_FALSE(s.useFollowing);
    EXPECT_EQ(s.followFamily, FollowFamily::Numero);
    EXPECT_EQ(s.followEntry, 0);
    EXPECT_FALSE(s.useCroupier);
    EXPECT_EQ(s.croupierName, "");
    EXPECT_FALSE(s.useWheel);
    EXPECT_EQ(s.wheelName, "");
    EXPECT_FALSE(s.useDirection);
    EXPECT_EQ(s.direction, SpinDirection::Clockwise);
}

TEST(ModeSettings, SavingWritesEveryKeyInOrderAndLoadsBackTheSame) {
    AnalysisControls c;
    c.useRange = false;
    c.rangeStart = 7;
    c.rangeEnd = 420;
    c.useLast = true;
    c.lastCount = 36;
    c.stepEntry = std::nullopt;
    c.useFollowing = true;
    c.followFamily = FollowFamily::Colonne;
    c.followEntry = 2;
    c.useCroupier = false;
    c.croupierName = "Zoé, la première";
    c.useWheel = true;
    c.wheelName = "T3";
    c.useDirection = true;
    c.direction = SpinDirection::Anticlockwise;
    IniFile ini = IniFile::Parse("[Params]\nStat=5\n");
    SaveModeSettings(ini, 5, c);
    EXPECT_EQ(ini.Serialize(),
              "[Params]\nStat=5\n[Stat5]\nAll1=0\nStart1=7\nEnd1=420\nLast1=1\nAnalyse1=36\n"
              "Step1=-1\nNext1=1\nParis=4\nPari=2\nNext2=0\nCroupier=Zoé, la première\n"
              "Next3=1\nWheel=T3\nNext4=1\nDirection=ccw\n");
    ExpectSameControls(LoadModeSettings(IniFile::Parse(ini.Serialize()), 5, true), c);

    // Without "End1" the stored end is not read back.
    EXPECT_EQ(LoadModeSettings(ini, 5, false).rangeEnd, 1);
    // Section names match without regard to case, and a rewrite keeps the section's place.
    IniFile lower = IniFile::Parse("[stat3]\nstep1=4\n[Other]\nk=v\n");
    EXPECT_EQ(LoadModeSettings(lower, 3, true).stepEntry, 4);
    SaveModeSettings(lower, 3, c);
    EXPECT_TRUE(lower.Serialize().ends_with("Direction=ccw\n[Other]\nk=v\n"));
}

TEST(ModeSettings, HandEditedValuesAreBroughtIntoTheControlsRange) {
    using Check = std::function<void(const ModeSettings&)>;
    struct Case {
        const char* line;
        Check check;
    } cases[] = {
        {"Start1=-5", [](const ModeSettings& s) { EXPECT_EQ(s.rangeStart, 1); }},
        {"Start1=20000000", [](const ModeSettings& s) { EXPECT_EQ(s.rangeStart, 10000000); }},
        {"End1=0", [](const ModeSettings& s) { EXPECT_EQ(s.rangeEnd, 1); }},
        {"End1=99999999999999", [](const ModeSettings& s) { EXPECT_EQ(s.rangeEnd, 10000000); }},
        {"Analyse1=0", [](const ModeSettings& s) { EXPECT_EQ(s.lastCount, 1); }},
        {"Analyse1=10000", [](const ModeSettings& s) { EXPECT_EQ(s.lastCount, 9999); }},
        {"Step1=20", [](const ModeSettings& s) { EXPECT_EQ(s.stepEntry, std::nullopt); }},
        {"Step1=-1", [](const ModeSettings& s) { EXPECT_EQ(s.stepEntry, std::nullopt); }},
        {"Step1=8", [](const ModeSettings& s) { EXPECT_EQ(s.stepEntry, 8); }},
        {"Step1=abc", [](const ModeSettings& s) { EXPECT_EQ(s.stepEntry, 0); }},
        {"Paris=9", [](const ModeSettings& s) { EXPECT_EQ(s.followFamily, std::nullopt); }},
        {"Pari=-3", [](const ModeSettings& s) { EXPECT_EQ(s.followEntry, std::nullopt); }},
        {"Pari=40", [](const ModeSettings& s) { EXPECT_EQ(s.followEntry, 40); }},
        {"Pari=3000000000", [](const ModeSettings& s) { EXPECT_EQ(s.followEntry, std::nullopt); }},
        {"All1=0", [](const ModeSettings& s) { EXPECT_FALSE(s.useRange); }},
        {"All1=yes", [](const ModeSettings& s) { EXPECT_TRUE(s.useRange); }},
        {"Next2=-2", [](const ModeSettings& s) { EXPECT_TRUE(s.useCroupier); }},
        {"Next4=1\nDirection=ccw",
         [](const ModeSettings& s) {
             EXPECT_TRUE(s.useDirection);
             EXPECT_EQ(s.direction, SpinDirection::Anticlockwise);
         }},
        // A direction that is neither filters nothing.
        {"Next4=1\nDirection=up", [](const ModeSettings& s) { EXPECT_FALSE(s.useDirection); }},
        {"Next4=1\nDirection=", [](const ModeSettings& s) { EXPECT_FALSE(s.useDirection); }},
        {"Next4=1", [](const ModeSettings& s) { EXPECT_TRUE(s.useDirection); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        c.check(
            LoadModeSettings(IniFile::Parse(std::string("[Stat1]\n") + c.line + "\n"), 1, true));
    }
}

TEST(ModeSettings, AStepWithoutEntryAnalysesEveryDraw) {
    DrawLog log;
    for (Pocket p : {4, 5, 6}) log.Append(p, std::nullopt, 0);
    ModeSettings s = LoadModeSettings(IniFile::Parse("[Stat1]\nStep1=20\nEnd1=3\n"), 1, true);
    const auto resolved = ResolveAnalysisWindow(s, log, RouletteKind::French, {});
    ASSERT_TRUE(resolved);
    EXPECT_EQ(resolved->window.windowStep, 1);
    std::vector<std::uint8_t> buffer;
    const auto analysed = SelectAnalysedDraws(log, RouletteKind::French, resolved->window, buffer);
    EXPECT_EQ(std::vector<std::uint8_t>(analysed.begin(), analysed.end()),
              (std::vector<std::uint8_t>{4, 5, 6}));
}

}  // namespace
}  // namespace spinalyst
