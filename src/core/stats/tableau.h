#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/model/roulette.h"

namespace spinalyst {

// The columns of the tableau, left to right: the number, its ten weighted family scores, their
// total, the gap, the neighbours score and the ratio.
enum class TableauColumn {
    Number,
    Colour,
    Parity,
    Half,
    Dozen,
    Column,
    SixLine,
    Corner,
    Street,
    Split,
    Straight,
    Total,
    Gap,
    Neighbours,
    Ratio,
};
inline constexpr int tableauColumnCount = 15;
inline constexpr int tableauFamilyCount = 10;
inline constexpr int tableauRowCount = 36;

// Language-neutral column names, in column order; the command line's CSV header.
inline constexpr std::array<std::string_view, tableauColumnCount> tableauColumnKeys = {
    "number", "colour", "parity",   "half",  "dozen", "column",     "sixline", "corner",
    "street", "split",  "straight", "total", "gap",   "neighbours", "ratio",
};

// The ratio of a number whose neighbours score is 0, shown as "999".
inline constexpr double tableauRatioMarker = 999.0;

// The scores of one number 1 ... 36 over the analysed draws.
struct TableauRow {
    Pocket number = 0;
    // Colour ... straight, in column order; the split score is already scaled by 36/60.
    std::array<std::int64_t, tableauFamilyCount> families{};
    std::int64_t total = 0;
    // Analysed draws since the number last came out; nullopt when it did not come out.
    std::optional<std::int64_t> gap;
    // How close the draws fell to the number on the kind's wheel: each draw adds 18 less its
    // distance round the wheel, so the pocket opposite on the American wheel adds -1.
    std::int64_t neighbours = 0;
    // gap x 100 / (total + neighbours); nullopt when the number did not come out;
    // tableauRatioMarker when ratioIsMarker.
    std::optional<double> ratio;
    bool ratioIsMarker = false;
    friend bool operator==(const TableauRow&, const TableauRow&) = default;
};

using Tableau = std::array<TableauRow, tableauRowCount>;

// The rows of the numbers 1 ... 36, in order, over the analysed draws (oldest first). The family
// scores use the corners and splits among 1 ... 36 whatever the kind; the neighbours score uses
// the kind's wheel. A value that is no pocket of the kind adds to no score but still counts as
// a draw for the gaps.
Tableau ComputeTableau(RouletteKind kind, std::span<const std::uint8_t> analysed);

// gap x 100 / (total + neighbours), or nullopt where the marker 999 stands instead: a
// neighbours score of 0, or nothing to divide by.
std::optional<double> TableauRatio(std::int64_t gap, std::int64_t total, std::int64_t neighbours);

// The decimals the ratio is written with: two, and below 1 as many as three significant digits
// need, since the ratios of a long game are all small and differ only there (0,00123).
int TableauRatioDecimals(double ratio);

// A cell as the tableau shows it: whole numbers in plain decimal, the ratio with
// TableauRatioDecimals and the given separator or "999"; the gap and the ratio empty for a
// number that did not come out.
std::string TableauCellText(const TableauRow& row, TableauColumn column, char decimalSeparator);

// The value a sort compares for a cell; nullopt for an empty cell.
std::optional<double> TableauCellValue(const TableauRow& row, TableauColumn column);

}  // namespace spinalyst
