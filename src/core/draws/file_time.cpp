#include "core/draws/file_time.h"

#include <algorithm>
#include <cstring>
#include <ctime>

namespace spinalyst {

namespace {

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// A wall-clock reading as seconds, as if it were UTC.
std::int64_t CivilSeconds(const std::tm& tm) {
    return DaysFromCivil(tm.tm_year + 1900LL, tm.tm_mon + 1, tm.tm_mday) * 86400 +
           tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec;
}

// How far local time is ahead of UTC at the instant t.
std::optional<std::int64_t> LocalOffsetAt(std::int64_t t) {
    const auto tt = static_cast<std::time_t>(t);
    std::tm local{};
    if (!localtime_r(&tt, &local)) return std::nullopt;
    return CivilSeconds(local) - t;
}

// The instant a local wall-clock reading stands for: of the offsets in force a day before and
// a day after, the ones the zone really has at the instant they give; of those the earlier
// instant, so that a repeated hour reads as its first pass. Worked out from the offsets alone,
// so the answer never depends on earlier conversions (mktime guesses daylight saving from its
// previous call).
std::optional<std::int64_t> LocalToInstant(std::int64_t wall) {
    const auto before = LocalOffsetAt(wall - 86400);
    const auto after = LocalOffsetAt(wall + 86400);
    if (!before || !after) return std::nullopt;
    std::optional<std::int64_t> first;
    for (const std::int64_t offset : {*before, *after}) {
        const std::int64_t t = wall - offset;
        if (LocalOffsetAt(t) == offset && (!first || t < *first)) first = t;
    }
    return first ? *first : wall - *before;
}

// The offset LocalToInstant takes for every second of the wall-clock hour that starts at
// `start`, or nullopt when the answer changes within the hour. Each offset it looks up is
// looked up at both ends of the hour: zones do not change their offset twice within one.
std::optional<std::int64_t> HourOffset(std::int64_t start) {
    const std::int64_t end = start + 3599;
    const auto same = [](std::int64_t from, std::int64_t to) {
        const auto offset = LocalOffsetAt(from);
        return offset && offset == LocalOffsetAt(to) ? offset : std::nullopt;
    };
    const auto before = same(start - 86400, end - 86400);
    const auto after = same(start + 86400, end + 86400);
    if (!before || !after) return std::nullopt;
    std::optional<std::int64_t> chosen;
    for (const std::int64_t offset : {*before, *after}) {
        const auto actual = LocalOffsetAt(start - offset);
        if (actual != LocalOffsetAt(end - offset)) return std::nullopt;
        // The larger offset gives the earlier instant.
        if (actual == offset && (!chosen || offset > *chosen)) chosen = offset;
    }
    return chosen.value_or(*before);
}

// The date of a day counted from 1970-01-01: year, month, day.
std::array<std::int64_t, 3> CivilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    return {yoe + era * 400 + (month <= 2), month, day};
}

// value in `digits` decimal digits at text[at].
void Put(char* text, std::size_t at, std::int64_t value, int digits) {
    for (int k = digits - 1; k >= 0; --k, value /= 10)
        text[at + static_cast<std::size_t>(k)] = static_cast<char>('0' + value % 10);
}

// "+HH:MM", with ":SS" for an offset that has seconds.
std::string OffsetText(std::int64_t offset) {
    const std::int64_t size = offset < 0 ? -offset : offset;
    auto two = [](std::int64_t v) {
        return std::string(1, char('0' + v / 10)) + char('0' + v % 10);
    };
    std::string text(1, offset < 0 ? '-' : '+');
    text += two(size / 3600) + ":" + two(size / 60 % 60);
    if (size % 60 != 0) text += ":" + two(size % 60);
    return text;
}

// Two digits at s[at]; -1 when they are not.
int TwoDigits(std::string_view s, std::size_t at) {
    if (at + 2 > s.size() || s[at] < '0' || s[at] > '9' || s[at + 1] < '0' || s[at + 1] > '9')
        return -1;
    return (s[at] - '0') * 10 + (s[at + 1] - '0');
}

// "+HH:MM" or "-HH:MM" (with ":SS" for the odd zone whose offset has seconds), or "Z".
std::optional<std::int64_t> ParseOffset(std::string_view s) {
    if (s == "Z") return 0;
    if ((s.size() != 6 && s.size() != 9) || (s[0] != '+' && s[0] != '-') || s[3] != ':' ||
        (s.size() == 9 && s[6] != ':'))
        return std::nullopt;
    const int hours = TwoDigits(s, 1), minutes = TwoDigits(s, 4);
    const int seconds = s.size() == 9 ? TwoDigits(s, 7) : 0;
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59)
        return std::nullopt;
    const std::int64_t offset = hours * 3600 + minutes * 60 + seconds;
    return s[0] == '-' ? -offset : offset;
}

}  // namespace

std::string FormatFileTime(DrawTime t) {
    const auto tt = static_cast<std::time_t>(t);
    std::tm local{};
    if (!localtime_r(&tt, &local) || local.tm_year + 1900 < 0 || local.tm_year + 1900 > 9999)
        return {};
    char buffer[32];
    const std::size_t n = std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%S", &local);
    return std::string(buffer, n) + OffsetText(CivilSeconds(local) - t);
}

void FileTimeWriter::Append(std::string& out, DrawTime t) {
    char text[maxTextSize];
    out.append(text, Write(text, t));
}

std::size_t FileTimeWriter::Write(char* out, DrawTime t) {
    const std::int64_t hour = t >= 0 ? t / 3600 : (t - 3599) / 3600;
    if (hour != hour_) {
        hour_ = hour;
        const auto first = LocalOffsetAt(hour * 3600);
        offset_ = first && first == LocalOffsetAt(hour * 3600 + 3599) ? first : std::nullopt;
        if (offset_) offsetText_ = OffsetText(*offset_);
    }
    if (!offset_) {
        const std::string text = FormatFileTime(t);
        const std::size_t size = std::min(text.size(), maxTextSize);
        std::memcpy(out, text.data(), size);
        return size;
    }
    const std::int64_t wall = t + *offset_;
    const std::int64_t wallHour = wall >= 0 ? wall / 3600 : (wall - 3599) / 3600;
    if (wallHour != wallHour_) {
        const std::int64_t days = wallHour >= 0 ? wallHour / 24 : (wallHour - 23) / 24;
        const auto [year, month, day] = CivilFromDays(days);
        wallHour_ = wallHour;
        hourText_.clear();
        if (year >= 0 && year <= 9999) {
            char text[14];
            Put(text, 0, year, 4);
            text[4] = '-';
            Put(text, 5, month, 2);
            text[7] = '-';
            Put(text, 8, day, 2);
            text[10] = 'T';
            Put(text, 11, wallHour - days * 24, 2);
            text[13] = ':';
            hourText_.assign(text, sizeof text);
        }
    }
    if (hourText_.empty()) return 0;
    const std::int64_t second = wall - wallHour * 3600;
    char* at = out;
    std::memcpy(at, hourText_.data(), hourText_.size());
    at += hourText_.size();
    Put(at, 0, second / 60, 2);
    at[2] = ':';
    Put(at, 3, second % 60, 2);
    at += 5;
    std::memcpy(at, offsetText_.data(), offsetText_.size());
    return static_cast<std::size_t>(at - out) + offsetText_.size();
}

std::optional<DrawTime> FileTimeReader::Read(std::string_view s) {
    // YYYY-MM-DDTHH:MM:SS, then the offset or nothing.
    constexpr std::size_t hourSize = 13, size = 19;
    if (s.size() < size) return std::nullopt;
    // The rows of a file mostly share their hour and their offset: each is read once.
    if (!hourWall_ || std::memcmp(s.data(), hourText_.data(), hourSize) != 0) {
        constexpr std::string_view pattern = "dddd-dd-ddTdd";
        for (std::size_t i = 0; i < hourSize; ++i) {
            const bool digit = s[i] >= '0' && s[i] <= '9';
            if (pattern[i] == 'd' ? !digit : s[i] != pattern[i]) return std::nullopt;
        }
        const int year = TwoDigits(s, 0) * 100 + TwoDigits(s, 2), month = TwoDigits(s, 5),
                  day = TwoDigits(s, 8), hour = TwoDigits(s, 11);
        if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23)
            return std::nullopt;
        std::memcpy(hourText_.data(), s.data(), hourSize);
        hourWall_ = DaysFromCivil(year, month, day) * 86400 + hour * 3600;
    }
    if (s[13] != ':' || s[16] != ':') return std::nullopt;
    const int minute = TwoDigits(s, 14), second = TwoDigits(s, 17);
    if (minute < 0 || minute > 59 || second < 0 || second > 59) return std::nullopt;
    const std::int64_t wall = *hourWall_ + minute * 60 + second;
    const std::string_view zone = s.substr(size);
    lastZoned_ = !zone.empty();
    if (zone.empty()) return LocalInstant(wall);
    if (zone != std::string_view(zoneText_.data(), zoneSize_)) {
        const auto offset = ParseOffset(zone);
        if (!offset) return std::nullopt;
        // Every offset read is at most 9 characters long.
        zoneSize_ = zone.size();
        std::memcpy(zoneText_.data(), zone.data(), zone.size());
        zoneOffset_ = *offset;
    }
    return wall - zoneOffset_;
}

const char* FileTimeReader::ReadSameHour(const char* p, const char* end, DrawTime& t) {
    constexpr std::size_t hourSize = 13, size = 19;
    const std::size_t zoneSize = lastZoned_ ? zoneSize_ : 0;
    if (!hourWall_ || static_cast<std::size_t>(end - p) <= size + zoneSize ||
        p[size + zoneSize] != ',' || std::memcmp(p, hourText_.data(), hourSize) != 0 ||
        p[13] != ':' || p[16] != ':')
        return nullptr;
    const int minute = TwoDigits({p, size}, 14), second = TwoDigits({p, size}, 17);
    if (minute < 0 || minute > 59 || second < 0 || second > 59) return nullptr;
    const std::int64_t wall = *hourWall_ + minute * 60 + second;
    if (zoneSize == 0) {
        const auto instant = LocalInstant(wall);
        if (!instant) return nullptr;
        t = *instant;
    } else {
        // Offsets are one, six or nine characters long: each length compares as a constant.
        const bool same = zoneSize == 6   ? std::memcmp(p + size, zoneText_.data(), 6) == 0
                          : zoneSize == 1 ? p[size] == zoneText_[0]
                                          : std::memcmp(p + size, zoneText_.data(), 9) == 0;
        if (!same) return nullptr;
        t = wall - zoneOffset_;
    }
    return p + size + zoneSize;
}

std::optional<std::int64_t> FileTimeReader::LocalInstant(std::int64_t wall) {
    // Floor division: walls before 1970 are read too, and refused later as out of range.
    const std::int64_t hour = wall / 3600 - (wall % 3600 < 0);
    if (hour != lastHour_) {
        const auto [it, added] = hourOffsets_.try_emplace(hour, mixedHour);
        if (added) it->second = HourOffset(hour * 3600).value_or(mixedHour);
        lastHour_ = hour;
        lastOffset_ = it->second;
    }
    if (lastOffset_ == mixedHour) return LocalToInstant(wall);
    return wall - lastOffset_;
}

}  // namespace spinalyst
