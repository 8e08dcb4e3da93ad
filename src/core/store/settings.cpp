#include "store/settings.h"

#include "store/atomic_file.h"

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

long long Settings::ReadInt(Param p) const {
    const long long fallback = ParseWholeNumber(Info(p).defaultValue).value_or(0);
    return Load().GetInt(paramsSection, Info(p).key, fallback);
}

bool Settings::WriteText(Param p, std::string_view value) const {
    return Update([&](IniFile& ini) { ini.Set(paramsSection, Info(p).key, value); });
}

bool Settings::WriteInt(Param p, long long value) const {
    return Update([&](IniFile& ini) { ini.SetInt(paramsSection, Info(p).key, value); });
}

}  // namespace spinalyst
