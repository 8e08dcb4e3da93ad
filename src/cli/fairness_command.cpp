#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/command_options.h"
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
    const auto taken = TakeCommandOptions(args, {"simulations", "seed"});
    if (const auto seed = taken.find("seed"); seed != taken.end())
        options.seed = ParseNumber<std::uint64_t>(seed->second, "--seed", 0, UINT64_MAX);
    if (const auto count = taken.find("simulations"); count != taken.end())
        options.simulations =
            ParseNumber(count->second, "--simulations", minSimulations, maxSimulations);
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

    FairnessReport report =
        FairnessOfAnalysed(analysis->log, analysis->kind, analysis->window, analysis->analysedDraws,
                           analysis->analysedDirections);
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
