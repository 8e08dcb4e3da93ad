#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace spinalyst {

// Where the program finds and keeps its files: the settings file and the croupier file go to
// writeDir; language files are looked up in readDirs, first match wins.
struct DataPaths {
    std::filesystem::path writeDir;
    std::vector<std::filesystem::path> readDirs;

    std::filesystem::path SettingsFile() const;
    std::filesystem::path CroupierFile() const;
    // The first existing "spinalyst_<code>.lang" of readDirs; the name in the first read
    // directory when none exists.
    std::filesystem::path LanguageFile(std::string_view code) const;
};

struct DataPathInputs {
    std::filesystem::path exeDir;
    std::optional<std::filesystem::path> overrideDir;  // --data-dir, or SPINALYST_DATA_DIR
    std::optional<std::filesystem::path> userDataDir;  // per-user application data directory
};

// The executable's directory by default; an override replaces it. When the default is not
// writable (an installed copy) the files the program writes go to the user data directory,
// and language files are still found beside the executable or in ../share/spinalyst.
DataPaths ResolveDataPaths(const DataPathInputs& in);

// The per-user data directory from XDG_DATA_HOME or HOME; nullopt when neither is set.
std::optional<std::filesystem::path> UserDataDirFromEnvironment();

// Whether a file can be created in dir (a missing dir counts when it can be created).
bool IsWritableDirectory(const std::filesystem::path& dir);

}  // namespace spinalyst
