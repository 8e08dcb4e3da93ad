#include "core/stats/tableau.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/model/bet_slots.h"
#include "core/model/wheel.h"

namespace spinalyst {

namespace {

constexpr std::size_t pocketSlots = maxPocketCount;
constexpr std::size_t familyCount = tableauFamilyCount;
constexpr std::size_t splitFamily = static_cast<std::size_t>(TableauColumn::Split) -
                                    static_cast<std::size_t>(TableauColumn::Colour);

// Weights by the number's place on the table: the four corners of the number field, the ends
// of the middle row, the rest of the middle row, the rest of the outer rows.
int CornerWeight(Pocket i) {
    if (i == 1 || i == 3 || i == 34 || i == 36) return 9;
    if (i == 2 || i == 35) return 6;
    return i % 3 == 2 ? 4 : 6;
}
int SplitWeight(Pocket i) {
    if (i == 1 || i == 3 || i == 34 || i == 36) return 20;
    if (i == 2 || i == 35) return 15;
    return i % 3 == 2 ? 12 : 15;
}

// Whether one of the groups (corners or splits) holds both a and b; a = b asks whether one holds a.
template <typename Groups>
bool OneHoldsBoth(const Groups& groups, Pocket a, Pocket b) {
    for (const auto& group : groups) {
        bool hasA = false, hasB = false;
        for (Pocket p : group) {
            hasA = hasA || p == a;
            hasB = hasB || p == b;
        }
        if (hasA && hasB) return true;
    }
    return false;
}

// What a draw of d (1 ... 36) adds to each family score of number i; the split weight is the
// one before scaling.
std::array<int, familyCount> FamilyAdds(Pocket i, Pocket d) {
    const auto both = [](bool same, int weight) { return same ? weight : 0; };
    return {
        both(ColourOf(d) == ColourOf(i), 2),
        both(d % 2 == i % 2, 2),
        both((d - 1) / 18 == (i - 1) / 18, 2),
        both((d - 1) / 12 == (i - 1) / 12, 3),
        both(d % 3 == i % 3, 3),
        both((d - 1) / 6 == (i - 1) / 6, 6),
        both(OneHoldsBoth(cornerList(RouletteKind::NoZero), i, d), CornerWeight(i)),
        both((d - 1) / 3 == (i - 1) / 3, 12),
        both(OneHoldsBoth(splitList(RouletteKind::NoZero), i, d), SplitWeight(i)),
        both(d == i, 36),
    };
}

// Every score depends only on how often each pocket was drawn, so a fill is a product of the
// pocket counts with these tables rather than a pass over the draws per number.
struct WeightTables {
    // [row][family][pocket]; 0 and 00 weigh nothing.
    std::array<std::array<std::array<std::int8_t, pocketSlots>, familyCount>, tableauRowCount>
        families{};
    // [kind][row][pocket]; pockets the kind does not have weigh nothing.
    std::array<std::array<std::array<std::int8_t, pocketSlots>, tableauRowCount>, allKinds.size()>
        neighbours{};
};

WeightTables BuildWeightTables() {
    WeightTables t;
    for (Pocket i = 1; i <= 36; ++i) {
        const auto row = static_cast<std::size_t>(i - 1);
        for (Pocket d = 1; d <= 36; ++d) {
            const auto adds = FamilyAdds(i, d);
            for (std::size_t f = 0; f < familyCount; ++f)
                t.families[row][f][static_cast<std::size_t>(d)] = static_cast<std::int8_t>(adds[f]);
        }
        for (RouletteKind kind : allKinds) {
            const int count = pocketCount(kind);
            for (Pocket d = firstPocket(kind); d <= lastPocket(kind); ++d) {
                int c = wheelPosition(kind, d) - wheelPosition(kind, i);
                if (c < 0) c = -c;
                if (c > 18) c = count - c;
                t.neighbours[static_cast<std::size_t>(kind)][row][static_cast<std::size_t>(d)] =
                    static_cast<std::int8_t>(18 - c);
            }
        }
    }
    return t;
}

const WeightTables& Weights() {
    static const WeightTables tables = BuildWeightTables();
    return tables;
}

}  // namespace

std::optional<double> TableauRatio(std::int64_t gap, std::int64_t total, std::int64_t neighbours) {
    const std::int64_t divisor = total + neighbours;
    if (neighbours == 0 || divisor == 0) return std::nullopt;
    return static_cast<double>(gap) * 100.0 / static_cast<double>(divisor);
}

Tableau ComputeTableau(RouletteKind kind, std::span<const std::uint8_t> analysed) {
    // Indexed by the byte itself, so a damaged value needs no clamp and weighs nothing.
    std::array<std::int64_t, 256> counts{};
    for (std::uint8_t d : analysed) ++counts[d];

    // The last occurrences, searched from the newest draw back until every number that came
    // out has been met: usually a few hundred draws, whatever the length of the window.
    std::array<std::optional<std::int64_t>, tableauRowCount> gaps{};
    int missing = 0;
    for (std::size_t p = 1; p <= 36; ++p) missing += counts[p] > 0 ? 1 : 0;
    const auto n = static_cast<std::int64_t>(analysed.size());
    for (std::int64_t k = n - 1; k >= 0 && missing > 0; --k) {
        const std::uint8_t d = analysed[static_cast<std::size_t>(k)];
        if (d < 1 || d > 36 || gaps[d - 1u]) continue;
        gaps[d - 1u] = n - 1 - k;
        --missing;
    }

    const WeightTables& w = Weights();
    const auto& neighbourWeights = w.neighbours[static_cast<std::size_t>(kind)];
    Tableau tableau;
    for (std::size_t r = 0; r < tableau.size(); ++r) {
        TableauRow& row = tableau[r];
        row.number = static_cast<Pocket>(r + 1);
        for (std::size_t f = 0; f < familyCount; ++f) {
            std::int64_t score = 0;
            for (std::size_t p = 0; p < pocketSlots; ++p) score += counts[p] * w.families[r][f][p];
            row.families[f] = score;
        }
        // Scaled once, after all draws, so that rounding does not add up draw by draw.
        row.families[splitFamily] = row.families[splitFamily] * 36 / 60;
        for (std::int64_t score : row.families) row.total += score;
        for (std::size_t p = 0; p < pocketSlots; ++p)
            row.neighbours += counts[p] * neighbourWeights[r][p];
        row.gap = gaps[r];
        if (row.gap) {
            row.ratio = TableauRatio(*row.gap, row.total, row.neighbours);
            row.ratioIsMarker = !row.ratio;
            if (row.ratioIsMarker) row.ratio = tableauRatioMarker;
        }
    }
    return tableau;
}

int TableauRatioDecimals(double ratio) {
    const double size = std::fabs(ratio);
    if (!(size > 0) || size >= 1) return 2;
    return std::min(2 - static_cast<int>(std::floor(std::log10(size))), 20);
}

std::string TableauCellText(const TableauRow& row, TableauColumn column, char decimalSeparator) {
    switch (column) {
        case TableauColumn::Number:
            return std::to_string(row.number);
        case TableauColumn::Total:
            return std::to_string(row.total);
        case TableauColumn::Gap:
            return row.gap ? std::to_string(*row.gap) : std::string();
        case TableauColumn::Neighbours:
            return std::to_string(row.neighbours);
        case TableauColumn::Ratio: {
            if (!row.ratio) return {};
            if (row.ratioIsMarker) return "999";
            // to_chars ignores the locale, which a Qt program sets from the environment.
            std::array<char, 64> buffer{};
            const auto [end, ec] =
                std::to_chars(buffer.data(), buffer.data() + buffer.size(), *row.ratio,
                              std::chars_format::fixed, TableauRatioDecimals(*row.ratio));
            if (ec != std::errc()) return {};
            std::string text(buffer.data(), end);
            if (const auto dot = text.find('.'); dot != std::string::npos)
                text[dot] = decimalSeparator;
            return text;
        }
        default:
            return std::to_string(row.families[static_cast<std::size_t>(column) -
                                               static_cast<std::size_t>(TableauColumn::Colour)]);
    }
}

std::optional<double> TableauCellValue(const TableauRow& row, TableauColumn column) {
    switch (column) {
        case TableauColumn::Number:
            return row.number;
        case TableauColumn::Total:
            return static_cast<double>(row.total);
        case TableauColumn::Gap:
            if (!row.gap) return std::nullopt;
            return static_cast<double>(*row.gap);
        case TableauColumn::Neighbours:
            return static_cast<double>(row.neighbours);
        case TableauColumn::Ratio:
            return row.ratio;
        default:
            return static_cast<double>(
                row.families[static_cast<std::size_t>(column) -
                             static_cast<std::size_t>(TableauColumn::Colour)]);
    }
}

}  // namespace spinalyst
