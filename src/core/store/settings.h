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

// The settings file. Every access opens the file by name and lets it go: reads see what is on
// disk now, and each write replaces the file atomically, keeping every line it does not touch.
class Settings {
public:
    explicit Settings(std::filesystem::path file) : file_(std::move(file)) {}
    const std::filesystem::path& file() const { return file_; }

    // The document as it is on disk; empty when the file is missing or unreadable.
    IniFile Load() const;
    // Reads, applies edit to the document, writes it back. False when the write failed, or
    // when the file exists but cannot be read (it is then left alone rather than truncated).
    template <typename Edit>
    bool Update(Edit&& edit) const {
        IniFile ini;
        if (!LoadForUpdate(ini)) return false;
        edit(ini);
        return Save(ini);
    }

    std::string ReadText(Param p) const;
    // A value that is not a number, or does not fit an int, reads as the default.
    int ReadInt(Param p) const;
    bool WriteText(Param p, std::string_view value) const;
    bool WriteInt(Param p, long long value) const;

private:
    bool LoadForUpdate(IniFile& ini) const;
    bool Save(const IniFile& ini) const;

    std::filesystem::path file_;
};

}  // namespace spinalyst
