#include "core/stats/heat_boards.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace spinalyst {
namespace {

constexpr RouletteKind American = RouletteKind::American;
constexpr RouletteKind French = RouletteKind::French;
constexpr RouletteKind NoZero = RouletteKind::NoZero;

std::vector<Pocket> Sequence(const HeatBoard& board) {
    std::vector<Pocket> pockets;
    for (const HeatSquare& s : board.squares) pockets.push_back(s.pocket);
    return pockets;
}

TEST(HeatBoards, EveryBoardHoldsEachPocketOfTheKindOnce) {
    for (RouletteKind kind : allKinds) {
        SCOPED_TRACE(KindName(kind));
        const std::vector<HeatBoard> boards = HeatBoards(kind);
        ASSERT_EQ(static_cast<int>(boards.size()), heatBoardCount);
        for (const HeatBoard& board : boards) {
            SCOPED_TRACE(board.name);
            std::vector<Pocket> pockets = Sequence(board);
            std::sort(pockets.begin(), pockets.end());
            ASSERT_EQ(static_cast<int>(pockets.size()), pocketCount(kind));
            for (int i = 0; i < pocketCount(kind); ++i)
                EXPECT_EQ(pockets[static_cast<std::size_t>(i)], firstPocket(kind) + i);
            // No two squares share a place, and all lie inside the board.
            std::set<std::pair<int, int>> places;
            for (const HeatSquare& s : board.squares) {
                EXPECT_TRUE(places.insert({s.left, s.top}).second) << s.pocket;
                EXPECT_LE(s.left + heatSquareSize, board.width);
                EXPECT_LE(s.top + heatSquareSize, board.height);
                EXPECT_EQ(HeatSquareAt(board, s.left + 17, s.top), s.pocket);
            }
            EXPECT_EQ(HeatSquareAt(board, 0, 0), std::nullopt);
        }
        EXPECT_EQ(boards[0].name, "pnlTapis1");
        EXPECT_EQ(boards[11].name, "pnlCarre4");
        EXPECT_TRUE(boards[7].hints);
        EXPECT_FALSE(boards[8].hints);
    }
}

TEST(HeatBoards, SequencesFollowTheirArrangement) {
    struct Case {
        RouletteKind kind;
        std::size_t board;
        std::vector<Pocket> first;  // the first squares made: the zero row, then row 1 ...
        std::vector<Pocket> last;   // the last row
    } cases[] = {
        {French, 0, {0, 1, 2, 3, 4, 5, 6}, {34, 35, 36}},
        {American, 0, {0, DoubleZero, 1, 2, 3}, {34, 35, 36}},
        {NoZero, 1, {1, 2, 3, 6, 5, 4, 7}, {36, 35, 34}},
        {French, 2, {0, 1, 13, 25, 2, 14, 26}, {12, 24, 36}},
        {French, 3, {0, 1, 24, 25, 2, 23, 26}, {12, 13, 36}},
        {French, 4, {0, 32, 15, 19, 4, 21, 2}, {35, 3, 26}},
        {French, 5, {32, 15, 19, 4}, {3, 26, 0}},
        {American, 4, {0, 28, 9, 26, 30, 11, 7, 20}, {35, 14, 2}},
        {American, 7, {26, 30, 11, 7, 20}, {0, 28, 9}},
        {NoZero, 4, {32, 15, 19}, {35, 3, 26}},
        {NoZero, 7, {4, 21, 2}, {32, 15, 19}},
        {French, 8, {0, 1, 32, 34, 3, 35, 6, 30}, {31, 4, 2, 33, 5, 36}},
        {American, 9, {0, DoubleZero, 6, 32, 3}, {36, 5, 33, 4, 2, 31}},
        {NoZero, 10, {1, 32, 3, 34, 35, 6, 12}, {31, 5, 33, 4, 2, 36}},
        {NoZero, 11, {35, 3, 31, 8, 30, 4, 1}, {24, 25, 20, 15, 16, 11}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << KindName(c.kind) << " board " << c.board + 1);
        const std::vector<Pocket> pockets = Sequence(HeatBoards(c.kind)[c.board]);
        ASSERT_GE(pockets.size(), c.first.size());
        EXPECT_EQ(std::vector<Pocket>(pockets.begin(),
                                      pockets.begin() + static_cast<long>(c.first.size())),
                  c.first);
        EXPECT_EQ(
            std::vector<Pocket>(pockets.end() - static_cast<long>(c.last.size()), pockets.end()),
            c.last);
    }
}

TEST(HeatBoards, SquaresStandInTheirRowsAndColumns) {
    struct Case {
        RouletteKind kind;
        std::size_t board;
        std::size_t square;
        HeatSquare expected;
    } cases[] = {
        // The zero rows, between the columns below them.
        {American, 0, 0, {0, 15, 4}},
        {American, 0, 1, {DoubleZero, 37, 4}},
        {French, 0, 0, {0, 26, 4}},
        {American, 4, 1, {28, 37, 4}},
        {American, 8, 0, {0, 54, 4}},
        {American, 8, 1, {DoubleZero, 76, 4}},
        {French, 11, 0, {0, 65, 4}},
        // Row 1, column 1, and the last square.
        {NoZero, 4, 0, {32, 4, 26}},
        {French, 0, 36, {36, 48, 268}},
        {NoZero, 8, 0, {1, 10, 26}},
        {NoZero, 8, 35, {36, 120, 136}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << KindName(c.kind) << " board " << c.board + 1 << " square " << c.square);
        EXPECT_EQ(HeatBoards(c.kind)[c.board].squares[c.square], c.expected);
    }
    const std::vector<HeatBoard> boards = HeatBoards(French);
    EXPECT_EQ(boards[7].left, 565);
    EXPECT_EQ(boards[7].width, 70);
    EXPECT_EQ(boards[11].left, 488);
    EXPECT_EQ(boards[11].top, 307);
    EXPECT_EQ(boards[11].height, 159);
}

TEST(HeatColours, ContrastFollowsTheLuminanceOfSrgb) {
    struct Case {
        Rgb a, b;
        double ratio;
    } cases[] = {
        {{255, 255, 255}, {0, 0, 0}, 21.0},    {{0, 0, 0}, {255, 255, 255}, 21.0},
        {redDisplay, {0, 0, 0}, 5.25},         {redDisplay, {255, 255, 255}, 4.0},
        {greenDisplay, {255, 255, 255}, 5.14}, {{119, 119, 119}, {255, 255, 255}, 4.48},
        {{40, 40, 40}, {0, 0, 0}, 1.42},       {{77, 77, 77}, {77, 77, 77}, 1.0},
    };
    for (const Case& c : cases) EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 0.01);
}

TEST(HeatColours, EveryNumberReadsOnEveryShadeInItsPocketsColour) {
    // One pocket of each colour; the look depends on nothing else.
    for (Pocket p : {Pocket{1}, Pocket{2}, Pocket{0}}) {
        SCOPED_TRACE(p);
        for (int shade = 0; shade <= lightestShade; ++shade) {
            const HeatSquareLook look = HeatSquareLookOf(p, shade);
            EXPECT_EQ(look.square, HeatGrey(shade));
            EXPECT_GE(ContrastRatio(look.ink, look.square), readableBoldContrast) << shade;
            EXPECT_EQ(look.frame, DisplayColour(p));
        }
        const WheelLabelLook label = WheelLabelLookOf(p);
        EXPECT_EQ(label.disc, DisplayColour(p));
        EXPECT_GE(ContrastRatio(label.ink, label.disc), readableContrast);
    }
    // White on the dark greys, black on the light ones, whatever the pocket.
    EXPECT_EQ(HeatSquareLookOf(2, 0).ink, (Rgb{255, 255, 255}));
    EXPECT_EQ(HeatSquareLookOf(1, 80).ink, (Rgb{255, 255, 255}));
    EXPECT_EQ(HeatSquareLookOf(0, 140).ink, blackDisplay);
    // Squares a fair wheel paints near the deviation scale's mid grey (|z| below 1,5) all
    // carry black numbers: nearly the same grey reads alike.
    for (double z = -1.5; z <= 1.5; z += 0.01)
        EXPECT_EQ(HeatSquareLookOf(17, DeviationShade(z)).ink, blackDisplay) << z;
    EXPECT_EQ(HeatSquareLookOf(35, lightestShade).ink, blackDisplay);
    // Pure red takes black: white on it stays below the ratio.
    EXPECT_EQ(WheelLabelLookOf(1).ink, blackDisplay);
    EXPECT_EQ(WheelLabelLookOf(DoubleZero).ink, (Rgb{255, 255, 255}));
}

}  // namespace
}  // namespace spinalyst
