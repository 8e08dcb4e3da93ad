#include "core/store/recent_games.h"

#include <gtest/gtest.h>

namespace spinalyst {
namespace {

TEST(RecentGames, KeepsTheEightNewestOnceEachNewestFirst) {
    IniFile ini = IniFile::Parse(
        "[Params]\nLanguage=FR\n[RecentGames]\nFile1=/a.csv\nFile2=\nFile3=/a.csv\n");
    EXPECT_EQ(RecentGames(ini), std::vector<std::string>{"/a.csv"});
    for (int n = 1; n <= 9; ++n) PushRecentGame(ini, "/g" + std::to_string(n) + ".csv");
    PushRecentGame(ini, "/g5.csv");
    EXPECT_EQ(RecentGames(ini),
              (std::vector<std::string>{"/g5.csv", "/g9.csv", "/g8.csv", "/g7.csv", "/g6.csv",
                                        "/g4.csv", "/g3.csv", "/g2.csv"}));
    // The list survives the file, and the other sections stay.
    const IniFile back = IniFile::Parse(ini.Serialize());
    EXPECT_EQ(RecentGames(back), RecentGames(ini));
    EXPECT_EQ(back.Get("Params", "Language"), "FR");
}

}  // namespace
}  // namespace spinalyst
