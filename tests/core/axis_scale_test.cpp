#include "core/stats/axis_scale.h"

#include <gtest/gtest.h>

namespace spinalyst {
namespace {

// Ticks on round values, whole draws on a draw axis, amounts with the decimals they need.
TEST(RoundAxisScale, TicksFallOnRoundValuesWithTheDecimalsTheyNeed) {
    struct Case {
        double low, high, unit;
        RoundScale scale;
    } cases[] = {
        // Two or five draws: a tick on every draw, never 1,1,1,0,0.
        {0, 2, 1, {0, 2, 1, 0}},
        {0, 5, 1, {0, 5, 1, 0}},
        {0, 7, 1, {0, 8, 2, 0}},
        {0, 1'000'000, 1, {0, 1'000'000, 200'000, 0}},
        // A balance from -53 to 100: -100, -50, 0, 50, 100.
        {-53, 100, 0.01, {-100, 100, 50, 0}},
        // Small amounts keep their cents.
        {0, 1, 0.01, {0, 1, 0.2, 1}},
        {-0.03, 0.02, 0.01, {-0.03, 0.02, 0.01, 2}},
        {-0.07, 0.02, 0.01, {-0.08, 0.02, 0.02, 2}},
        // No width: one step from the value.
        {3, 3, 1, {3, 4, 1, 0}},
        {0, 0, 0.01, {0, 0.01, 0.01, 2}},
    };
    for (const Case& c : cases) {
        const RoundScale s = RoundAxisScale(c.low, c.high, c.unit);
        SCOPED_TRACE(testing::Message() << c.low << " .. " << c.high);
        EXPECT_NEAR(s.min, c.scale.min, 1e-9);
        EXPECT_NEAR(s.max, c.scale.max, 1e-9);
        EXPECT_NEAR(s.step, c.scale.step, 1e-9);
        EXPECT_EQ(s.decimals, c.scale.decimals);
        EXPECT_LE(s.min, c.low);
        EXPECT_GE(s.max, c.high);
        EXPECT_LE((s.max - s.min) / s.step, 5 + 1e-9);
    }
}

}  // namespace
}  // namespace spinalyst
