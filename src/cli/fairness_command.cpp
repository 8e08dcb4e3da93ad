#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "core/stats/fairness.h"
#include "core/stats/stats_csv.h"

namespace spinalyst::cli {

namespace {

constexpr int minSimulations = 100;
constexpr int maxSimulations = 10'000'000;

struct ScanOptions {
    int simulations = defaultSimulations;
    std::uint64_t seed = defaultScanSeed;
};

// Takes the command's own options out of args, leaving the analysis options.
ScanOptions TakeScanOptions(std::vector<std::string>& args) {
    ScanOptions options;
    bool simulationsGiven = false, seedGiven = false;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string option, value;
        for (const std::string name : {"--simulations", "--seed"}) {
            if (a == name) {
                if (i + 1 >= args.size()) throw UsageError{"option '" + name + "' needs a value"};
                option = name;
                value = args[++i];
            } else if (a.starts_with(name + "=")) {
                option = name;
                value = a.substr(name.size() + 1);
            }
        }
        if (option.empty()) {
            rest.push_back(a);
            continue;
        }
        bool& given = option == "--seed" ? seedGiven : simulationsGiven;
        if (given) throw UsageError{"option '" + option + "' given twice"};
        given = true;
        if (option == "--seed")
            options.seed = ParseNumber<std::uint64_t>(value, option, 0, UINT64_MAX);
        else
            options.simulations = ParseNumber(value, option, minSimulations, maxSimulations);
    }
    args = std::move(rest);
    return options;
}

}  // namespace

int FairnessCommand(const std::vector<std::string>& commandArgs, std::istream& in,
                    std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = commandArgs;
    const ScanOptions scan = TakeScanOptions(args);
    const AnalysisRequest request = ParseAnalysisOptions(args, 1, "fairness");
    const auto analysis = LoadAnalysis(request, in, err);
    if (!analysis) return exitUsage;

    std::vector<CroupierStint> stints;
    if (analysis->window)
        SelectAnalysedStints(analysis->log, analysis->kind, *analysis->window, stints);
    FairnessReport report = ComputeFairness({analysis->kind, analysis->analysedDraws, stints});
    if (report.drawCount > 0) {
        const auto null =
            SimulateSectorNull(report.kind, report.drawCount, scan.simulations, scan.seed);
        if (null) ApplySectorNull(report, *null);
    }

    const auto& names = analysis->croupierNames;
    out << FairnessCsv(report, [&names](std::int32_t c) -> std::optional<std::string> {
        const auto index = static_cast<std::size_t>(c - 1);
        if (c < 1 || index >= names.size()) return std::nullopt;
        return names[index];
    });
    return 0;
}

}  // namespace spinalyst::cli
