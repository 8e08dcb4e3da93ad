#include "core/stats/stats_csv.h"

#include <array>
#include <charconv>
#include <cmath>
#include <vector>

#include "core/stats/fairness_summary.h"
#include "core/stats/slot_stats.h"
#include "core/stats/tableau.h"
#include "core/stats/wheel_stats.h"
#include "core/store/csv_field.h"

namespace spinalyst {

namespace {

constexpr std::array<std::string_view, 4> wheelTableKeys = {"distances", "repeats", "sectors",
                                                            "shades"};

std::string Figures(const SlotStats& s) {
    return std::to_string(s.hits) + "," + std::to_string(s.sinceLast) + "," +
           std::to_string(s.maxGap);
}

std::string Distances(const WheelStats& stats) {
    std::string csv = "distance,hits,since_last,max_gap\n";
    for (std::size_t d = 0; d < stats.distanceStats.size(); ++d)
        csv += std::to_string(d) + "," + Figures(stats.distanceStats[d]) + "\n";
    return csv;
}

// The gap is written as the grid shows it: the draws between the two occurrences.
std::string Repeats(const WheelStats& stats) {
    std::string csv = "gap,hits,since_last,max_gap\n";
    for (const RepeatStats& r : stats.repeatStats)
        csv += std::to_string(r.gap()) + "," + Figures(r.stats) + "\n";
    return csv;
}

std::string Sectors(const WheelStats& stats) {
    std::string csv = "pocket,neighbourhood,hits,since_last,max_gap\n";
    for (const NeighbourhoodStats& n : stats.neighbourhoodStats) {
        csv += PocketText(n.pocket) + ",";
        for (std::size_t k = 0; k < n.pockets.size(); ++k)
            csv += (k ? " " : "") + PocketText(n.pockets[k]);
        csv += "," + Figures(n.stats) + "\n";
    }
    return csv;
}

std::string Shades(const WheelStats& stats, HeatScale scale) {
    std::string csv = "pocket,hits,shade\n";
    for (Pocket p = firstPocket(stats.kind); p <= lastPocket(stats.kind); ++p)
        csv += PocketText(p) + "," + std::to_string(stats.pocketHits[static_cast<std::size_t>(p)]) +
               "," + std::to_string(HeatShade(stats, p, scale)) + "\n";
    return csv;
}

// A number with ten significant digits and a decimal point (or an exponent).
std::string Decimal(double value) {
    char buffer[64];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    if (text.find_first_of(".e") == std::string::npos && std::isfinite(value)) text += ".0";
    return text;
}

void Row(std::string& out, const std::string& test, const std::string& subject,
         const std::string& statistic, const std::string& df, double p, double pAdjusted) {
    out += test + "," + CsvField(subject) + "," + statistic + "," + df + "," + Decimal(p) + "," +
           Decimal(pAdjusted) + "\n";
}

std::string FamilyKey(OutsideFamily family) {
    switch (family) {
        case OutsideFamily::Dozens:
            return "dozens";
        case OutsideFamily::Columns:
            return "columns";
        case OutsideFamily::RedBlack:
            return "red_black";
        case OutsideFamily::EvenOdd:
            return "even_odd";
        case OutsideFamily::LowHigh:
            return "low_high";
    }
    return "";
}

std::string ChanceKey(EvenChance chance) {
    switch (chance) {
        case EvenChance::RedBlack:
            return "red_black";
        case EvenChance::EvenOdd:
            return "even_odd";
        case EvenChance::LowHigh:
            return "low_high";
    }
    return "";
}

}  // namespace

std::string FamilyStatsCsv(StatFamily family, RouletteKind kind,
                           std::span<const std::uint8_t> analysed) {
    const std::vector<SlotStats> stats = ComputeFamilyStats(family, kind, analysed);
    const std::vector<StatSlot> slots = FamilySlots(family, kind);
    std::string csv = "label,hits,since_last,max_gap,repeats\n";
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const SlotStats& s = stats[i];
        csv += slots[i].cliLabel + "," + std::to_string(s.hits) + "," +
               std::to_string(s.sinceLast) + "," + std::to_string(s.maxGap) + "," +
               std::to_string(s.repeats) + "\n";
    }
    return csv;
}

std::optional<WheelTable> WheelTableFromName(std::string_view name) {
    for (std::size_t i = 0; i < wheelTableKeys.size(); ++i)
        if (wheelTableKeys[i] == name) return static_cast<WheelTable>(i);
    return std::nullopt;
}

std::string_view WheelTableName(WheelTable table) {
    return wheelTableKeys[static_cast<std::size_t>(table)];
}

std::string WheelTableCsv(WheelTable table, RouletteKind kind,
                          std::span<const std::uint8_t> analysed, HeatScale scale,
                          std::span<const SpinDirection> directions) {
    const WheelStats stats = ComputeWheelStats(kind, analysed, directions);
    switch (table) {
        case WheelTable::Distances:
            return Distances(stats);
        case WheelTable::Repeats:
            return Repeats(stats);
        case WheelTable::Sectors:
            return Sectors(stats);
        case WheelTable::Shades:
            return Shades(stats, scale);
    }
    return {};
}

std::string TableauCsv(RouletteKind kind, std::span<const std::uint8_t> analysed) {
    std::string csv;
    for (int c = 0; c < tableauColumnCount; ++c) {
        if (c > 0) csv += ',';
        csv += tableauColumnKeys[static_cast<std::size_t>(c)];
    }
    csv += '\n';
    for (const TableauRow& row : ComputeTableau(kind, analysed)) {
        for (int c = 0; c < tableauColumnCount; ++c) {
            if (c > 0) csv += ',';
            csv += TableauCellText(row, static_cast<TableauColumn>(c), '.');
        }
        csv += '\n';
    }
    return csv;
}

std::string FairnessCsv(
    const FairnessReport& report,
    const std::function<std::optional<std::string>(std::int32_t)>& croupierName) {
    std::string csv = "test,subject,statistic,df,p_value,p_adjusted\n";
    for (const FairnessRow& row : FairnessRows(report)) {
        // Sector rows without a simulation have no p-value to print.
        if (!row.p) continue;
        const std::string df = row.df ? std::to_string(*row.df) : "";
        const double p = *row.p;
        const double pAdjusted = row.pAdjusted.value_or(p);
        switch (row.test) {
            case FairnessTest::PocketSpread:
                Row(csv, "pockets", "all", Decimal(row.statistic), df, p, pAdjusted);
                break;
            case FairnessTest::SinglePocket:
                Row(csv, "pocket", PocketText(row.subject), Decimal(row.statistic), df, p,
                    pAdjusted);
                break;
            case FairnessTest::Family:
                Row(csv, FamilyKey(static_cast<OutsideFamily>(row.subject)), "all",
                    Decimal(row.statistic), df, p, pAdjusted);
                break;
            case FairnessTest::Sector:
                Row(csv, "sector", "k=" + std::to_string(row.arc.length),
                    std::to_string(row.arc.hits), df, p, pAdjusted);
                break;
            case FairnessTest::BestSector:
                Row(csv, "sector", "best", std::to_string(row.arc.hits), df, p, pAdjusted);
                break;
            case FairnessTest::Dealer: {
                const auto named = croupierName ? croupierName(row.subject) : std::nullopt;
                const std::string name = named ? *named : std::to_string(row.subject);
                // The tests of one direction's spins apart: dealer_cw, dealer_ccw.
                std::string test = "dealer";
                if (row.direction != SpinDirection::Unknown)
                    test += "_" + std::string(DirectionText(row.direction));
                Row(csv, test, name, Decimal(row.statistic), df, p, pAdjusted);
                break;
            }
            case FairnessTest::Runs:
                Row(csv, "runs", ChanceKey(static_cast<EvenChance>(row.subject)),
                    Decimal(row.statistic), df, p, pAdjusted);
                break;
            case FairnessTest::Serial:
                Row(csv, "serial", "positions", Decimal(row.statistic), df, p, pAdjusted);
                break;
        }
    }
    for (const ExcessRow& row : ExcessRows(report)) {
        if (row.pocket)
            Row(csv, "excess/pocket", PocketText(*row.pocket), Decimal(row.excess), "", row.p,
                row.pAdjusted);
        else
            Row(csv, "excess/sector", "best", Decimal(row.excess), "", row.p, row.pAdjusted);
    }
    return csv;
}

std::string PowerPlanCsv(const PowerPlan& plan) {
    const auto count = [](const std::optional<int>& n) {
        return n ? std::to_string(*n) : std::string();
    };
    const auto fraction = [](const std::optional<double>& x) {
        return x ? Decimal(*x) : std::string();
    };
    std::string csv =
        "subject,size,draws,detectable_excess,spins_for_10,spins_for_20,spins_for_50,"
        "spins_for_break_even,leader,leader_excess,spins_for_leader\n";
    for (const SizePlan& s : plan.sizes) {
        std::string leader;
        for (Pocket p : s.leader) leader += (leader.empty() ? "" : "-") + PocketText(p);
        csv += std::string(s.size == 1 ? "pocket" : "sector") + "," + std::to_string(s.size) + "," +
               std::to_string(plan.drawCount) + "," + fraction(s.detectableExcess);
        for (const auto& spins : s.spinsFor) csv += "," + count(spins);
        csv += "," + count(s.spinsForBreakEven) + "," + leader + "," + fraction(s.leaderExcess) +
               "," + count(s.spinsForLeader) + "\n";
    }
    return csv;
}

std::string ConfirmationCsv(const Confirmation& c) {
    const auto optional = [](const std::optional<double>& x) {
        return x ? Decimal(*x) : std::string();
    };
    return "draws,hits,expected,p_value,ev,ev_low,ev_high,kelly,half_kelly\n" +
           std::to_string(c.draws) + "," + std::to_string(c.hits) + "," + Decimal(c.expected) +
           "," + Decimal(c.p) + "," + optional(c.ev) + "," + optional(c.evLow) + "," +
           optional(c.evHigh) + "," + Decimal(c.kelly) + "," + Decimal(c.halfKelly) + "\n";
}

}  // namespace spinalyst
