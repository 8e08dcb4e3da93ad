#include "core/store/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "core/store/atomic_file.h"
#include "core/store/ini_file.h"
#include "test_support.h"

namespace spinalyst {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

TEST(IniFile, NamesMatchWithoutCaseAndUnknownLinesSurviveARewrite) {
    const char* text =
        "; written by hand\n"
        "[params]\n"
        "LANGUAGE = FR\n"
        "garbage line without equals\n"
        "Roulette=abc\n"
        "[Other]\n"
        "Key=kept\n";
    IniFile ini = IniFile::Parse(text);
    EXPECT_EQ(ini.GetText("Params", "Language", "EN"), "FR");
    EXPECT_EQ(ini.GetInt("PARAMS", "roulette", 1), 1);  // not a number: the default
    EXPECT_EQ(ini.GetText("Params", "Missing", "dflt"), "dflt");
    ini.SetInt("Params", "Stat", 4);
    ini.SetInt("Params", "roulette", 2);
    const std::string out = ini.Serialize();
    EXPECT_EQ(out,
              "; written by hand\n"
              "[params]\n"
              "LANGUAGE = FR\n"
              "garbage line without equals\n"
              "Roulette=2\n"
              "Stat=4\n"
              "[Other]\n"
              "Key=kept\n");
}

TEST(IniFile, NumbersAndBooleans) {
    struct Case {
        const char* value;
        long long asInt;
        bool asBool;
    } cases[] = {
        {"0", 0, false},    {"1", 1, true},  {"-7", -7, true},
        {" 42 ", 42, true}, {"", 9, true},   {"x1", 9, true},
        {"1.5", 9, true},   {"+3", 3, true}, {"99999999999999999999", 9, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        IniFile ini = IniFile::Parse(std::string("[S]\nk=") + c.value + "\n");
        EXPECT_EQ(ini.GetInt("S", "k", 9), c.asInt);
        EXPECT_EQ(ini.GetBool("S", "k", true), c.asBool);
    }
    IniFile ini;
    ini.SetBool("S", "on", true);
    ini.SetBool("S", "off", false);
    EXPECT_EQ(ini.Serialize(), "[S]\non=1\noff=0\n");
}

TEST(IniFile, ARewriteKeepsEveryLineItDoesNotChangeByteForByte) {
    const std::string bom = "\xEF\xBB\xBF";
    struct Case {
        std::string text;
        const char* key;
        const char* value;
        std::string rewritten;
    } cases[] = {
        {"[Params] ; note\r\nLanguage=FR\r\n", "Language", "EN",
         "[Params] ; note\r\nLanguage=EN\r\n"},
        {"[Params]\rLanguage=FR\rStat=2\r", "Stat", "3", "[Params]\rLanguage=FR\rStat=3\r"},
        {"[Params]\rLanguage=FR", "Stat", "3", "[Params]\rLanguage=FR\rStat=3\r"},
        {"[Params]\r\r\nLanguage=FR\r\r\n", "Language", "EN", "[Params]\r\r\nLanguage=EN\r\r\n"},
        {bom + bom + "[Params]\nLanguage=FR\n", "Language", "EN",
         bom + bom + "[Params]\nLanguage=EN\n"},
        {"  LANGUAGE = FR  \n[Params]\n Language = FR \t\n", "Language", "EN",
         "  LANGUAGE = FR  \n[Params]\n Language = EN\n"},
        {"[Params]\nLanguage=\nStat=1", "Language", "EN", "[Params]\nLanguage=EN\nStat=1"},
        {"[Params]\nStat=1", "Language", "EN", "[Params]\nStat=1\nLanguage=EN\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        IniFile ini = IniFile::Parse(c.text);
        EXPECT_EQ(ini.Serialize(), c.text);
        ini.Set("Params", c.key, c.value);
        EXPECT_EQ(ini.Serialize(), c.rewritten);
    }
    // Lone CRs end lines, and the extra byte order mark does not hide the section.
    EXPECT_EQ(IniFile::Parse("[Params]\rStat=2\r").GetInt("Params", "Stat", 1), 2);
    EXPECT_EQ(IniFile::Parse(bom + bom + "[Params]\nStat=2\n").GetInt("Params", "Stat", 1), 2);
}

TEST(IniFile, EveryValueWrittenReadsBackIdentical) {
    const std::string values[] = {"plain",
                                  "",
                                  " /home/zoé/tirages.txt ",
                                  "ends in a space ",
                                  " ",
                                  "\ttab",
                                  "\"quoted\"",
                                  "\"",
                                  "\"half",
                                  "a = b",
                                  "; not a comment"};
    for (const std::string& v : values) {
        SCOPED_TRACE(v);
        IniFile ini = IniFile::Parse("[Params]\nRndSourceFile=old\n");
        ini.Set("Params", "RndSourceFile", v);
        const std::string once = ini.Serialize();
        IniFile back = IniFile::Parse(once);
        EXPECT_EQ(back.GetText("Params", "RndSourceFile", "?"), v);
        back.Set("Params", "RndSourceFile", v);
        EXPECT_EQ(back.Serialize(), once);
    }
    // Hand-written values still lose the spaces around them.
    EXPECT_EQ(IniFile::Parse("[S]\nk =  FR \n").GetText("S", "k", ""), "FR");
}

TEST(IniFile, ValuesStayOnOneLine) {
    IniFile ini;
    ini.Set("Params", "RndSourceFile", "a\nb=c");
    EXPECT_EQ(IniFile::Parse(ini.Serialize()).GetText("Params", "RndSourceFile", ""), "a b=c");
}

TEST(Settings, MissingFileReadsDefaultsAndFirstWriteCreatesIt) {
    TempDir dir;
    Settings settings(dir / "sub" / "spinalyst.ini");
    EXPECT_EQ(settings.ReadText(Param::Language), "EN");
    EXPECT_EQ(settings.ReadInt(Param::Roulette), 1);
    EXPECT_EQ(settings.ReadInt(Param::Stat), 1);
    EXPECT_EQ(settings.ReadInt(Param::RndSource), 1);
    EXPECT_EQ(settings.ReadText(Param::RndSourceFile), "");
    EXPECT_FALSE(std::filesystem::exists(settings.file()));
    ASSERT_TRUE(settings.WriteText(Param::Language, "FR"));
    EXPECT_EQ(ReadFile(settings.file()), "[Params]\nLanguage=FR\n");
    ASSERT_TRUE(settings.WriteInt(Param::Roulette, 0));
    EXPECT_EQ(settings.ReadInt(Param::Roulette), 0);
    EXPECT_EQ(settings.ReadText(Param::Language), "FR");
    EXPECT_EQ(Settings(settings.file()).ReadInt(Param::Roulette), 0);
}

TEST(Settings, ReadsTheFileOnceAndWritesOnlyWhatChanged) {
    TempDir dir;
    const auto file = dir / "spinalyst.ini";
    WriteFile(file, "; mine\n[Params]\nLanguage=FR\n");
    Settings settings(file);
    // Changes on disk after the start are not read back...
    WriteFile(file, "[Params]\nLanguage=EN\n");
    EXPECT_EQ(settings.ReadText(Param::Language), "FR");
    // ... and a write that changes nothing leaves the file alone.
    ASSERT_TRUE(settings.WriteText(Param::Language, "FR"));
    EXPECT_EQ(ReadFile(file), "[Params]\nLanguage=EN\n");
    // A change writes the whole document as this run holds it, comment included.
    ASSERT_TRUE(settings.WriteInt(Param::Stat, 3));
    EXPECT_EQ(ReadFile(file), "; mine\n[Params]\nLanguage=FR\nStat=3\n");
}

TEST(Settings, NumbersBeyondTheIntegerRangeReadAsTheDefault) {
    TempDir dir;
    const auto file = dir / "spinalyst.ini";
    struct Case {
        const char* stored;
        long long read;
    } cases[] = {
        {"4294967305", 1}, {"4294967297", 1},          {"-4294967295", 1},
        {"2147483648", 1}, {"2147483647", 2147483647}, {"-2147483648", -2147483648LL},
        {"7", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        WriteFile(file,
                  std::string("[Params]\nStat=") + c.stored + "\nRndSource=" + c.stored + "\n");
        const Settings settings(file);
        EXPECT_EQ(settings.ReadInt(Param::Stat), c.read);
        EXPECT_EQ(settings.ReadInt(Param::RndSource), c.read);
    }
}

TEST(Settings, TextsAreKeptAsUtf8) {
    TempDir dir;
    Settings settings(dir / "spinalyst.ini");
    settings.WriteText(Param::RndSourceFile, "/home/zoé/tirages.txt");
    EXPECT_EQ(Settings(settings.file()).ReadText(Param::RndSourceFile), "/home/zoé/tirages.txt");
}

TEST(Settings, AnUnreadableFileIsNeverReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    TempDir dir;
    const auto file = dir / "spinalyst.ini";
    WriteFile(file, "[Params]\nLanguage=FR\n[Stat1]\nAll1=1\n");
    ::chmod(file.c_str(), 0);
    Settings settings(file);
    EXPECT_EQ(settings.lastError(), EACCES);
    EXPECT_FALSE(settings.WriteText(Param::Language, "EN"));
    // The change holds for this run.
    EXPECT_EQ(settings.ReadText(Param::Language), "EN");
    ::chmod(file.c_str(), 0600);
    EXPECT_EQ(ReadFile(file), "[Params]\nLanguage=FR\n[Stat1]\nAll1=1\n");
}

TEST(Settings, AFailedWriteSaysWhyAndDamagesNothing) {
    TempDir dir;
    WriteFile(dir / "blocker", "not a directory");
    Settings settings(dir / "blocker" / "spinalyst.ini");
    EXPECT_EQ(settings.lastError(), 0);
    EXPECT_FALSE(settings.WriteText(Param::Language, "FR"));
    EXPECT_EQ(settings.lastError(), ENOTDIR);
    EXPECT_EQ(settings.ReadText(Param::Language), "FR");
    EXPECT_EQ(ReadFile(dir / "blocker"), "not a directory");
}

TEST(AtomicFile, ReplacesContentAndLeavesNoTemporaryFile) {
    TempDir dir;
    const auto file = dir / "data.txt";
    ASSERT_TRUE(WriteFileAtomically(file, "first"));
    ASSERT_TRUE(WriteFileAtomically(file, "second"));
    EXPECT_EQ(ReadWholeFile(file), "second");
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++entries;
    EXPECT_EQ(entries, 1);
}

}  // namespace
}  // namespace spinalyst
