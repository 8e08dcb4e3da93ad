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
    buffer = "session,first_draw,spins,staked,won,balance,lowest,end\n";
    for (std::size_t i = 0; i < result.sessions.size(); ++i) {
        const SessionSummary& s = result.sessions[i];
        buffer += std::to_string(i + 1) + ',' +
                  std::to_string(drawNumbers[static_cast<std::size_t>(s.firstSpin)]) + ',' +
                  std::to_string(s.spins) + ',' + amount(s.staked) + ',' + amount(s.won) + ',' +
                  amount(s.balance) + ',' + amount(s.lowest) + ',' +
                  std::string(SessionEndName(s.end)) + '\n';
        if (buffer.size() > (1 << 16)) {
            if (!(out << buffer)) return 0;  // FinishOutput reports the failed output
            buffer.clear();
        }
    }
    out << buffer;
    return 0;
}

}  // namespace spinalyst::cli
