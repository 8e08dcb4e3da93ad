#pragma once

#include <array>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "core/store/ini_file.h"

namespace spinalyst {

inline constexpr std::string_view settingsFileName = "spinalyst.ini";
inline constexpr std::string_view paramsSection = "Params";

// The keys of the "Params" section.
enum class Param { Language, Roulette, Stat, RndSource, RndSourceFile, HeatScale };

struct ParamInfo {
    Param param;
    std::string_view key;
    std::string_view defaultValue;
};
inline constexpr std::array<ParamInfo, 6> paramTable = {{
    {Param::Language, "Language", "EN"},
    {Param::Roulette, "Roulette", "1"},
    {Param::Stat, "Stat", "1"},
    {Param::RndSource, "RndSource", "1"},
    {Param::RndSourceFile, "RndSourceFile", ""},
    // How the heat views shade the pockets: spread or deviation.
    {Param::HeatScale, "HeatScale", "spread"},
}};
constexpr const ParamInfo& Info(Param p) {
    return paramTable[static_cast<std::size_t>(p)];
}

// The settings file, read once and then kept in memory: reads never touch the disk, and each
// change is made to the document here and the whole document written back atomically, so
// every line the program does not set (comments, unknown keys) is kept.
class Settings {
public:
    // Reads the file; a missing file is all defaults and is created by the first write.
    explicit Settings(std::filesystem::path file);
    const std::filesystem::path& file() const { return file_; }
    const IniFile& document() const { return ini_; }

    std::string ReadText(Param p) const;
    // A value that is not a number, or does not fit an int, reads as the default.
    int ReadInt(Param p) const;

    // Applies edit to the document, then writes the file when the document changed. The
    // change holds in memory even when the write fails; false then, with the reason in
    // lastError(). A file that exists but could not be read at start is never written: it is
    // left alone rather than replaced with less than it held.
    template <typename Edit>
    bool Update(Edit&& edit) {
        edit(ini_);
        return Write();
    }
    bool WriteText(Param p, std::string_view value);
    bool WriteInt(Param p, long long value);
    // The system's error number of the last write that failed (the read's, for a file that
    // could not be read at start); 0 when none failed.
    int lastError() const { return lastError_; }

private:
    bool Write();

    std::filesystem::path file_;
    IniFile ini_;
    // What the file holds as far as this object knows: a write that would not change it is
    // skipped.
    std::string onDisk_;
    bool unreadable_ = false;
    int lastError_ = 0;
};

}  // namespace spinalyst
