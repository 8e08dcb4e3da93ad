#include "core/betting/chips.h"

#include <gtest/gtest.h>

#include <climits>

#include "core/betting/money.h"

namespace spinalyst {
namespace {

TEST(Chips, FaceAndStakeTextFollowTheStake) {
    struct Case {
        Cents stake;
        Cents faceValue;
        const char* text;
    } cases[] = {
        {1, 1, "0,01"},
        {9, 1, "0,09"},
        {10, 10, "0,10"},
        {49, 10, "0,49"},
        {50, 50, "0,50"},
        {150, 100, "1,50"},
        {300, 200, "3,00"},
        {999, 500, "9,99"},
        {1000, 1000, "10,0"},
        {1005, 1000, "10,1"},
        {2499, 1000, "25,0"},
        {2500, 2500, "25,0"},
        {9999, 2500, "100,0"},
        {10000, 10000, "100"},
        {12345, 10000, "123"},
        {12350, 10000, "124"},
        {999'949, 10000, "9999"},
        {999'950, 10000, "10k"},
        {1'249'999, 10000, "12k"},
        {1'250'000, 10000, "13k"},
        {maxSlotStake, 10000, "100k"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stake);
        EXPECT_EQ(chipDenominations[ChipFace(c.stake)].value, c.faceValue);
        EXPECT_EQ(ChipStakeText(c.stake), c.text);
    }
    EXPECT_EQ(ChipStakeText(150, '.'), "1.50");
}

TEST(Money, FormatsTwoDecimalsWithTheGivenSeparator) {
    EXPECT_EQ(FormatAmount(3500), "35,00");
    EXPECT_EQ(FormatAmount(-100), "-1,00");
    EXPECT_EQ(FormatAmount(-5, '.'), "-0.05");
    EXPECT_EQ(FormatAmount(0), "0,00");
    EXPECT_EQ(FormatAmount(LLONG_MIN, '.'), "-92233720368547758.08");
}

TEST(Money, ParsesAmountsWithAtMostTwoDecimals) {
    struct Case {
        const char* text;
        std::optional<Cents> expected;
    } cases[] = {
        {"5", 500},      {"2.5", 250},
        {"0.01", 1},     {"0", 0},
        {"007.10", 710}, {"999999999999.99", 99999999999999},
        {"", {}},        {".5", {}},
        {"5.", {}},      {"1.234", {}},
        {"-1", {}},      {"+1", {}},
        {"1e3", {}},     {"1,5", {}},
        {" 5", {}},      {"1000000000000", {}},
        {"1.5.0", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseAmount(c.text), c.expected) << c.text;
    EXPECT_EQ(ParseAmount("1,5", ','), 150);
}

}  // namespace
}  // namespace spinalyst
