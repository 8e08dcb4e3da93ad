#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/model/roulette.h"
#include "core/stats/fairness.h"
#include "core/stats/freeze_confirm.h"
#include "core/stats/power_planner.h"
#include "core/stats/stat_families.h"
#include "core/stats/wheel_stats.h"

namespace spinalyst {

// The figures of the statistics pages as CSV, with "." for decimals: what the command line
// prints and what the program exports, written in one place so that both always agree.

// label,hits,since_last,max_gap,repeats: one line per slot of the family, in slot order.
std::string FamilyStatsCsv(StatFamily family, RouletteKind kind,
                           std::span<const std::uint8_t> analysed);

// The four tables of the wheel page.
enum class WheelTable { Distances, Repeats, Sectors, Shades };
inline constexpr std::string_view wheelTableNames = "distances, repeats, sectors or shades";
std::optional<WheelTable> WheelTableFromName(std::string_view name);
std::string_view WheelTableName(WheelTable table);
// The shades table greys the pockets in `scale`.
// `directions`, one per analysed draw when known, count the distances in the ball's direction.
std::string WheelTableCsv(WheelTable table, RouletteKind kind,
                          std::span<const std::uint8_t> analysed,
                          HeatScale scale = defaultHeatScale,
                          std::span<const SpinDirection> directions = {});

// One line per number 1 to 36 with its scores, after the header of the column keys.
std::string TableauCsv(RouletteKind kind, std::span<const std::uint8_t> analysed);

// test,subject,statistic,df,p_value,p_adjusted: one line per test of the report, in the order
// of FairnessRows; the sector rows once the simulation has been applied. A croupier is named
// by croupierName, or by number when it gives no name. Then the excess tests of ExcessRows:
// excess/pocket,P and excess/sector,best, the excess as their statistic.
std::string FairnessCsv(
    const FairnessReport& report,
    const std::function<std::optional<std::string>(std::int32_t)>& croupierName);

// subject,size,draws,detectable_excess,spins_for_10,spins_for_20,spins_for_50,
// spins_for_break_even,leader,leader_excess,spins_for_leader: one line per size planned, the
// excesses as fractions, the leader's pockets joined by "-", a figure there is none of empty.
std::string PowerPlanCsv(const PowerPlan& plan);

// draws,hits,expected,p_value,ev,ev_low,ev_high,kelly,half_kelly and the one line of figures;
// the returns are empty without draws.
std::string ConfirmationCsv(const Confirmation& confirmation);

}  // namespace spinalyst
