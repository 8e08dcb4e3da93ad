#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace spinalyst {

// Where the program finds and keeps its files: the settings file and the croupier and wheel
// files go to writeDir; language files are looked up in readDirs, first match wins.
struct DataPaths {
    std::filesystem::path writeDir;
    std::vector<std::filesystem::path> readDirs;

    std::filesystem::path SettingsFile() const;
    std::filesystem::path CroupierFile() const;
    std::filesystem::path WheelFile() const;
    // The first existing "spinalyst_<code>.lang" of readDirs; the name in the first read
    // directory when none exists.
    std::filesystem::path LanguageFile(std::string_view code) const;
    // The user manual in a language, "manual/<code>/index.html" with the code in lower case,
    // in the first read directory that has it; nullopt when none has.
    std::optional<std::filesystem::path> ManualFile(std::string_view code) const;
    // The example systems shipped with the program ("systems/*.system"), in the first read
    // directory that has the folder; nullopt when none has.
    std::optional<std::filesystem::path> ExampleSystemsDir() const;
};

struct DataPathInputs {
    std::filesystem::path exeDir;
    std::optional<std::filesystem::path> overrideDir;  // --data-dir, or SPINALYST_DATA_DIR
    std::optional<std::filesystem::path> userDataDir;  // per-user application data directory
};

// The executable's directory by default; an override replaces it. An installed copy, or one
// whose directory is not writable, writes to the user data directory instead; language files
// are still found beside the executable or in ../share/spinalyst.
DataPaths ResolveDataPaths(const DataPathInputs& in);

// <prefix>/share/spinalyst for an executable in <prefix>/bin.
std::filesystem::path SharedDataDir(const std::filesystem::path& exeDir);

// Whether the executable runs from an installed layout: its language files are not beside
// it but in SharedDataDir.
bool IsInstalledCopy(const std::filesystem::path& exeDir);

// The per-user data directory from XDG_DATA_HOME or HOME; nullopt when neither is set.
std::optional<std::filesystem::path> UserDataDirFromEnvironment();

// Whether a file can be created in dir (a missing dir counts when it can be created).
bool IsWritableDirectory(const std::filesystem::path& dir);

}  // namespace spinalyst
