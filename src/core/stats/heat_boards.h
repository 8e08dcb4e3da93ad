#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/model/roulette.h"

namespace spinalyst {

// The twelve boards of the table heat view: eight of three columns (pnlTapis1 ... 8) and four
// six-by-six squares (pnlCarre1 ... 4). Places are pixels: boards on their page, squares on
// their board.
inline constexpr int heatCell = 22;
inline constexpr int heatSquareSize = heatCell - 4;
inline constexpr int heatSquarePointSize = 10;
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

// A square's number colour on a background of grey `shade`: a black pocket's number turns
// white on the dark greys, red and green numbers keep their colour.
constexpr Rgb HeatNumberColour(Pocket p, int shade) {
    if (ColourOf(p) == PocketColour::Black && shade < 40) return {255, 255, 255};
    return DisplayColour(p);
}

}  // namespace spinalyst
