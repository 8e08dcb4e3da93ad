#include "core/stats/wheel_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>

namespace spinalyst {
namespace {

const WheelLabel& LabelOf(const WheelGeometry& wheel, Pocket p) {
    return *std::find_if(wheel.labels.begin(), wheel.labels.end(),
                         [p](const WheelLabel& l) { return l.pocket == p; });
}

// The point at `radius` from the wheel's centre in the direction of the label's ring.
std::pair<double, double> Towards(const WheelGeometry& wheel, const WheelLabel& label,
                                  double radius) {
    const double dx = label.ring.centreX - wheel.disc.centreX;
    const double dy = label.ring.centreY - wheel.disc.centreY;
    const double scale = radius / std::hypot(dx, dy);
    return {wheel.disc.centreX + dx * scale, wheel.disc.centreY + dy * scale};
}

TEST(WheelGeometry, LabelsStandInTheirSlots) {
    struct Case {
        RouletteKind kind;
        Pocket pocket;
        int slot, left, top;
    } cases[] = {
        {RouletteKind::French, 0, 28, 156, 14},     // near the top
        {RouletteKind::French, 34, 0, 291, 153},    // the east
        {RouletteKind::NoZero, 26, 27, 151, 13},    // at the top
        {RouletteKind::NoZero, 34, 36, 291, 153},   // the last slot is the east
        {RouletteKind::American, 0, 0, 291, 153},   // the east
        {RouletteKind::American, 2, 37, 289, 130},  // just above it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << KindName(c.kind) << " " << c.pocket);
        const WheelGeometry wheel = BuildWheelGeometry(c.kind);
        const WheelLabel& label = LabelOf(wheel, c.pocket);
        EXPECT_EQ(label.slot, c.slot);
        EXPECT_EQ(label.left, c.left);
        EXPECT_EQ(label.top, c.top);
        EXPECT_EQ(label.ring, (WheelCircle{c.left + 9, c.top + 7, 12}));
    }
}

TEST(WheelGeometry, EverySliceLiesBesideTheLabelOfItsPocket) {
    for (RouletteKind kind : allKinds) {
        SCOPED_TRACE(KindName(kind));
        const WheelGeometry wheel = BuildWheelGeometry(kind);
        ASSERT_EQ(static_cast<int>(wheel.slices.size()), pocketCount(kind));
        ASSERT_EQ(static_cast<int>(wheel.labels.size()), pocketCount(kind));
        std::set<Pocket> slicePockets, labelPockets;
        for (const WheelSlice& s : wheel.slices) slicePockets.insert(s.pocket);
        for (const WheelLabel& l : wheel.labels) labelPockets.insert(l.pocket);
        EXPECT_EQ(static_cast<int>(slicePockets.size()), pocketCount(kind));
        EXPECT_EQ(slicePockets, labelPockets);
        for (const WheelLabel& label : wheel.labels) {
            const auto [x, y] = Towards(wheel, label, 100);
            EXPECT_EQ(WheelPocketAt(wheel, x, y), label.pocket) << "label " << label.pocket;
            // The label and the outer edge of its ring answer for their pocket too.
            EXPECT_EQ(WheelPocketAt(wheel, label.left + 9, label.top + 9), label.pocket);
            const auto [outX, outY] = Towards(wheel, label, 150);
            EXPECT_EQ(WheelPocketAt(wheel, outX, outY), label.pocket);
        }
        EXPECT_EQ(WheelPocketAt(wheel, 160, 160), std::nullopt);  // the hub
        EXPECT_EQ(WheelPocketAt(wheel, 2, 2), std::nullopt);      // a corner of the panel
    }
}

TEST(WheelGeometry, SlicesStartWhereTheWheelTurns) {
    struct Case {
        RouletteKind kind;
        double firstStart;
        Pocket first, second;
    } cases[] = {
        {RouletteKind::French, 82.947, 0, 26},
        {RouletteKind::NoZero, 85.812, 26, 3},
        {RouletteKind::American, 5.5725, 2, 14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(KindName(c.kind));
        const WheelGeometry wheel = BuildWheelGeometry(c.kind);
        const double span = 360.0 / pocketCount(c.kind);
        EXPECT_NEAR(wheel.slices[0].pie.startDegrees, c.firstStart, 1e-3);
        EXPECT_NEAR(wheel.slices[1].pie.startDegrees, c.firstStart + span, 1e-3);
        EXPECT_NEAR(wheel.slices[0].pie.spanDegrees, span, 1e-9);
        EXPECT_EQ(wheel.slices[0].pocket, c.first);
        EXPECT_EQ(wheel.slices[1].pocket, c.second);
    }
    EXPECT_EQ(BuildWheelGeometry(RouletteKind::American).slices.back().pocket, 0);
}

TEST(WheelGeometry, SectorMarksOnTheFrenchWheelOnly) {
    const WheelGeometry french = BuildWheelGeometry(RouletteKind::French);
    ASSERT_EQ(french.sectorMarks.size(), 2u);
    // The small orphans group at the east, the large one towards the south-west.
    EXPECT_NEAR(french.sectorMarks[0].startDegrees, 345.069, 1e-3);
    EXPECT_NEAR(french.sectorMarks[0].spanDegrees, 29.863, 1e-3);
    EXPECT_NEAR(french.sectorMarks[1].startDegrees, 180.0, 1e-9);
    EXPECT_NEAR(french.sectorMarks[1].spanDegrees, 48.366, 1e-3);
    ASSERT_EQ(french.sectorTexts.size(), 4u);
    EXPECT_EQ(french.sectorTexts[0].text, "Voisins");
    EXPECT_EQ(french.sectorTexts[3].text, "Tiers");
    EXPECT_EQ(french.sectorTexts[3].left, 156);
    EXPECT_EQ(french.sectorTexts[3].top, 172);
    for (RouletteKind kind : {RouletteKind::American, RouletteKind::NoZero}) {
        EXPECT_TRUE(BuildWheelGeometry(kind).sectorMarks.empty());
        EXPECT_TRUE(BuildWheelGeometry(kind).sectorTexts.empty());
    }
}

}  // namespace
}  // namespace spinalyst
