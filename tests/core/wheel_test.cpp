#include "core/model/wheel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace spinalyst {
namespace {

TEST(Wheel, OrdersHoldEachPocketOfTheKindOnce) {
    for (RouletteKind kind : allKinds) {
        auto order = WheelOrder(kind);
        std::vector<Pocket> sorted(order.begin(), order.end());
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(static_cast<int>(sorted.size()), pocketCount(kind));
        for (int i = 0; i < pocketCount(kind); ++i) EXPECT_EQ(sorted[i], firstPocket(kind) + i);
    }
    EXPECT_EQ(noZeroWheel.front(), 32);
    EXPECT_EQ(noZeroWheel.back(), 26);
}

TEST(Wheel, DistancesCountStepsForward) {
    struct Case {
        RouletteKind kind;
        Pocket a, b;
        int distance;
    } cases[] = {
        {RouletteKind::French, 17, 17, 0},           {RouletteKind::French, 26, 0, 1},
        {RouletteKind::French, 0, 26, 36},           {RouletteKind::French, 0, 32, 1},
        {RouletteKind::NoZero, 26, 32, 1},           {RouletteKind::NoZero, 32, 26, 35},
        {RouletteKind::American, 2, 0, 1},           {RouletteKind::American, 1, DoubleZero, 1},
        {RouletteKind::American, DoubleZero, 1, 37},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << KindName(c.kind) << " " << c.a << "->" << c.b);
        EXPECT_EQ(wheelDistance(c.kind, c.a, c.b), c.distance);
    }
    EXPECT_EQ(wheelPosition(RouletteKind::NoZero, 26), 36);
    EXPECT_EQ(wheelPosition(RouletteKind::French, DoubleZero), -1);
    EXPECT_EQ(wheelPosition(RouletteKind::NoZero, 0), -1);
}

TEST(Wheel, NeighbourhoodWrapsRoundTheWheel) {
    using A = std::array<Pocket, 5>;
    EXPECT_EQ(wheelNeighbourhood(RouletteKind::French, 0), (A{3, 26, 0, 32, 15}));
    EXPECT_EQ(wheelNeighbourhood(RouletteKind::French, 26), (A{35, 3, 26, 0, 32}));
    EXPECT_EQ(wheelNeighbourhood(RouletteKind::NoZero, 32), (A{3, 26, 32, 15, 19}));
    EXPECT_EQ(wheelNeighbourhood(RouletteKind::NoZero, 26), (A{35, 3, 26, 32, 15}));
    EXPECT_EQ(wheelNeighbourhood(RouletteKind::American, 2), (A{35, 14, 2, 0, 28}));
    EXPECT_EQ(wheelNeighbourhood(RouletteKind::American, DoubleZero), (A{13, 1, 37, 27, 10}));
}

}  // namespace
}  // namespace spinalyst
