#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/model/roulette.h"
#include "core/stats/wheel_stats.h"

namespace spinalyst {

// The twelve boards of the table heat view: eight of three columns (pnlTapis1 ... 8) and four
// six-by-six squares (pnlCarre1 ... 4). Places are pixels: boards on their page, squares on
// their board.
inline constexpr int heatCell = 22;
inline constexpr int heatSquareSize = heatCell - 4;
inline constexpr int heatSquarePointSize = 10;
inline constexpr double heatFrameWidth = 2;
inline constexpr int heatBoardCount = 12;
inline constexpr Rgb heatBoardColour{1, 174, 84};

struct HeatSquare {
    Pocket pocket = 0;
    int left = 0;
    int top = 0;
    friend bool operator==(const HeatSquare&, const HeatSquare&) = default;
};

struct HeatBoard {
    std::string_view name;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    // The eight table boards explain their squares on hover; the six-by-six ones do not.
    bool hints = false;
    // One per pocket of the kind: the zero row first, then row by row, left to right.
    std::vector<HeatSquare> squares;
};

// The boards for the kind, pnlTapis1 ... pnlTapis8 then pnlCarre1 ... pnlCarre4.
std::vector<HeatBoard> HeatBoards(RouletteKind kind);

// The pocket of the square under the point (in board pixels), if any.
std::optional<Pocket> HeatSquareAt(const HeatBoard& board, int x, int y);

// How far apart two colours stand in lightness, as the ratio of their relative luminances
// (each plus 0.05): 1 for the same colour, 21 for black on white.
double ContrastRatio(Rgb a, Rgb b);
// Below this ratio against its background, small text is hard to read.
inline constexpr double readableContrast = 4.5;
// Black or white, whichever stands out more on the background. On any colour the better of
// the two reaches about 4.58:1.
Rgb ReadableInk(Rgb background);

// The numbers of the heat squares are large and bold: 3:1 against their grey reads as well as
// 4.5:1 does for small text.
inline constexpr double readableBoldContrast = 3.0;
// The darkest grey a heat square's number is written black on; darker ones take white. It lies
// below the greys a fair wheel's pockets wobble through on either scale's middle, so that
// squares of nearly the same grey never flip between black and white numbers.
inline constexpr int darkestBlackInkShade = 90;

// A heat square: its grey is the heat, the number is written in black or white on it, and a
// frame of the pocket's colour round it tells red, black and green apart.
struct HeatSquareLook {
    Rgb square;
    Rgb ink;
    Rgb frame;
    friend bool operator==(const HeatSquareLook&, const HeatSquareLook&) = default;
};
HeatSquareLook HeatSquareLookOf(Pocket p, int shade);

// A number round the wheel drawing: on a disc of its pocket's colour, as on a wheel, in the ink
// that reads on it.
struct WheelLabelLook {
    Rgb disc;
    Rgb ink;
    friend bool operator==(const WheelLabelLook&, const WheelLabelLook&) = default;
};
WheelLabelLook WheelLabelLookOf(Pocket p);

}  // namespace spinalyst
