#include "core/stats/tableau.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "core/draws/random_source.h"
#include "core/model/bet_slots.h"
#include "core/model/wheel.h"

namespace spinalyst {
namespace {

constexpr RouletteKind American = RouletteKind::American;
constexpr RouletteKind French = RouletteKind::French;

// A row's cells as the page shows them, joined by '|'.
std::string RowText(const TableauRow& row) {
    std::string text;
    for (int c = 0; c < tableauColumnCount; ++c) {
        if (c > 0) text += '|';
        text += TableauCellText(row, static_cast<TableauColumn>(c), ',');
    }
    return text;
}

const TableauRow& RowOf(const Tableau& tableau, Pocket number) {
    return tableau[static_cast<std::size_t>(number - 1)];
}

std::string Cell(const Tableau& tableau, Pocket number, TableauColumn column) {
    return TableauCellText(RowOf(tableau, number), column, ',');
}

TEST(Tableau, RowsScoreTheDrawsAsTheTableWeighsThem) {
    struct Case {
        const char* name;
        RouletteKind kind;
        std::vector<std::uint8_t> draws;
        Pocket number;
        std::string expected;
    } cases[] = {
        {"a draw of 17 scores every family of 17",
         French,
         {17},
         17,
         "17|2|2|2|3|3|6|4|12|7|36|77|0|18|0,00"},
        {"a number that did not come out keeps its neighbours score",
         French,
         {17},
         32,
         "32|0|0|0|0|3|0|0|0|0|0|3||11|"},
        {"a corner number weighs its corner and split more",
         French,
         {1},
         1,
         "1|2|2|2|3|3|6|9|12|12|36|87|0|18|0,00"},
        {"2 shares the corner 1-2-4-5 and the split 1-2 with 1",
         French,
         {1},
         2,
         "2|0|0|2|3|0|6|6|12|9|0|38||1|"},
        {"3 shares no corner and no split with 1", French, {1}, 3, "3|2|2|2|3|0|6|0|12|0|0|27||6|"},
        {"the ratio is gap x 100 / (total + neighbours)",
         French,
         {17, 0},
         17,
         "17|2|2|2|3|3|6|4|12|7|36|77|1|28|0,952"},
        // One 17 then eighteen 18s, the pocket opposite 17 on the American wheel.
        {"neighbours 0 shows the ratio 999",
         American,
         {17, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18, 18},
         17,
         "17|2|2|38|57|3|114|76|228|136|36|692|18|0|999"},
        // Values that are no pocket of the kind score nothing but count as draws.
        {"damaged values only lengthen the gap",
         French,
         {17, 200, 37},
         17,
         "17|2|2|2|3|3|6|4|12|7|36|77|2|18|2,11"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RowText(RowOf(ComputeTableau(c.kind, c.draws), c.number)), c.expected);
    }
}

TEST(Tableau, SplitScoreIsScaledOnceAfterAllDraws) {
    // Each draw shares a split with 5 (weight 12): 60 x 36 / 60, not five times 12 x 36 / 60.
    const std::vector<std::uint8_t> draws = {2, 4, 5, 6, 8};
    EXPECT_EQ(Cell(ComputeTableau(French, draws), 5, TableauColumn::Split), "36");

    // The unscaled split score of a long game passes 2^31 / 36; the figures stay exact.
    const std::vector<std::uint8_t> ones(3'500'000, 1);
    const Tableau tableau = ComputeTableau(French, ones);
    EXPECT_EQ(RowText(RowOf(tableau, 1)),
              "1|7000000|7000000|7000000|10500000|10500000|21000000|31500000|42000000|42000000|"
              "126000000|304500000|0|63000000|0,00");
}

TEST(Tableau, EmptyWindowAndGreenDrawsLeaveTheFamilyScoresAtZero) {
    for (RouletteKind kind : allKinds) {
        SCOPED_TRACE(KindName(kind));
        for (const TableauRow& row : ComputeTableau(kind, {}))
            EXPECT_EQ(RowText(row), std::to_string(row.number) + "|0|0|0|0|0|0|0|0|0|0|0||0|");
    }

    // Adding 0 and 00 changes only the gaps and the neighbours scores.
    const std::vector<std::uint8_t> plain = {17, 5};
    const std::vector<std::uint8_t> green = {17, 0, 5, 37, 0};
    const Tableau a = ComputeTableau(American, plain);
    const Tableau b = ComputeTableau(American, green);
    for (std::size_t r = 0; r < a.size(); ++r) {
        EXPECT_EQ(a[r].families, b[r].families);
        EXPECT_EQ(a[r].total, b[r].total);
    }
    EXPECT_EQ(Cell(b, 17, TableauColumn::Gap), "4");
    EXPECT_EQ(Cell(b, 5, TableauColumn::Gap), "2");
    // 17 lies at position 9 of the American wheel, 5 at 10, 0 at 0 and 00 at 19.
    EXPECT_EQ(Cell(a, 17, TableauColumn::Neighbours), "35");
    EXPECT_EQ(Cell(b, 17, TableauColumn::Neighbours), "61");
}

TEST(Tableau, SmallRatiosKeepThreeSignificantDigits) {
    struct Case {
        double ratio;
        const char* text;
    } cases[] = {
        {0, "0,00"},          {6, "6,00"},        {123.456, "123,46"},  {1, "1,00"},
        {0.5, "0,500"},       {0.0456, "0,0456"}, {0.00123, "0,00123"}, {0.000987, "0,000987"},
        {-0.0123, "-0,0123"},
    };
    for (const Case& c : cases) {
        TableauRow row;
        row.gap = 1;
        row.ratio = c.ratio;
        EXPECT_EQ(TableauCellText(row, TableauColumn::Ratio, ','), c.text) << c.ratio;
    }
    // A million draws: the ratios differ in their third significant digit, and sort on the
    // full value.
    std::vector<std::uint8_t> draws;
    RandomSource rng(7);
    for (int i = 0; i < 1'000'000; ++i)
        draws.push_back(static_cast<std::uint8_t>(rng.Next(French)));
    const Tableau tableau = ComputeTableau(French, draws);
    std::set<std::string> texts;
    for (const TableauRow& row : tableau) {
        const std::string text = TableauCellText(row, TableauColumn::Ratio, ',');
        EXPECT_TRUE(text.starts_with("0,0")) << text;
        texts.insert(text);
        EXPECT_EQ(TableauCellValue(row, TableauColumn::Ratio), row.ratio);
    }
    EXPECT_GT(texts.size(), 30u);
}

TEST(Tableau, RatioMarkerStandsWhereNothingCanBeDivided) {
    EXPECT_DOUBLE_EQ(TableauRatio(3, 40, 10).value(), 6.0);
    EXPECT_FALSE(TableauRatio(3, 40, 0).has_value());
    EXPECT_FALSE(TableauRatio(3, 1, -1).has_value());
}

TEST(Tableau, SortValuesFollowTheCellsAndLeaveEmptyCellsOut) {
    const std::vector<std::uint8_t> draws = {17, 18, 18, 18, 18, 18, 18, 18, 18, 18,
                                             18, 18, 18, 18, 18, 18, 18, 18, 18};
    const Tableau tableau = ComputeTableau(American, draws);
    const TableauRow& marker = RowOf(tableau, 17);
    EXPECT_EQ(TableauCellValue(marker, TableauColumn::Ratio), tableauRatioMarker);
    EXPECT_EQ(TableauCellValue(marker, TableauColumn::Total), 692.0);
    EXPECT_EQ(TableauCellValue(marker, TableauColumn::Gap), 18.0);
    EXPECT_EQ(TableauCellValue(marker, TableauColumn::Number), 17.0);
    const TableauRow& absent = RowOf(tableau, 1);
    EXPECT_FALSE(TableauCellValue(absent, TableauColumn::Gap).has_value());
    EXPECT_FALSE(TableauCellValue(absent, TableauColumn::Ratio).has_value());
    EXPECT_EQ(TableauCellValue(RowOf(tableau, 18), TableauColumn::Ratio), 0.0);
    EXPECT_EQ(TableauCellText(RowOf(tableau, 18), TableauColumn::Ratio, '.'), "0.00");
}

// The scoring done the slow way: every draw against every number, scanning the corners and
// splits for each pair, the split counter scaled at the end, the gap from the index of the
// last occurrence and the neighbours score from the wheel positions.
std::vector<std::string> SlowRowTexts(RouletteKind kind, const std::vector<std::uint8_t>& draws) {
    const auto weights = [](Pocket i, int corners, int middleEnds, int middle, int outer) {
        if (i == 1 || i == 3 || i == 34 || i == 36) return corners;
        if (i == 2 || i == 35) return middleEnds;
        return i % 3 == 2 ? middle : outer;
    };
    const auto holds = [](const auto& group, Pocket p) {
        for (Pocket q : group)
            if (q == p) return true;
        return false;
    };
    std::vector<std::string> rows;
    const auto n = static_cast<std::int64_t>(draws.size());
    for (Pocket i = 1; i <= 36; ++i) {
        std::int64_t colour = 0, parity = 0, half = 0, dozen = 0, column = 0, sixLine = 0,
                     corner = 0, street = 0, split = 0, straight = 0, neighbours = 0, k = 0;
        for (std::int64_t index = 1; index <= n; ++index) {
            const Pocket d = draws[static_cast<std::size_t>(index - 1)];
            if (d == i) k = index;
            int c = std::abs(wheelPosition(kind, d) - wheelPosition(kind, i));
            if (c > 18) c = pocketCount(kind) - c;
            neighbours += 18 - c;
            if (d < 1 || d > 36) continue;
            if ((IsRed(d) && IsRed(i)) || (IsBlack(d) && IsBlack(i))) colour += 2;
            if (d % 2 == i % 2) parity += 2;
            if ((d - 1) / 18 == (i - 1) / 18) half += 2;
            if ((d - 1) / 12 == (i - 1) / 12) dozen += 3;
            if (d % 3 == i % 3) column += 3;
            if ((d - 1) / 6 == (i - 1) / 6) sixLine += 6;
            for (const PocketQuad& q : cornerList(RouletteKind::NoZero)) {
                if (holds(q, d) && holds(q, i)) {
                    corner += weights(i, 9, 6, 4, 6);
                    break;
                }
            }
            if ((d - 1) / 3 == (i - 1) / 3) street += 12;
            for (const PocketPair& s : splitList(RouletteKind::NoZero)) {
                if (holds(s, d) && holds(s, i)) {
                    split += weights(i, 20, 15, 12, 15);
                    break;
                }
            }
            if (d == i) straight += 36;
        }
        split = split * 36 / 60;
        const std::int64_t total =
            colour + parity + half + dozen + column + sixLine + corner + street + split + straight;
        const std::int64_t gap = n - k;
        std::string gapText, ratioText;
        if (gap < n) {
            gapText = std::to_string(gap);
            if (neighbours == 0) {
                ratioText = "999";
            } else {
                const double ratio =
                    static_cast<double>(gap) * 100.0 / static_cast<double>(total + neighbours);
                // Two decimals, and three significant digits below 1.
                int decimals = 2;
                while (ratio != 0 && std::fabs(ratio) * std::pow(10, decimals) < 100) ++decimals;
                char buffer[64];
                std::snprintf(buffer, sizeof buffer, "%.*f", decimals, ratio);
                ratioText = buffer;
                ratioText[ratioText.find('.')] = ',';
            }
        }
        std::string text = std::to_string(i);
        for (std::int64_t v :
             {colour, parity, half, dozen, column, sixLine, corner, street, split, straight, total})
            text += "|" + std::to_string(v);
        rows.push_back(text + "|" + gapText + "|" + std::to_string(neighbours) + "|" + ratioText);
    }
    return rows;
}

TEST(Tableau, AgreesWithTheSlowScoringOnRandomGames) {
    RandomSource rng(2024);
    for (RouletteKind kind : allKinds) {
        for (int game = 0; game < 40; ++game) {
            // A few pockets of the kind, so that some numbers stay out and some repeat often.
            std::vector<Pocket> pool;
            const int poolSize = 1 + static_cast<int>(rng.Next(RouletteKind::French));
            for (int p = 0; p < poolSize; ++p) pool.push_back(rng.Next(kind));
            const int length = game % 10 == 0 ? game / 10 : 1 + 7 * game;
            std::vector<std::uint8_t> draws;
            for (int d = 0; d < length; ++d)
                draws.push_back(static_cast<std::uint8_t>(
                    pool[static_cast<std::size_t>(rng.Next(RouletteKind::French)) % pool.size()]));
            SCOPED_TRACE(std::string(KindName(kind)) + " game " + std::to_string(game));
            const Tableau tableau = ComputeTableau(kind, draws);
            const std::vector<std::string> expected = SlowRowTexts(kind, draws);
            for (std::size_t r = 0; r < tableau.size(); ++r)
                ASSERT_EQ(RowText(tableau[r]), expected[r]);
        }
    }
}

}  // namespace
}  // namespace spinalyst
