#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "core/stats/fairness.h"
#include "core/stats/power_planner.h"
#include "core/stats/stats_csv.h"

namespace spinalyst::cli {

int PlanCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err) {
    const AnalysisRequest request = ParseAnalysisOptions(args, 1, "plan");
    const auto analysis = LoadAnalysis(request, in, err);
    if (!analysis) return exitUsage;

    out << PowerPlanCsv(PlanPower(ComputeFairness({analysis->kind, analysis->analysedDraws, {}})));
    return 0;
}

}  // namespace spinalyst::cli
