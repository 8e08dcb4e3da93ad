#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/store/ini_file.h"

namespace spinalyst {

inline constexpr std::string_view recentGamesSection = "RecentGames";
inline constexpr int maxRecentGames = 8;

// The files of the recent games list, newest first, from keys File1 ... File8.
std::vector<std::string> RecentGames(const IniFile& ini);
// Puts a file at the head of the list, once, keeping the eight newest.
void PushRecentGame(IniFile& ini, std::string_view file);

}  // namespace spinalyst
