#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/draws/draw_log.h"

namespace spinalyst {

// Local time as YYYY-MM-DDTHH:MM:SS followed by its offset from UTC (+01:00, or -00:44:30 for
// a zone whose offset has seconds), so that the text names one instant even in the hour that
// is repeated when the clocks go back, and on a machine in another zone. Empty for a time the
// format cannot hold (a year beyond 9999).
std::string FormatFileTime(DrawTime t);

// Writes times as FormatFileTime does, asking the zone once per hour of UTC rather than once
// per time: where the zone's offset is the same at both ends of an hour, it holds for all of
// that hour (zones do not change their offset twice within one), and the text follows with
// arithmetic alone; an hour in which the offset changes is written time by time.
class FileTimeWriter {
public:
    // The longest text: a date, a time and an offset with seconds.
    static constexpr std::size_t maxTextSize = 28;
    // Appends the text of t to out.
    void Append(std::string& out, DrawTime t);
    // Writes the text of t at out, which has room for maxTextSize characters; returns its
    // length.
    std::size_t Write(char* out, DrawTime t);

private:
    std::int64_t hour_ = INT64_MIN;
    // The offset of that hour, and its text; nullopt for an hour of change.
    std::optional<std::int64_t> offset_;
    std::string offsetText_;
    // The wall-clock hour last written, and its text up to the minutes: "YYYY-MM-DDTHH:".
    std::int64_t wallHour_ = INT64_MIN;
    std::string hourText_;
};

// Reads times as FormatFileTime writes them; the offset may also be "Z". A time with an offset
// converts with arithmetic alone. One without (as older files hold them) is local time: in the
// hour repeated when the clocks go back it is the first pass of that hour, in the hour skipped
// when they go forward it takes the offset in force before. The zone is asked once per hour
// of wall time read, so one reader serves a whole file.
class FileTimeReader {
public:
    // nullopt when the text is no such time.
    std::optional<DrawTime> Read(std::string_view text);
    // Reads the time at p when it has the date, the hour and the offset (or none) of the last
    // time read and a comma follows it, as the rows of a file mostly do; returns the comma, or
    // nullptr for any other text, which Read then decides. Where both read, they agree.
    const char* ReadSameHour(const char* p, const char* end, DrawTime& t);

private:
    std::optional<std::int64_t> LocalInstant(std::int64_t wall);

    // The date and hour of the last time read, and its seconds as if it were UTC.
    std::array<char, 13> hourText_{};
    std::optional<std::int64_t> hourWall_;
    // The last offset read, as written.
    std::array<char, 9> zoneText_{};
    std::size_t zoneSize_ = 0;
    std::int64_t zoneOffset_ = 0;
    // Whether the last time read had that offset, rather than none.
    bool lastZoned_ = false;
    // How far the wall clock of each hour read is ahead of UTC, or mixedHour for an hour in
    // which the zone changes its offset, whose seconds are worked out one by one.
    static constexpr std::int64_t mixedHour = INT64_MIN;
    std::unordered_map<std::int64_t, std::int64_t> hourOffsets_;
    std::int64_t lastHour_ = INT64_MIN;
    std::int64_t lastOffset_ = 0;
};

}  // namespace spinalyst
