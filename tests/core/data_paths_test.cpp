#include "core/store/data_paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <fstream>

#include "test_support.h"

namespace spinalyst {
namespace {

using test::TempDir;

TEST(DataPaths, ExecutableDirectoryByDefaultAndOverrideReplacesIt) {
    TempDir exe, user, over;
    DataPaths byDefault = ResolveDataPaths({exe.path(), std::nullopt, user.path()});
    EXPECT_EQ(byDefault.SettingsFile(), exe / "spinalyst.ini");
    EXPECT_EQ(byDefault.CroupierFile(), exe / "croupiers");

    DataPaths overridden = ResolveDataPaths({exe.path(), over.path() / "new", user.path()});
    EXPECT_EQ(overridden.SettingsFile(), over / "new" / "spinalyst.ini");
    // Language files are still found beside the executable when the data dir has none.
    test::WriteFile(exe / "spinalyst_FR.lang", "NUMERO\tTEXT\n");
    EXPECT_EQ(overridden.LanguageFile("FR"), exe / "spinalyst_FR.lang");
    EXPECT_EQ(overridden.LanguageFile("EN"), over / "new" / "spinalyst_EN.lang");
}

TEST(DataPaths, ReadOnlyExecutableDirectoryWritesToTheUserDirectory) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes everywhere";
    TempDir exe, user;
    test::WriteFile(exe / "spinalyst_EN.lang", "NUMERO\tTEXT\n");
    ::chmod(exe.path().c_str(), 0555);
    DataPaths paths = ResolveDataPaths({exe.path(), std::nullopt, user.path() / "spinalyst"});
    EXPECT_EQ(paths.SettingsFile(), user / "spinalyst" / "spinalyst.ini");
    EXPECT_EQ(paths.LanguageFile("EN"), exe / "spinalyst_EN.lang");
}

// Where the files go for each layout a copy can run from. The executable directory is
// writable in every case, as it is for root or for a prefix the user owns.
TEST(DataPaths, InstalledCopyWritesToTheUserDirectoryEvenWhenItCouldWriteBesideItself) {
    enum class Expect { ExeDir, UserDir, Override };
    enum class Lang { Beside, Shared, Nowhere };
    struct Case {
        const char* name;
        bool langBesideExe;
        bool langInShare;
        bool userDirKnown;
        bool overridden;
        Expect writeTo;
        Lang englishFrom;
    } cases[] = {
        {"build tree", true, false, true, false, Expect::ExeDir, Lang::Beside},
        {"installed", false, true, true, false, Expect::UserDir, Lang::Shared},
        {"installed, no HOME", false, true, false, false, Expect::ExeDir, Lang::Shared},
        {"installed, overridden", false, true, true, true, Expect::Override, Lang::Shared},
        {"unpacked over an install", true, true, true, false, Expect::ExeDir, Lang::Beside},
        {"bare executable", false, false, true, false, Expect::ExeDir, Lang::Nowhere},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir prefix, home, over;
        const auto bin = prefix / "bin";
        const auto share = prefix / "share" / "spinalyst";
        std::filesystem::create_directories(bin);
        std::filesystem::create_directories(share);
        if (c.langBesideExe) test::WriteFile(bin / "spinalyst_EN.lang", "NUMERO\tTEXT\n");
        if (c.langInShare) test::WriteFile(share / "spinalyst_EN.lang", "NUMERO\tTEXT\n");
        const auto user = home / "spinalyst";

        DataPathInputs in{bin, std::nullopt, std::nullopt};
        if (c.userDirKnown) in.userDataDir = user;
        if (c.overridden) in.overrideDir = over.path();
        const DataPaths paths = ResolveDataPaths(in);

        const std::filesystem::path writeDir = c.writeTo == Expect::ExeDir    ? bin
                                               : c.writeTo == Expect::UserDir ? user
                                                                              : over.path();
        EXPECT_EQ(paths.SettingsFile(), writeDir / "spinalyst.ini");
        EXPECT_EQ(paths.CroupierFile(), writeDir / "croupiers");
        EXPECT_EQ(IsInstalledCopy(bin), c.langInShare && !c.langBesideExe);
        if (c.englishFrom != Lang::Nowhere) {
            EXPECT_EQ(paths.LanguageFile("EN"),
                      (c.englishFrom == Lang::Beside ? bin : share) / "spinalyst_EN.lang");
        }
    }
}

TEST(DataPaths, WritableCheck) {
    TempDir dir;
    EXPECT_TRUE(IsWritableDirectory(dir.path()));
    EXPECT_TRUE(IsWritableDirectory(dir / "missing" / "deeper"));
    test::WriteFile(dir / "file", "x");
    EXPECT_FALSE(IsWritableDirectory(dir / "file"));
}

TEST(DataPaths, TheManualOfALanguageIsFoundInTheFirstDirectoryThatHasIt) {
    TempDir beside, shared;
    std::filesystem::create_directories(shared.path() / "manual" / "fr");
    std::filesystem::create_directories(shared.path() / "manual" / "en");
    std::ofstream(shared.path() / "manual" / "fr" / "index.html") << "<html></html>";
    DataPaths paths;
    paths.readDirs = {beside.path(), shared.path()};
    EXPECT_EQ(paths.ManualFile("FR"), shared.path() / "manual" / "fr" / "index.html");
    EXPECT_EQ(paths.ManualFile("EN"), std::nullopt);  // a folder without its page
}

TEST(DataPaths, TheExampleSystemsAreFoundInTheFirstDirectoryThatHasThem) {
    TempDir beside, shared;
    DataPaths paths;
    paths.readDirs = {beside.path(), shared.path()};
    EXPECT_EQ(paths.ExampleSystemsDir(), std::nullopt);
    std::filesystem::create_directories(shared.path() / "systems");
    EXPECT_EQ(paths.ExampleSystemsDir(), shared.path() / "systems");
}

}  // namespace
}  // namespace spinalyst
