#include "core/betting/table_areas.h"

#include <algorithm>
#include <array>

#include "core/model/wheel.h"

namespace spinalyst {

namespace {

constexpr std::optional<BetSlot> none = std::nullopt;
constexpr BetSlot Slot(BetKind kind, int index) {
    return {kind, index};
}

// The rows of the number grid, top to bottom: edge, row of 3, line, row of 2, line, row of 1,
// edge.
struct Band {
    int first;
    int last;
    int snap;
};
constexpr std::array<Band, 7> rowBands = {{
    {0, 12, 4},
    {14, 26, 23},
    {30, 50, 42},
    {52, 64, 61},
    {68, 86, 80},
    {90, 102, 99},
    {106, 118, 118},
}};

enum class Strip { ZeroArea, ZeroLine, Street, Line, ColumnBoxes };
struct ColumnBand {
    Strip strip;
    int c;  // the street column, or the street column left of a line
    int snap;
};

std::optional<ColumnBand> ColumnBandAt(int x) {
    if (x >= 12 && x <= 24) return ColumnBand{Strip::ZeroArea, 0, 19};
    if (x >= 30 && x <= 42) return ColumnBand{Strip::ZeroLine, 0, 37};
    if (x >= 475 && x <= 500) return ColumnBand{Strip::ColumnBoxes, 0, 490};
    if (x >= 48) {
        const int c = (x - 48) / 36;
        if (c <= 11 && (x - 48) % 36 <= 12) return ColumnBand{Strip::Street, c, 55 + 36 * c};
    }
    if (x >= 66) {
        const int c = (x - 66) / 36;
        // The line between the third and fourth streets is a pixel narrower than the others.
        const int width = c == 2 ? 11 : 12;
        if (c <= 10 && (x - 66) % 36 <= width) return ColumnBand{Strip::Line, c, 73 + 36 * c};
    }
    return std::nullopt;
}

std::optional<int> RowBandAt(int y) {
    for (int r = 0; r < static_cast<int>(rowBands.size()); ++r)
        if (y >= rowBands[r].first && y <= rowBands[r].last) return r;
    return std::nullopt;
}

// The slot of a grid cell, rows indexed as rowBands.
std::optional<BetSlot> GridSlot(const ColumnBand& band, int row) {
    const int c = band.c;
    switch (band.strip) {
        case Strip::Street: {
            const std::array<std::optional<BetSlot>, 7> cells = {
                none,
                Slot(BetKind::Plein, 3 * c + 3),
                Slot(BetKind::Cheval, 5 * c + 2),
                Slot(BetKind::Plein, 3 * c + 2),
                Slot(BetKind::Cheval, 5 * c + 1),
                Slot(BetKind::Plein, 3 * c + 1),
                Slot(BetKind::Transversale, c + 1)};
            return cells[row];
        }
        case Strip::Line: {
            const std::array<std::optional<BetSlot>, 7> cells = {Slot(BetKind::Sizain, c + 1),
                                                                 Slot(BetKind::Cheval, 5 * c + 5),
                                                                 Slot(BetKind::Carre, 2 * c + 2),
                                                                 Slot(BetKind::Cheval, 5 * c + 4),
                                                                 Slot(BetKind::Carre, 2 * c + 1),
                                                                 Slot(BetKind::Cheval, 5 * c + 3),
                                                                 none};
            return cells[row];
        }
        case Strip::ZeroLine: {
            const std::array<std::optional<BetSlot>, 7> cells = {Slot(BetKind::Carre, 23),
                                                                 Slot(BetKind::Cheval, 60),
                                                                 Slot(BetKind::Transversale, 14),
                                                                 Slot(BetKind::Cheval, 59),
                                                                 Slot(BetKind::Transversale, 13),
                                                                 Slot(BetKind::Cheval, 58),
                                                                 none};
            return cells[row];
        }
        case Strip::ColumnBoxes: {
            const std::array<std::optional<BetSlot>, 7> cells = {
                none, Slot(BetKind::Colonne, 3), none, Slot(BetKind::Colonne, 2),
                none, Slot(BetKind::Colonne, 1), none};
            return cells[row];
        }
        case Strip::ZeroArea:
            break;
    }
    return std::nullopt;
}

// The boxes below the numbers: the dozens, then the even chances left to right.
struct Box {
    BetSlot slot;
    TableRect area;
    TablePoint snap;
};
constexpr TableRect Span(int left, int right, int top, int bottom) {
    return {left, top, right - left + 1, bottom - top + 1};
}
constexpr std::array<Box, 9> outsideBoxes = {{
    {{BetKind::Douzaine, 1}, Span(43, 170, 120, 150), {110, 137}},
    {{BetKind::Douzaine, 2}, Span(187, 315, 120, 150), {253, 137}},
    {{BetKind::Douzaine, 3}, Span(331, 460, 120, 150), {396, 137}},
    {{BetKind::ManquePasse, 1}, Span(43, 101, 160, 190), {72, 176}},
    {{BetKind::PairImpair, 1}, Span(115, 173, 160, 190), {144, 176}},
    {{BetKind::RougeNoir, 1}, Span(187, 245, 160, 190), {216, 176}},
    {{BetKind::RougeNoir, 2}, Span(259, 317, 160, 190), {288, 176}},
    {{BetKind::PairImpair, 2}, Span(331, 389, 160, 190), {360, 176}},
    {{BetKind::ManquePasse, 2}, Span(403, 462, 160, 190), {432, 176}},
}};

// The zero area: one straight-up cell on the French table; on the American one 00 above the
// middle of the grid and 0 below it, as the picture shows them.
constexpr TablePoint frenchZeroSnap{19, 61};
constexpr TablePoint americanDoubleZeroSnap{19, 30};
constexpr TablePoint americanZeroSnap{19, 92};
constexpr int americanZeroTop = 61;

std::optional<TableHit> ZeroAreaHit(int y, RouletteKind kind) {
    switch (kind) {
        case RouletteKind::French:
            return TableHit{{BetKind::Plein, 0}, frenchZeroSnap};
        case RouletteKind::American:
            if (y < americanZeroTop)
                return TableHit{{BetKind::Plein, DoubleZero}, americanDoubleZeroSnap};
            return TableHit{{BetKind::Plein, 0}, americanZeroSnap};
        case RouletteKind::NoZero:
            break;
    }
    return std::nullopt;
}

}  // namespace

bool TableOffers(RouletteKind kind, BetSlot slot) {
    if (!IsValidSlot(slot)) return false;
    if (slot == BetSlot{BetKind::Plein, DoubleZero}) return kind == RouletteKind::American;
    if (slot == BetSlot{BetKind::Plein, 0}) return kind != RouletteKind::NoZero;
    if (Covers(slot, 0)) return kind == RouletteKind::French;
    return true;
}

std::optional<TableHit> HitTest(int x, int y, RouletteKind kind) {
    if (x < 0 || y < 0 || x >= tablePictureWidth || y >= tablePictureHeight) return std::nullopt;
    for (const Box& box : outsideBoxes)
        if (box.area.Contains(x, y)) return TableHit{box.slot, box.snap};
    const auto column = ColumnBandAt(x);
    if (!column) return std::nullopt;
    if (column->strip == Strip::ZeroArea) return ZeroAreaHit(y, kind);
    const auto row = RowBandAt(y);
    if (!row) return std::nullopt;
    const auto slot = GridSlot(*column, *row);
    if (!slot || !TableOffers(kind, *slot)) return std::nullopt;
    return TableHit{*slot, {column->snap, rowBands[*row].snap}};
}

std::optional<TablePoint> SnapPoint(BetSlot slot, RouletteKind kind) {
    if (!TableOffers(kind, slot)) return std::nullopt;
    switch (slot.kind) {
        case BetKind::Plein: {
            if (slot.index == DoubleZero) return americanDoubleZeroSnap;
            if (slot.index == 0)
                return kind == RouletteKind::French ? frenchZeroSnap : americanZeroSnap;
            const int c = (slot.index - 1) / 3;
            return TablePoint{55 + 36 * c, rowBands[5 - 2 * ((slot.index - 1) % 3)].snap};
        }
        case BetKind::Cheval: {
            if (slot.index >= 58) return TablePoint{37, rowBands[5 - 2 * (slot.index - 58)].snap};
            const int c = (slot.index - 1) / 5;
            // Within a street: two splits inside its column, then three on the line to its right.
            constexpr int rows[5] = {4, 2, 5, 3, 1};
            const int k = (slot.index - 1) % 5;
            return TablePoint{(k < 2 ? 55 : 73) + 36 * c, rowBands[rows[k]].snap};
        }
        case BetKind::Transversale:
            if (slot.index == 13) return TablePoint{37, rowBands[4].snap};
            if (slot.index == 14) return TablePoint{37, rowBands[2].snap};
            return TablePoint{55 + 36 * (slot.index - 1), rowBands[6].snap};
        case BetKind::Carre:
            if (slot.index == 23) return TablePoint{37, rowBands[0].snap};
            return TablePoint{73 + 36 * ((slot.index - 1) / 2),
                              rowBands[slot.index % 2 == 1 ? 4 : 2].snap};
        case BetKind::Sizain:
            return TablePoint{73 + 36 * (slot.index - 1), rowBands[0].snap};
        case BetKind::Colonne:
            return TablePoint{490, rowBands[7 - 2 * slot.index].snap};
        case BetKind::Douzaine:
        case BetKind::RougeNoir:
        case BetKind::PairImpair:
        case BetKind::ManquePasse:
            for (const Box& box : outsideBoxes)
                if (box.slot == slot) return box.snap;
            break;
    }
    return std::nullopt;
}

std::optional<TableRect> HitArea(BetSlot slot, RouletteKind kind) {
    const auto snap = SnapPoint(slot, kind);
    if (!snap) return std::nullopt;
    for (const Box& box : outsideBoxes)
        if (box.slot == slot) return box.area;
    const int bottom = tablePictureHeight - 1;
    if (slot.kind == BetKind::Plein && (slot.index == 0 || slot.index == DoubleZero)) {
        if (kind == RouletteKind::French) return Span(12, 24, 0, bottom);
        return slot.index == DoubleZero ? Span(12, 24, 0, americanZeroTop - 1)
                                        : Span(12, 24, americanZeroTop, bottom);
    }
    // The grid's bands through the chip's place.
    const auto column = ColumnBandAt(snap->x);
    const auto row = RowBandAt(snap->y);
    if (!column || !row) return std::nullopt;
    int left = 0, right = 0;
    switch (column->strip) {
        case Strip::Street:
            left = 48 + 36 * column->c;
            right = left + 12;
            break;
        case Strip::Line:
            left = 66 + 36 * column->c;
            right = left + (column->c == 2 ? 11 : 12);
            break;
        case Strip::ZeroLine:
            left = 30;
            right = 42;
            break;
        case Strip::ColumnBoxes:
            left = 475;
            right = 500;
            break;
        case Strip::ZeroArea:
            return std::nullopt;
    }
    const Band& band = rowBands[static_cast<std::size_t>(*row)];
    return Span(left, right, band.first, band.last);
}

std::vector<TableBox> TablePictureBoxes(RouletteKind kind) {
    constexpr int cell = 36;
    constexpr int row = 38;
    const TableRect& grid = numberGridRect;
    std::vector<TableBox> boxes;
    for (Pocket q = 1; q <= 36; ++q) {
        const int c = (q - 1) / 3;
        const int fromTop = 2 - (q - 1) % 3;
        boxes.push_back(
            {{BetKind::Plein, q}, {grid.x + cell * c, grid.y + row * fromTop, cell, row}});
    }
    // The zero area takes a click at any height, so its boxes run down the whole picture.
    const int zeroLeft = 1;
    const int zeroWidth = grid.x - zeroLeft;
    switch (kind) {
        case RouletteKind::French:
            boxes.push_back({{BetKind::Plein, 0}, {zeroLeft, 0, zeroWidth, tablePictureHeight}});
            break;
        case RouletteKind::American: {
            const int split = americanZeroTop;
            boxes.push_back({{BetKind::Plein, DoubleZero}, {zeroLeft, 0, zeroWidth, split}});
            boxes.push_back(
                {{BetKind::Plein, 0}, {zeroLeft, split, zeroWidth, tablePictureHeight - split}});
            break;
        }
        case RouletteKind::NoZero:
            break;
    }
    const int right = grid.x + grid.width;
    for (int k = 1; k <= 3; ++k)
        boxes.push_back({{BetKind::Colonne, k}, {right, grid.y + row * (3 - k), cell, row}});
    const int dozensTop = grid.y + grid.height;
    constexpr int stripHeight = 36;
    for (int k = 1; k <= 3; ++k)
        boxes.push_back({{BetKind::Douzaine, k},
                         {grid.x + 4 * cell * (k - 1), dozensTop, 4 * cell, stripHeight}});
    const int chancesTop = dozensTop + stripHeight;
    const std::array<BetSlot, 6> chances = {{{BetKind::ManquePasse, 1},
                                             {BetKind::PairImpair, 1},
                                             {BetKind::RougeNoir, 1},
                                             {BetKind::RougeNoir, 2},
                                             {BetKind::PairImpair, 2},
                                             {BetKind::ManquePasse, 2}}};
    for (int k = 0; k < 6; ++k)
        boxes.push_back({chances[static_cast<std::size_t>(k)],
                         {grid.x + 2 * cell * k, chancesTop, 2 * cell, stripHeight + 1}});
    return boxes;
}

std::vector<Pocket> NeighbourPockets(RouletteKind kind, Pocket p, int n) {
    const auto order = WheelOrder(kind);
    const int size = static_cast<int>(order.size());
    const int position = wheelPosition(kind, p);
    if (position < 0) return {};
    // Index into the kind's own order, which for the no-zero wheel starts after 0: the walk
    // wraps round its 36 pockets and never meets the 0 it does not have.
    const int at = position - (kind == RouletteKind::NoZero ? 1 : 0);
    n = std::clamp(n, 0, maxNeighbours);
    std::vector<Pocket> pockets;
    pockets.reserve(static_cast<std::size_t>(2 * n));
    for (int m = 1; m <= n; ++m) pockets.push_back(order[(at + m) % size]);
    for (int m = n; m >= 1; --m) pockets.push_back(order[(at - m + size) % size]);
    return pockets;
}

}  // namespace spinalyst
