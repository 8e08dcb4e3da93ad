#include "core/draws/file_time.h"

#include <gtest/gtest.h>

#include <ctime>
#include <vector>

#include "test_support.h"

namespace spinalyst {
namespace {

std::optional<std::int64_t> OffsetAt(std::int64_t t) {
    const auto tt = static_cast<std::time_t>(t);
    std::tm local{};
    if (!localtime_r(&tt, &local)) return std::nullopt;
    return local.tm_gmtoff;
}

// The instant a wall-clock reading without offset stands for, found by trying every offset
// a zone of today may have: the earliest instant whose local reading it is; in the hour
// skipped when the clocks go forward, the reading with the offset of the day before.
std::int64_t ExpectedInstant(std::int64_t wall) {
    std::optional<std::int64_t> earliest;
    for (std::int64_t offset = -14 * 3600; offset <= 14 * 3600; offset += 900) {
        const std::int64_t t = wall - offset;
        if (OffsetAt(t) == offset && (!earliest || t < *earliest)) earliest = t;
    }
    return earliest ? *earliest : wall - *OffsetAt(wall - 86400);
}

// A wall-clock reading (seconds as if it were UTC) as the file writes it, without offset.
std::string WallText(std::int64_t wall) {
    const auto tt = static_cast<std::time_t>(wall);
    std::tm utc{};
    gmtime_r(&tt, &utc);
    char buffer[32];
    return std::string(buffer, std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%S", &utc));
}

// Walls are remembered per hour; an hour in which the zone changes its offset, even by half an
// hour in its middle as on Lord Howe Island, must still read second by second.
TEST(FileTime, LocalTimesAroundClockChangesReadAsTheirInstant) {
    struct Case {
        const char* zone;
        std::int64_t changeDay;  // midnight of a day the clocks change, as a wall
    } cases[] = {
        {"Europe/Paris", 1'679'788'800},         // 2023-03-26, forward at 02:00
        {"Europe/Paris", 1'698'537'600},         // 2023-10-29, back at 03:00
        {"Australia/Lord_Howe", 1'680'393'600},  // 2023-04-02, back half an hour at 02:00
        {"Australia/Lord_Howe", 1'696'118'400},  // 2023-10-01, forward half an hour at 02:00
        {"America/New_York", 1'678'579'200},     // 2023-03-12
        {"America/New_York", 1'699'142'400},     // 2023-11-05
        {"CET-1CEST,M3.5.0,M10.5.0/3", 1'698'537'600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zone);
        const test::TimeZone zone(c.zone);
        std::vector<std::int64_t> walls;
        // Steps of 7 min 17 s over three days, so that every hour is met at varied seconds.
        for (std::int64_t wall = c.changeDay - 86400; wall < c.changeDay + 2 * 86400; wall += 437)
            walls.push_back(wall);
        FileTimeReader reader;
        // Forwards, then backwards through the hours already met.
        for (int pass = 0; pass < 2; ++pass) {
            for (const std::int64_t wall : walls) {
                const auto read = reader.Read(WallText(wall));
                ASSERT_TRUE(read) << WallText(wall);
                EXPECT_EQ(*read, ExpectedInstant(wall)) << WallText(wall);
            }
            std::reverse(walls.begin(), walls.end());
        }
    }
}

TEST(FileTime, TimesWithAnOffsetReadAndWriteBack) {
    const test::TimeZone zone("Europe/Paris");
    FileTimeReader reader;
    constexpr DrawTime t = 1'700'000'000;  // 2023-11-14T22:13:20Z
    struct Case {
        const char* text;
        std::optional<DrawTime> time;
    } cases[] = {
        {"2023-11-14T23:13:20+01:00", t},
        {"2023-11-14T22:13:20Z", t},
        {"2023-11-14T17:13:20-05:00", t},
        {"2023-11-14T17:13:21-05:00", t + 1},  // the same offset again
        {"2023-11-15T03:43:20+05:30", t},
        {"2023-11-14T22:13:20+00:00:60", std::nullopt},
        {"2023-11-14T21:28:50-00:44:30", t},
        {"2023-11-14T23:13:20+01:00 ", std::nullopt},
        {"2023-11-14T23:13:60+01:00", std::nullopt},
        {"2023-11-14T23:60:20+01:00", std::nullopt},
        {"2023-11-14T23:1:20+01:00", std::nullopt},
        {"2023-11-14T23-13:20+01:00", std::nullopt},
        {"2023-11-14T23:13:20", t},  // the same hour as before, in Paris
        {"2023-11-31T23:13:20", std::nullopt},
        {"2024-02-29T00:00:00Z", 1'709'164'800},
        {"2023-02-29T00:00:00Z", std::nullopt},
        {"2023-11-14", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(reader.Read(c.text), c.time);
    }
    EXPECT_EQ(FormatFileTime(t), "2023-11-14T23:13:20+01:00");
    EXPECT_EQ(reader.Read(FormatFileTime(t)), t);
}

}  // namespace
}  // namespace spinalyst
