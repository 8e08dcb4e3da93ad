#pragma once

#include <optional>
#include <vector>

#include "core/model/bet_slots.h"
#include "core/model/roulette.h"

namespace spinalyst {

// The table picture, in its own pixels (origin at its top-left corner).
inline constexpr int tablePictureWidth = 508;
inline constexpr int tablePictureHeight = 194;

struct TablePoint {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(TablePoint, TablePoint) = default;
};

struct TableRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    constexpr bool Contains(int px, int py) const {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
};

// A slot of the table and the point its chip is centred on.
struct TableHit {
    BetSlot slot;
    TablePoint snapPoint;
    friend constexpr bool operator==(TableHit, TableHit) = default;
};

// Whether the kind's table offers the slot. The zero bets are French, except the straight-up
// bets on 0 and 00 (Plein 37) of the American zero area; the no-zero table has none of them.
bool TableOffers(RouletteKind kind, BetSlot slot);

// The slot under a point of the picture, or nullopt for the dead gaps between the areas and
// for areas the kind's table does not offer. Bands are inclusive; the kind matters only in
// the zero area and on the line beside it.
std::optional<TableHit> HitTest(int x, int y, RouletteKind kind);

// Where the chip of an offered slot is centred; nullopt when the table does not offer it.
std::optional<TablePoint> SnapPoint(BetSlot slot, RouletteKind kind);

// The points of the picture where HitTest finds the slot: one rectangle for every offered
// slot, where a hover shows the place a click stakes; nullopt when the table does not offer it.
std::optional<TableRect> HitArea(BetSlot slot, RouletteKind kind);

// The chip drawn at a snap point, and where the stake under it starts.
constexpr TableRect ChipRect(TablePoint snap) {
    return {snap.x - 12, snap.y - 13, 23, 22};
}

// A box the table picture draws for a slot of its own: a number, a zero of the kind, a
// column box, a dozen or an even chance. The slot's hit area and its chip's snap point lie
// inside its box; splits, streets, corners and six-lines sit on the lines between boxes.
struct TableBox {
    BetSlot slot;
    TableRect rect;
};
std::vector<TableBox> TablePictureBoxes(RouletteKind kind);

// The grid of the numbers: twelve street columns of 36 pixels, three rows of 38.
inline constexpr TableRect numberGridRect{37, 4, 12 * 36, 3 * 38};

// At most this many neighbours on each side: 17 either side of one pocket reach 35 different
// pockets and no pocket twice, even on the 36-pocket wheel.
inline constexpr int maxNeighbours = 17;

// The pockets a straight-up bet on p also stakes with n neighbours a side, in the order they
// are placed: the n after p on the kind's wheel, then the n before it, farthest first. Empty
// when p is not on the wheel; n is clamped to 0 ... maxNeighbours.
std::vector<Pocket> NeighbourPockets(RouletteKind kind, Pocket p, int n);

}  // namespace spinalyst
