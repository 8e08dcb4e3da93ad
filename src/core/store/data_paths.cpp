#include "core/store/data_paths.h"

#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <system_error>

#include "core/store/settings.h"

namespace spinalyst {

std::filesystem::path DataPaths::SettingsFile() const {
    return writeDir / settingsFileName;
}

std::filesystem::path DataPaths::CroupierFile() const {
    return writeDir / "croupiers";
}

std::filesystem::path DataPaths::WheelFile() const {
    return writeDir / "wheels";
}

std::optional<std::filesystem::path> DataPaths::ManualFile(std::string_view code) const {
    std::string folder(code);
    for (char& c : folder) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const auto& dir : readDirs) {
        const auto file = dir / "manual" / folder / "index.html";
        std::error_code ec;
        if (std::filesystem::is_regular_file(file, ec)) return file;
    }
    return std::nullopt;
}

std::optional<std::filesystem::path> DataPaths::ExampleSystemsDir() const {
    for (const auto& dir : readDirs) {
        std::error_code ec;
        if (std::filesystem::is_directory(dir / "systems", ec)) return dir / "systems";
    }
    return std::nullopt;
}

std::filesystem::path DataPaths::LanguageFile(std::string_view code) const {
    const std::string name = "spinalyst_" + std::string(code) + ".lang";
    std::error_code ec;
    for (const auto& dir : readDirs)
        if (std::filesystem::is_regular_file(dir / name, ec)) return dir / name;
    return (readDirs.empty() ? writeDir : readDirs.front()) / name;
}

bool IsWritableDirectory(const std::filesystem::path& dir) {
    std::error_code ec;
    if (!std::filesystem::exists(dir, ec)) {
        auto parent = dir.parent_path();
        while (!parent.empty() && !std::filesystem::exists(parent, ec)) {
            if (parent == parent.parent_path()) break;
            parent = parent.parent_path();
        }
        return !parent.empty() && ::access(parent.c_str(), W_OK | X_OK) == 0;
    }
    return std::filesystem::is_directory(dir, ec) && ::access(dir.c_str(), W_OK | X_OK) == 0;
}

std::optional<std::filesystem::path> UserDataDirFromEnvironment() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return std::filesystem::path(xdg) / "spinalyst";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::filesystem::path(home) / ".local" / "share" / "spinalyst";
    return std::nullopt;
}

std::filesystem::path SharedDataDir(const std::filesystem::path& exeDir) {
    return exeDir.parent_path() / "share" / "spinalyst";
}

bool IsInstalledCopy(const std::filesystem::path& exeDir) {
    // English is the default language, so every copy ships its file.
    std::error_code ec;
    return !std::filesystem::is_regular_file(exeDir / "spinalyst_EN.lang", ec) &&
           std::filesystem::is_regular_file(SharedDataDir(exeDir) / "spinalyst_EN.lang", ec);
}

DataPaths ResolveDataPaths(const DataPathInputs& in) {
    DataPaths paths;
    const auto shared = SharedDataDir(in.exeDir);
    if (in.overrideDir) {
        paths.writeDir = *in.overrideDir;
        paths.readDirs = {*in.overrideDir, in.exeDir, shared};
        return paths;
    }
    // An installed copy shares bin/ with other programs and share/ with other users, even
    // when this user (root, the owner of the prefix) could write there.
    const bool keepBesideExe = !IsInstalledCopy(in.exeDir) && IsWritableDirectory(in.exeDir);
    if (keepBesideExe || !in.userDataDir) {
        paths.writeDir = in.exeDir;
        paths.readDirs = {in.exeDir, shared};
    } else {
        paths.writeDir = *in.userDataDir;
        paths.readDirs = {*in.userDataDir, in.exeDir, shared};
    }
    return paths;
}

}  // namespace spinalyst
