#include <algorithm>
#include <string>

#include "cli/cli.h"
#include "cli/plan_options.h"
#include "core/betting/backtest.h"
#include "core/betting/money.h"

namespace spinalyst::cli {

int BacktestCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err) {
    std::vector<std::string> rest = {"backtest"};
    const PlanOptions planOptions = TakePlanOptions(args, 1, rest);
    const auto summaryFlag = std::find_if(rest.begin(), rest.end(), [](const std::string& a) {
        return a == "--summary" || a.starts_with("--summary=");
    });
    const bool summary = summaryFlag != rest.end();
    if (summary) {
        if (*summaryFlag != "--summary") throw UsageError{"option '--summary' takes no value"};
        rest.erase(summaryFlag);
        if (std::find(rest.begin(), rest.end(), "--summary") != rest.end())
            throw UsageError{"option '--summary' given twice"};
    }
    const AnalysisRequest request = ParseAnalysisOptions(rest, 1, "backtest");
    const auto analysis = LoadAnalysis(request, in, err);
    if (!analysis) return exitUsage;
    const PlanTable table(BuildPlan(planOptions, analysis->kind, "backtest"));
    const BacktestResult result = RunBacktest(table, analysis->analysedDraws);

    const auto amount = [](Cents c) { return FormatAmount(c, '.'); };
    std::string buffer;
    if (summary) {
        buffer = "sessions,spins,staked,won,balance,ruined\n" +
                 std::to_string(result.sessions.size()) + ',' + std::to_string(result.spins) + ',' +
                 amount(result.staked) + ',' + amount(result.won) + ',' + amount(result.balance) +
                 ',' + std::to_string(result.ruined) + '\n';
        out << buffer;
        return 0;
    }
    std::vector<std::int32_t> drawNumbers;
    if (analysis->window)
        SelectAnalysedDrawNumbers(analysis->log, analysis->kind, *analysis->window, drawNumbers);
    buffer = BacktestCsv(result, drawNumbers);
    out << buffer;
    return 0;
}

}  // namespace spinalyst::cli
