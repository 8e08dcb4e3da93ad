// The settings file: any text reads without harm and is written back as it came; a value the
// program sets reads back as set; the analysis settings of a mode read back as saved.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <string>

#include "core/stats/mode_settings.h"
#include "core/store/ini_file.h"
#include "fuzz_check.h"

using namespace spinalyst;
using fuzz::Check;

namespace {

constexpr std::array<std::pair<const char*, const char*>, 8> probes = {{
    {"Params", "Language"},
    {"Params", "Stat"},
    {"Params", "RndSourceFile"},
    {"params", "roulette"},
    {"Stat1", "Croupier"},
    {"Stat1", "Start1"},
    {"Stat9", "Pari"},
    {"Other", "Key"},
}};

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string SavedMode(const ModeSettings& settings) {
    IniFile ini;
    SaveModeSettings(ini, 1, settings);
    return ini.Serialize();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);
    IniFile ini = IniFile::Parse(text);
    Check(ini.Serialize() == text, "an untouched file is written back byte for byte");

    // The last bytes, up to 40, become the value of one of the probed keys.
    const std::size_t valueSize = std::min<std::size_t>(size, 40);
    const std::string value(text.substr(size - valueSize));
    const auto& [section, key] = probes[size > 0 ? data[0] % probes.size() : 0];
    std::array<std::optional<std::string>, probes.size()> before;
    for (std::size_t i = 0; i < probes.size(); ++i)
        before[i] = ini.Get(probes[i].first, probes[i].second);
    ini.Set(section, key, value);
    const IniFile back = IniFile::Parse(ini.Serialize());
    std::string expected = value;
    for (char& c : expected)
        if (c == '\r' || c == '\n') c = ' ';
    Check(back.Get(section, key) == expected, "a value set reads back as set");
    for (std::size_t i = 0; i < probes.size(); ++i)
        if (!SameName(probes[i].first, section) || !SameName(probes[i].second, key))
            Check(back.Get(probes[i].first, probes[i].second) == before[i],
                  "setting one key leaves the others alone");

    for (int mode : {1, 5}) {
        const ModeSettings loaded = LoadModeSettings(ini, mode, true);
        IniFile saved = IniFile::Parse(text);
        SaveModeSettings(saved, mode, loaded);
        const ModeSettings reread = LoadModeSettings(IniFile::Parse(saved.Serialize()), mode, true);
        Check(SavedMode(reread) == SavedMode(loaded), "mode settings read back as saved");
    }
    return 0;
}
