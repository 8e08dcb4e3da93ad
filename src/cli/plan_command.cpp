#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/command_options.h"
#include "core/stats/fairness.h"
#include "core/stats/power_planner.h"

namespace spinalyst::cli {

namespace {

std::string Count(const std::optional<int>& count) {
    return count ? std::to_string(*count) : "";
}

std::string Fraction(const std::optional<double>& value) {
    return value ? CsvDecimal(*value) : "";
}

}  // namespace

int PlanCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err) {
    const AnalysisRequest request = ParseAnalysisOptions(args, 1, "plan");
    const auto analysis = LoadAnalysis(request, in, err);
    if (!analysis) return exitUsage;

    const PowerPlan plan =
        PlanPower(ComputeFairness({analysis->kind, analysis->analysedDraws, {}}));
    std::string csv =
        "subject,size,draws,detectable_excess,spins_for_10,spins_for_20,spins_for_50,"
        "spins_for_break_even,leader,leader_excess,spins_for_leader\n";
    for (const SizePlan& s : plan.sizes) {
        std::string leader;
        for (Pocket p : s.leader) leader += (leader.empty() ? "" : "-") + PocketText(p);
        csv += std::string(s.size == 1 ? "pocket" : "sector") + "," + std::to_string(s.size) + "," +
               std::to_string(plan.drawCount) + "," + Fraction(s.detectableExcess);
        for (const auto& spins : s.spinsFor) csv += "," + Count(spins);
        csv += "," + Count(s.spinsForBreakEven) + "," + leader + "," + Fraction(s.leaderExcess) +
               "," + Count(s.spinsForLeader) + "\n";
    }
    out << csv;
    return 0;
}

}  // namespace spinalyst::cli
