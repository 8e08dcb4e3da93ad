#include "core/stats/heat_boards.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "core/model/wheel.h"

namespace spinalyst {

namespace {

using Square6 = std::array<std::array<Pocket, 6>, 6>;

// Fixed arrangements of 1 ... 36, the same for every kind.
constexpr std::array<Square6, 4> squareBoards = {{
    {{{1, 32, 34, 3, 35, 6},
      {30, 8, 27, 28, 11, 7},
      {20, 24, 15, 16, 13, 23},
      {19, 17, 21, 22, 18, 14},
      {10, 26, 12, 9, 29, 25},
      {31, 4, 2, 33, 5, 36}}},
    {{{6, 32, 3, 34, 35, 1},
      {7, 11, 27, 28, 8, 30},
      {19, 14, 16, 15, 23, 24},
      {18, 20, 22, 21, 17, 13},
      {25, 29, 10, 9, 26, 12},
      {36, 5, 33, 4, 2, 31}}},
    {{{1, 32, 3, 34, 35, 6},
      {12, 29, 9, 10, 26, 25},
      {13, 14, 22, 21, 23, 18},
      {24, 20, 16, 15, 17, 19},
      {30, 11, 28, 27, 8, 7},
      {31, 5, 33, 4, 2, 36}}},
    {{{35, 3, 31, 8, 30, 4},
      {1, 32, 9, 28, 5, 36},
      {6, 7, 2, 33, 34, 29},
      {26, 21, 22, 17, 12, 13},
      {19, 23, 27, 10, 14, 18},
      {24, 25, 20, 15, 16, 11}}},
}};

constexpr std::array<std::string_view, heatBoardCount> boardNames = {
    "pnlTapis1", "pnlTapis2", "pnlTapis3", "pnlTapis4", "pnlTapis5", "pnlTapis6",
    "pnlTapis7", "pnlTapis8", "pnlCarre1", "pnlCarre2", "pnlCarre3", "pnlCarre4"};

constexpr int Top(int row) {
    return 4 + row * heatCell;
}

// The lefts of the zero-row squares, which sit between the columns of the rows below.
std::vector<int> ZeroLefts(RouletteKind kind, bool square) {
    switch (kind) {
        case RouletteKind::American:
            return square ? std::vector<int>{54, 76} : std::vector<int>{15, 37};
        case RouletteKind::French:
            return {square ? 65 : 26};
        case RouletteKind::NoZero:
            return {};
    }
    return {};
}

// Row j (1 ... 12), column k (1 ... 3) of the four table boards.
Pocket TableBoardPocket(int board, int j, int k) {
    switch (board) {
        case 0:
            return 3 * j - 3 + k;
        case 1:
            return j % 2 ? 3 * j - 3 + k : 3 * j + 1 - k;
        case 2:
            return j + 12 * (k - 1);
        default:
            return k == 1 ? j : k == 2 ? 25 - j : j + 24;
    }
}

HeatBoard ColumnBoard(RouletteKind kind, int board) {
    const int left =
        std::array{8, 85, 168, 245, 328, 405, 488, 565}[static_cast<std::size_t>(board)];
    HeatBoard b{boardNames[static_cast<std::size_t>(board)], left, 8, 70, 290, true, {}};
    const std::vector<int> zeroLefts = ZeroLefts(kind, false);
    std::vector<Pocket> sequence;
    if (board < 4) {
        if (kind == RouletteKind::American) sequence = {0, DoubleZero};
        if (kind == RouletteKind::French) sequence = {0};
        for (int j = 1; j <= 12; ++j)
            for (int k = 1; k <= 3; ++k) sequence.push_back(TableBoardPocket(board, j, k));
    } else {
        // Around the wheel from its (board - 3)-th pocket.
        const auto order = WheelOrder(kind);
        const auto from = static_cast<std::size_t>(board - 4);
        for (std::size_t i = 0; i < order.size(); ++i)
            sequence.push_back(order[(from + i) % order.size()]);
    }
    std::size_t next = 0;
    for (int zeroLeft : zeroLefts) b.squares.push_back({sequence[next++], zeroLeft, Top(0)});
    for (int j = 1; j <= 12; ++j)
        for (int k = 1; k <= 3; ++k)
            b.squares.push_back({sequence[next++], 4 + (k - 1) * heatCell, Top(j)});
    return b;
}

HeatBoard SquareBoard(RouletteKind kind, int index) {
    HeatBoard b{
        boardNames[static_cast<std::size_t>(8 + index)], 8 + 160 * index, 307, 147, 159, false, {}};
    const std::vector<int> zeroLefts = ZeroLefts(kind, true);
    const Pocket zeros[] = {0, DoubleZero};
    for (std::size_t z = 0; z < zeroLefts.size(); ++z)
        b.squares.push_back({zeros[z], zeroLefts[z], Top(0)});
    const Square6& rows = squareBoards[static_cast<std::size_t>(index)];
    for (int j = 1; j <= 6; ++j)
        for (int k = 1; k <= 6; ++k)
            b.squares.push_back(
                {rows[static_cast<std::size_t>(j - 1)][static_cast<std::size_t>(k - 1)],
                 10 + (k - 1) * heatCell, Top(j)});
    return b;
}

// The relative luminance of a colour of the sRGB space.
double Luminance(Rgb c) {
    const auto linear = [](std::uint8_t v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

constexpr Rgb white{255, 255, 255};

}  // namespace

double ContrastRatio(Rgb a, Rgb b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb ReadableInk(Rgb background) {
    return ContrastRatio(white, background) > ContrastRatio(blackDisplay, background)
               ? white
               : blackDisplay;
}

HeatSquareLook HeatSquareLookOf(Pocket p, int shade) {
    const Rgb square = HeatGrey(shade);
    return {square, shade >= darkestBlackInkShade ? blackDisplay : white, DisplayColour(p)};
}

WheelLabelLook WheelLabelLookOf(Pocket p) {
    const Rgb disc = DisplayColour(p);
    return {disc, ReadableInk(disc)};
}

std::vector<HeatBoard> HeatBoards(RouletteKind kind) {
    std::vector<HeatBoard> boards;
    boards.reserve(heatBoardCount);
    for (int board = 0; board < 8; ++board) boards.push_back(ColumnBoard(kind, board));
    for (int index = 0; index < 4; ++index) boards.push_back(SquareBoard(kind, index));
    return boards;
}

std::optional<Pocket> HeatSquareAt(const HeatBoard& board, int x, int y) {
    for (const HeatSquare& s : board.squares)
        if (x >= s.left && x < s.left + heatSquareSize && y >= s.top && y < s.top + heatSquareSize)
            return s.pocket;
    return std::nullopt;
}

}  // namespace spinalyst
