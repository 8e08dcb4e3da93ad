#include "core/store/recent_games.h"

#include <algorithm>

namespace spinalyst {

namespace {
std::string Key(int n) {
    return "File" + std::to_string(n);
}
}  // namespace

std::vector<std::string> RecentGames(const IniFile& ini) {
    std::vector<std::string> files;
    for (int n = 1; n <= maxRecentGames; ++n) {
        const auto file = ini.Get(recentGamesSection, Key(n));
        if (file && !file->empty() && std::find(files.begin(), files.end(), *file) == files.end())
            files.push_back(*file);
    }
    return files;
}

void PushRecentGame(IniFile& ini, std::string_view file) {
    std::vector<std::string> files = RecentGames(ini);
    files.erase(std::remove(files.begin(), files.end(), file), files.end());
    files.insert(files.begin(), std::string(file));
    if (files.size() > static_cast<std::size_t>(maxRecentGames))
        files.resize(static_cast<std::size_t>(maxRecentGames));
    for (int n = 1; n <= maxRecentGames; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        // Keys past the end are emptied, not left to name a file that fell off the list.
        if (i < files.size() || ini.Get(recentGamesSection, Key(n)))
            ini.Set(recentGamesSection, Key(n), i < files.size() ? files[i] : std::string());
    }
}

}  // namespace spinalyst
