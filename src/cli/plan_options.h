#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli.h"
#include "core/betting/plan.h"
#include "core/betting/system.h"

namespace spinalyst::cli {

// The PLAN options of backtest and montecarlo, read into a system; the kind of the table, which
// the bets need, may be known only once a file is read.
struct PlanOptions {
    System system;
    // The --system file the options came from, to name it in errors; empty without one.
    std::string systemFile;
};

// Takes the PLAN options out of args[from ...]: --bet or --rule (either, as often as wanted),
// --neighbours, --progression, --line, --sequence, --advance-on, --bankroll, --table-max,
// --at-limit, --stop-win, --stop-loss, --max-spins, --la-partage, and --system FILE, whose
// options the others given here replace (its bets and rules cannot be added to). The other
// words stay in `rest`, in order. Throws UsageError.
PlanOptions TakePlanOptions(const std::vector<std::string>& args, std::size_t from,
                            std::vector<std::string>& rest);

// The plan on a table of `kind`, checked before its first spin; a UsageError naming `command`
// when it cannot be played.
BettingPlan BuildPlan(const PlanOptions& options, RouletteKind kind, std::string_view command);

}  // namespace spinalyst::cli
