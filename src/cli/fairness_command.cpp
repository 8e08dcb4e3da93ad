#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/command_options.h"
#include "core/stats/fairness.h"
#include "core/stats/fairness_summary.h"

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

void Row(std::string& out, const std::string& test, const std::string& subject,
         const std::string& statistic, const std::string& df, double p, double pAdjusted) {
    out += test + "," + CsvField(subject) + "," + statistic + "," + df + "," + CsvDecimal(p) + "," +
           CsvDecimal(pAdjusted) + "\n";
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

    std::string csv = "test,subject,statistic,df,p_value,p_adjusted\n";
    const auto& names = analysis->croupierNames;
    for (const FairnessRow& row : FairnessRows(report)) {
        // Sector rows without a simulation have no p-value to print.
        if (!row.p) continue;
        const std::string df = row.df ? std::to_string(*row.df) : "";
        const double p = *row.p;
        const double pAdjusted = row.pAdjusted.value_or(p);
        switch (row.test) {
            case FairnessTest::PocketSpread:
                Row(csv, "pockets", "all", CsvDecimal(row.statistic), df, p, pAdjusted);
                break;
            case FairnessTest::SinglePocket:
                Row(csv, "pocket", PocketText(row.subject), CsvDecimal(row.statistic), df, p,
                    pAdjusted);
                break;
            case FairnessTest::Family:
                Row(csv, FamilyKey(static_cast<OutsideFamily>(row.subject)), "all",
                    CsvDecimal(row.statistic), df, p, pAdjusted);
                break;
            case FairnessTest::Sector:
                Row(csv, "sector", "k=" + std::to_string(row.arc.length),
                    std::to_string(row.arc.hits), df, p, pAdjusted);
                break;
            case FairnessTest::BestSector:
                Row(csv, "sector", "best", std::to_string(row.arc.hits), df, p, pAdjusted);
                break;
            case FairnessTest::Dealer: {
                const auto index = static_cast<std::size_t>(row.subject - 1);
                const std::string name = row.subject >= 1 && index < names.size()
                                             ? names[index]
                                             : std::to_string(row.subject);
                Row(csv, "dealer", name, CsvDecimal(row.statistic), df, p, pAdjusted);
                break;
            }
            case FairnessTest::Runs:
                Row(csv, "runs", ChanceKey(static_cast<EvenChance>(row.subject)),
                    CsvDecimal(row.statistic), df, p, pAdjusted);
                break;
            case FairnessTest::Serial:
                Row(csv, "serial", "positions", CsvDecimal(row.statistic), df, p, pAdjusted);
                break;
        }
    }
    for (const ExcessRow& row : ExcessRows(report)) {
        if (row.pocket)
            Row(csv, "excess/pocket", PocketText(*row.pocket), CsvDecimal(row.excess), "", row.p,
                row.pAdjusted);
        else
            Row(csv, "excess/sector", "best", CsvDecimal(row.excess), "", row.p, row.pAdjusted);
    }
    out << csv;
    return 0;
}

}  // namespace spinalyst::cli
