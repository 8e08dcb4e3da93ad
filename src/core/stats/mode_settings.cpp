#include "core/stats/mode_settings.h"

#include <algorithm>
#include <limits>

namespace spinalyst {

namespace {

// The keys of a mode's section, in the order they are written. Files in users' hands use
// them: they never change.
namespace key {
constexpr std::string_view useRange = "All1";
constexpr std::string_view rangeStart = "Start1";
constexpr std::string_view rangeEnd = "End1";
constexpr std::string_view useLast = "Last1";
constexpr std::string_view lastCount = "Analyse1";
constexpr std::string_view stepEntry = "Step1";
constexpr std::string_view useFollowing = "Next1";
constexpr std::string_view followFamily = "Paris";
constexpr std::string_view followEntry = "Pari";
constexpr std::string_view useCroupier = "Next2";
constexpr std::string_view croupierName = "Croupier";
constexpr std::string_view useWheel = "Next3";
constexpr std::string_view wheelName = "Wheel";
constexpr std::string_view useDirection = "Next4";
constexpr std::string_view direction = "Direction";
}  // namespace key

int ReadSpin(const IniFile& ini, const std::string& section, std::string_view name, int fallback,
             int min, int max) {
    return static_cast<int>(std::clamp<long long>(ini.GetInt(section, name, fallback), min, max));
}

// A list given an index it does not have is left with no entry chosen.
std::optional<int> ReadIndex(const IniFile& ini, const std::string& section, std::string_view name,
                             std::optional<int> fallback, long long count) {
    const long long value = ini.GetInt(section, name, fallback.value_or(-1));
    if (value < 0 || value >= count) return std::nullopt;
    return static_cast<int>(value);
}

void WriteIndex(IniFile& ini, const std::string& section, std::string_view name,
                std::optional<int> index) {
    ini.SetInt(section, name, index.value_or(-1));
}

}  // namespace

std::string ModeSectionName(int mode) {
    return "Stat" + std::to_string(mode);
}

ModeSettings LoadModeSettings(const IniFile& ini, int mode, bool withEnd) {
    const std::string section = ModeSectionName(mode);
    ModeSettings s;
    s.useRange = ini.GetBool(section, key::useRange, s.useRange);
    s.rangeStart =
        ReadSpin(ini, section, key::rangeStart, s.rangeStart, minRangeDraw, maxRangeDraw);
    if (withEnd)
        s.rangeEnd = ReadSpin(ini, section, key::rangeEnd, s.rangeEnd, minRangeDraw, maxRangeDraw);
    s.useLast = ini.GetBool(section, key::useLast, s.useLast);
    s.lastCount = ReadSpin(ini, section, key::lastCount, s.lastCount, minAnalyse, maxAnalyse);
    s.stepEntry = ReadIndex(ini, section, key::stepEntry, s.stepEntry, stepEntryCount);
    s.useFollowing = ini.GetBool(section, key::useFollowing, s.useFollowing);
    const auto family =
        ReadIndex(ini, section, key::followFamily,
                  s.followFamily ? std::optional(FollowFamilyIndex(*s.followFamily)) : std::nullopt,
                  followFamilyCount);
    s.followFamily = family ? FollowFamilyAt(*family) : std::nullopt;
    // How many entries the target list holds depends on the family and the kind; an index
    // beyond the list is treated by the refresh like the empty entry.
    s.followEntry = ReadIndex(ini, section, key::followEntry, s.followEntry,
                              std::numeric_limits<int>::max() + 1LL);
    s.useCroupier = ini.GetBool(section, key::useCroupier, s.useCroupier);
    s.croupierName = ini.GetText(section, key::croupierName, s.croupierName);
    s.useWheel = ini.GetBool(section, key::useWheel, s.useWheel);
    s.wheelName = ini.GetText(section, key::wheelName, s.wheelName);
    s.useDirection = ini.GetBool(section, key::useDirection, s.useDirection);
    // A direction neither cw nor ccw filters nothing.
    const auto direction = DirectionFromText(
        ini.GetText(section, key::direction, std::string(DirectionText(s.direction))));
    if (direction && *direction != SpinDirection::Unknown)
        s.direction = *direction;
    else
        s.useDirection = false;
    return s;
}

void SaveModeSettings(IniFile& ini, int mode, const AnalysisControls& controls) {
    const std::string section = ModeSectionName(mode);
    ini.SetBool(section, key::useRange, controls.useRange);
    ini.SetInt(section, key::rangeStart, controls.rangeStart);
    ini.SetInt(section, key::rangeEnd, controls.rangeEnd);
    ini.SetBool(section, key::useLast, controls.useLast);
    ini.SetInt(section, key::lastCount, controls.lastCount);
    WriteIndex(ini, section, key::stepEntry, controls.stepEntry);
    ini.SetBool(section, key::useFollowing, controls.useFollowing);
    WriteIndex(ini, section, key::followFamily,
               controls.followFamily ? std::optional(FollowFamilyIndex(*controls.followFamily))
                                     : std::nullopt);
    WriteIndex(ini, section, key::followEntry, controls.followEntry);
    ini.SetBool(section, key::useCroupier, controls.useCroupier);
    ini.Set(section, key::croupierName, controls.croupierName);
    ini.SetBool(section, key::useWheel, controls.useWheel);
    ini.Set(section, key::wheelName, controls.wheelName);
    ini.SetBool(section, key::useDirection, controls.useDirection);
    ini.Set(section, key::direction, DirectionText(controls.direction));
}

}  // namespace spinalyst
