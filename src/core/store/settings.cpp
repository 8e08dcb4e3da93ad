#include "core/store/settings.h"

#include <cerrno>
#include <utility>

#include "core/store/atomic_file.h"

namespace spinalyst {

Settings::Settings(std::filesystem::path file) : file_(std::move(file)) {
    errno = 0;
    if (auto text = ReadWholeFile(file_)) {
        ini_ = IniFile::Parse(*text);
        onDisk_ = std::move(*text);
        return;
    }
    const int readError = errno;
    std::error_code ec;
    if (std::filesystem::exists(file_, ec)) {
        unreadable_ = true;
        lastError_ = readError                                  ? readError
                     : std::filesystem::is_directory(file_, ec) ? EISDIR
                                                                : EIO;
    }
}

bool Settings::Write() {
    if (unreadable_) return false;
    std::string text = ini_.Serialize();
    if (text == onDisk_ && std::filesystem::exists(file_)) return true;
    int error = 0;
    if (!WriteFileAtomically(file_, text, &error)) {
        lastError_ = error ? error : EIO;
        return false;
    }
    onDisk_ = std::move(text);
    lastError_ = 0;
    return true;
}

std::string Settings::ReadText(Param p) const {
    return ini_.GetText(paramsSection, Info(p).key, Info(p).defaultValue);
}

int Settings::ReadInt(Param p) const {
    const int fallback = static_cast<int>(ParseWholeNumber(Info(p).defaultValue).value_or(0));
    // A number the int cannot hold reads as not a number, never wrapped into range.
    const long long value = ini_.GetInt(paramsSection, Info(p).key, fallback);
    return std::in_range<int>(value) ? static_cast<int>(value) : fallback;
}

bool Settings::WriteText(Param p, std::string_view value) {
    return Update([&](IniFile& ini) { ini.Set(paramsSection, Info(p).key, value); });
}

bool Settings::WriteInt(Param p, long long value) {
    return Update([&](IniFile& ini) { ini.SetInt(paramsSection, Info(p).key, value); });
}

}  // namespace spinalyst
