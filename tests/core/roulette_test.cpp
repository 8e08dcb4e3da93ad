#include "core/model/roulette.h"

#include <gtest/gtest.h>

#include <set>

namespace spinalyst {
namespace {

TEST(RouletteKind, DerivedValuesAndConversions) {
    struct Case {
        RouletteKind kind;
        int count, first, last, setting, tag;
        const char* name;
    } cases[] = {
        {RouletteKind::American, 38, 0, 37, 0, 38, "american"},
        {RouletteKind::French, 37, 0, 36, 1, 37, "french"},
        {RouletteKind::NoZero, 36, 1, 36, 2, 36, "nozero"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pocketCount(c.kind), c.count);
        EXPECT_EQ(firstPocket(c.kind), c.first);
        EXPECT_EQ(lastPocket(c.kind), c.last);
        EXPECT_EQ(KindToSetting(c.kind), c.setting);
        EXPECT_EQ(KindFromSetting(c.setting), c.kind);
        EXPECT_EQ(KindToTag(c.kind), c.tag);
        EXPECT_EQ(KindFromTag(c.tag), c.kind);
        EXPECT_EQ(KindName(c.kind), c.name);
        EXPECT_EQ(KindFromName(c.name), c.kind);
    }
    EXPECT_EQ(defaultKind, RouletteKind::French);
    for (long long bad : {-1LL, 3LL, 1LL << 40}) EXPECT_FALSE(KindFromSetting(bad));
    EXPECT_FALSE(KindFromTag(0));
    EXPECT_FALSE(KindFromName("French"));
}

TEST(Pocket, TextAndParsing) {
    EXPECT_EQ(PocketText(DoubleZero), "00");
    EXPECT_EQ(PocketText(0), "0");
    EXPECT_EQ(PocketText(36), "36");

    struct Case {
        const char* text;
        RouletteKind kind;
        std::optional<Pocket> expected;
    } cases[] = {
        {"00", RouletteKind::American, DoubleZero},    {"0", RouletteKind::American, 0},
        {"00", RouletteKind::French, std::nullopt},    {"0", RouletteKind::French, 0},
        {"0", RouletteKind::NoZero, std::nullopt},     {"36", RouletteKind::NoZero, 36},
        {"37", RouletteKind::American, std::nullopt},  {"-1", RouletteKind::French, std::nullopt},
        {"5x", RouletteKind::French, std::nullopt},    {"07", RouletteKind::French, std::nullopt},
        {"", RouletteKind::French, std::nullopt},      {"+5", RouletteKind::French, std::nullopt},
        {"000", RouletteKind::American, std::nullopt}, {"-0", RouletteKind::French, std::nullopt},
        {"-0", RouletteKind::American, std::nullopt},  {"+1", RouletteKind::French, std::nullopt},
        {" 1", RouletteKind::French, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParsePocket(c.text, c.kind), c.expected);
    }
    // Every pocket of every kind reads back as it is written.
    for (RouletteKind kind : allKinds)
        for (Pocket p = firstPocket(kind); p <= lastPocket(kind); ++p)
            EXPECT_EQ(ParsePocket(PocketText(p), kind), p);
}

TEST(Pocket, ColoursSplitTheNumbersAndLeaveZerosGreen) {
    std::set<Pocket> red(redPockets.begin(), redPockets.end());
    std::set<Pocket> black(blackPockets.begin(), blackPockets.end());
    EXPECT_EQ(red.size(), 18u);
    EXPECT_EQ(black.size(), 18u);
    for (Pocket p = 1; p <= 36; ++p) EXPECT_NE(red.count(p), black.count(p)) << p;
    EXPECT_EQ(ColourOf(0), PocketColour::Green);
    EXPECT_EQ(ColourOf(DoubleZero), PocketColour::Green);
    EXPECT_EQ(DisplayColour(0), (Rgb{0, 128, 0}));
    EXPECT_EQ(DisplayColour(1), (Rgb{255, 0, 0}));
    EXPECT_EQ(DisplayColour(2), (Rgb{0, 0, 0}));
}

TEST(Layout, OrderPlacesStreetsInColumns) {
    EXPECT_EQ(layoutOrder[0], 0);
    EXPECT_EQ(layoutOrder[37], DoubleZero);
    for (int k = 1; k <= 36; ++k) {
        const int row = (k + 11) / 12;
        const int col = (k - 1) % 12 + 1;
        const Pocket p = layoutOrder[k];
        EXPECT_EQ((p + 2) / 3, col) << k;      // column holds the street 3c-2 ... 3c
        EXPECT_EQ(3 - (p - 1) % 3, row) << k;  // top row multiples of 3, bottom row 1, 4 ...
    }
}

}  // namespace
}  // namespace spinalyst
