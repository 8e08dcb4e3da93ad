#include "store/data_paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

TEST(DataPaths, WritableCheck) {
    TempDir dir;
    EXPECT_TRUE(IsWritableDirectory(dir.path()));
    EXPECT_TRUE(IsWritableDirectory(dir / "missing" / "deeper"));
    test::WriteFile(dir / "file", "x");
    EXPECT_FALSE(IsWritableDirectory(dir / "file"));
}

}  // namespace
}  // namespace spinalyst
