#include "core/draws/file_time.h"

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
    std::string text(buffer, n);
    const std::int64_t offset = CivilSeconds(local) - t;
    const std::int64_t size = offset < 0 ? -offset : offset;
    auto two = [](std::int64_t v) {
        return std::string(1, char('0' + v / 10)) + char('0' + v % 10);
    };
    text += offset < 0 ? '-' : '+';
    text += two(size / 3600) + ":" + two(size / 60 % 60);
    if (size % 60 != 0) text += ":" + two(size % 60);
    return text;
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
