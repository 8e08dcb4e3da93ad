#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "core/draws/game_file.h"

namespace spinalyst {
// Readable notes in the messages of failed checks.
inline void PrintTo(const GameFileNote& note, std::ostream* out) {
    *out << note.key << "=" << note.value << "@" << note.afterDraw;
}
}  // namespace spinalyst

namespace spinalyst::test {

// A fresh directory under the system's temporary directory, removed with its content.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Runs a test in another time zone (a zone name such as "Europe/Paris", or a rule) and puts
// the old one back.
class TimeZone {
public:
    explicit TimeZone(const char* zone);
    ~TimeZone();
    TimeZone(const TimeZone&) = delete;
    TimeZone& operator=(const TimeZone&) = delete;

private:
    std::optional<std::string> old_;
};

void WriteFile(const std::filesystem::path& file, std::string_view content);
std::string ReadFile(const std::filesystem::path& file);

}  // namespace spinalyst::test
