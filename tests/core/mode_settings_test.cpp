#include "stats/mode_settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace spinalyst {
namespace {

void ExpectSameControls(const AnalysisControls& a, const AnalysisControls& b) {
    EXPECT_EQ(a.all1, b.all1);
    EXPECT_EQ(a.start1, b.start1);
    EXPECT_EQ(a.end1, b.end1);
    EXPECT_EQ(a.last1, b.last1);
    EXPECT_EQ(a.analyse1, b.analyse1);
    EXPECT_EQ(a.step1, b.step1);
    EXPECT_EQ(a.next1, b.next1);
    EXPECT_EQ(a.paris, b.paris);
    EXPECT_EQ(a.pari, b.pari);
    EXPECT_EQ(a.next2, b.next2);
    EXPECT_EQ(a.croupier, b.croupier);
}

TEST(ModeSettings, AMissingSectionReadsTheDefaults) {
    const ModeSettings s = LoadModeSettings(IniFile::Parse("[Stat2]\nAll1=0\n"), 1, true);
    EXPECT_EQ(ModeSectionName(1), "Stat1");
    EXPECT_TRUE(s.all1);
    EXPECT_EQ(s.start1, 1);
    EXPECT_EQ(s.end1, 1);
    EXPECT_FALSE(s.last1);
    EXPECT_EQ(s.analyse1, 1);  // the form shows 12, the settings default to 1
    EXPECT_EQ(s.step1, 0);
    EXPECT_FALSE(s.next1);
    EXPECT_EQ(s.paris, 0);
    EXPECT_EQ(s.pari, 0);
    EXPECT_FALSE(s.next2);
    EXPECT_EQ(s.croupier, "");
}

TEST(ModeSettings, SavingWritesTheElevenKeysInOrderAndLoadsBackTheSame) {
    AnalysisControls c;
    c.all1 = false;
    c.start1 = 7;
    c.end1 = 420;
    c.last1 = true;
    c.analyse1 = 36;
    c.step1 = std::nullopt;
    c.next1 = true;
    c.paris = 4;
    c.pari = 2;
    c.next2 = false;
    c.croupier = "Zoé, la première";
    IniFile ini = IniFile::Parse("[Params]\nStat=5\n");
    SaveModeSettings(ini, 5, c);
    EXPECT_EQ(ini.Serialize(),
              "[Params]\nStat=5\n[Stat5]\nAll1=0\nStart1=7\nEnd1=420\nLast1=1\nAnalyse1=36\n"
              "Step1=-1\nNext1=1\nParis=4\nPari=2\nNext2=0\nCroupier=Zoé, la première\n");
    ExpectSameControls(LoadModeSettings(IniFile::Parse(ini.Serialize()), 5, true), c);

    // Without "End1" the stored end is not read back.
    EXPECT_EQ(LoadModeSettings(ini, 5, false).end1, 1);
    // Section names match without regard to case, and a rewrite keeps the section's place.
    IniFile lower = IniFile::Parse("[stat3]\nstep1=4\n[Other]\nk=v\n");
    EXPECT_EQ(LoadModeSettings(lower, 3, true).step1, 4);
    SaveModeSettings(lower, 3, c);
    EXPECT_TRUE(lower.Serialize().ends_with("Croupier=Zoé, la première\n[Other]\nk=v\n"));
}

TEST(ModeSettings, HandEditedValuesAreBroughtIntoTheControlsRange) {
    using Check = std::function<void(const ModeSettings&)>;
    struct Case {
        const char* line;
        Check check;
    } cases[] = {
        {"Start1=-5", [](const ModeSettings& s) { EXPECT_EQ(s.start1, 1); }},
        {"Start1=20000000", [](const ModeSettings& s) { EXPECT_EQ(s.start1, 10000000); }},
        {"End1=0", [](const ModeSettings& s) { EXPECT_EQ(s.end1, 1); }},
        {"End1=99999999999999", [](const ModeSettings& s) { EXPECT_EQ(s.end1, 10000000); }},
        {"Analyse1=0", [](const ModeSettings& s) { EXPECT_EQ(s.analyse1, 1); }},
        {"Analyse1=10000", [](const ModeSettings& s) { EXPECT_EQ(s.analyse1, 9999); }},
        {"Step1=20", [](const ModeSettings& s) { EXPECT_EQ(s.step1, std::nullopt); }},
        {"Step1=-1", [](const ModeSettings& s) { EXPECT_EQ(s.step1, std::nullopt); }},
        {"Step1=8", [](const ModeSettings& s) { EXPECT_EQ(s.step1, 8); }},
        {"Step1=abc", [](const ModeSettings& s) { EXPECT_EQ(s.step1, 0); }},
        {"Paris=9", [](const ModeSettings& s) { EXPECT_EQ(s.paris, std::nullopt); }},
        {"Pari=-3", [](const ModeSettings& s) { EXPECT_EQ(s.pari, std::nullopt); }},
        {"Pari=40", [](const ModeSettings& s) { EXPECT_EQ(s.pari, 40); }},
        {"Pari=3000000000", [](const ModeSettings& s) { EXPECT_EQ(s.pari, std::nullopt); }},
        {"All1=0", [](const ModeSettings& s) { EXPECT_FALSE(s.all1); }},
        {"All1=yes", [](const ModeSettings& s) { EXPECT_TRUE(s.all1); }},
        {"Next2=-2", [](const ModeSettings& s) { EXPECT_TRUE(s.next2); }},
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
    std::vector<Pocket> out;
    SelectAnalysedDraws(log, RouletteKind::French, resolved->window, out);
    EXPECT_EQ(out, (std::vector<Pocket>{4, 5, 6}));
}

}  // namespace
}  // namespace spinalyst
