#include "core/store/settings.h"

#include <utility>

#include "core/store/atomic_file.h"

namespace spinalyst {

IniFile Settings::Load() const {
    auto text = ReadWholeFile(file_);
    return text ? IniFile::Parse(*text) : IniFile{};
}

bool Settings::LoadForUpdate(IniFile& ini) const {
    std::error_code ec;
    auto text = ReadWholeFile(file_);
    if (!text) {
        if (std::filesystem::exists(file_, ec)) return false;
        ini = IniFile{};
        return true;
    }
    ini = IniFile::Parse(*text);
    return true;
}

bool Settings::Save(const IniFile& ini) const {
    return WriteFileAtomically(file_, ini.Serialize());
}

std::string Settings::ReadText(Param p) const {
    return Load().GetText(paramsSection, Info(p).key, Info(p).defaultValue);
}

int Settings::ReadInt(Param p) const {
    const int fallback = static_cast<int>(ParseWholeNumber(Info(p).defaultValue).value_or(0));
    // A number the int cannot hold reads as not a number, never wrapped into range.
    const long long value = Load().GetInt(paramsSection, Info(p).key, fallback);
    return std::in_range<int>(value) ? static_cast<int>(value) : fallback;
}

bool Settings::WriteText(Param p, std::string_view value) const {
    return Update([&](IniFile& ini) { ini.Set(paramsSection, Info(p).key, value); });
}

bool Settings::WriteInt(Param p, long long value) const {
    return Update([&](IniFile& ini) { ini.SetInt(paramsSection, Info(p).key, value); });
}

}  // namespace spinalyst
