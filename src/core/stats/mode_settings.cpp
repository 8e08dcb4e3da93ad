#include "stats/mode_settings.h"

#include <algorithm>
#include <limits>

namespace spinalyst {

namespace {

int ReadSpin(const IniFile& ini, const std::string& section, std::string_view key, int fallback,
             int min, int max) {
    return static_cast<int>(std::clamp<long long>(ini.GetInt(section, key, fallback), min, max));
}

// A combo box given an index it does not have is left with no entry chosen.
std::optional<int> ReadIndex(const IniFile& ini, const std::string& section, std::string_view key,
                             std::optional<int> fallback, long long count) {
    const long long value = ini.GetInt(section, key, fallback.value_or(-1));
    if (value < 0 || value >= count) return std::nullopt;
    return static_cast<int>(value);
}

void WriteIndex(IniFile& ini, const std::string& section, std::string_view key,
                std::optional<int> index) {
    ini.SetInt(section, key, index.value_or(-1));
}

}  // namespace

std::string ModeSectionName(int mode) {
    return "Stat" + std::to_string(mode);
}

ModeSettings LoadModeSettings(const IniFile& ini, int mode, bool withEnd) {
    const std::string section = ModeSectionName(mode);
    ModeSettings s;
    s.all1 = ini.GetBool(section, "All1", s.all1);
    s.start1 = ReadSpin(ini, section, "Start1", s.start1, minRangeDraw, maxRangeDraw);
    if (withEnd) s.end1 = ReadSpin(ini, section, "End1", s.end1, minRangeDraw, maxRangeDraw);
    s.last1 = ini.GetBool(section, "Last1", s.last1);
    s.analyse1 = ReadSpin(ini, section, "Analyse1", s.analyse1, minAnalyse, maxAnalyse);
    s.step1 = ReadIndex(ini, section, "Step1", s.step1, stepEntryCount);
    s.next1 = ini.GetBool(section, "Next1", s.next1);
    s.paris = ReadIndex(ini, section, "Paris", s.paris, followFamilyCount);
    // How many entries cbPari lists depends on the family and the kind; an index beyond the
    // list is treated by the refresh like the empty entry.
    s.pari = ReadIndex(ini, section, "Pari", s.pari, std::numeric_limits<int>::max() + 1LL);
    s.next2 = ini.GetBool(section, "Next2", s.next2);
    s.croupier = ini.GetText(section, "Croupier", s.croupier);
    return s;
}

void SaveModeSettings(IniFile& ini, int mode, const AnalysisControls& controls) {
    const std::string section = ModeSectionName(mode);
    ini.SetBool(section, "All1", controls.all1);
    ini.SetInt(section, "Start1", controls.start1);
    ini.SetInt(section, "End1", controls.end1);
    ini.SetBool(section, "Last1", controls.last1);
    ini.SetInt(section, "Analyse1", controls.analyse1);
    WriteIndex(ini, section, "Step1", controls.step1);
    ini.SetBool(section, "Next1", controls.next1);
    WriteIndex(ini, section, "Paris", controls.paris);
    WriteIndex(ini, section, "Pari", controls.pari);
    ini.SetBool(section, "Next2", controls.next2);
    ini.Set(section, "Croupier", controls.croupier);
}

}  // namespace spinalyst
