#include <ostream>

#include "cli/cli.h"
#include "core/stats/stat_families.h"
#include "core/stats/stats_csv.h"

namespace spinalyst::cli {

int StatsCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err) {
    if (args.size() < 2 || args[1].starts_with("--"))
        throw UsageError{
            "stats needs a FAMILY: simples, dzscols, sizains, transversales, "
            "finales, carres, chevaux or pleins"};
    const auto family = StatFamilyFromName(args[1]);
    if (!family)
        throw UsageError{"unknown family '" + args[1] +
                         "'; one of simples, dzscols, sizains, transversales, finales, carres, "
                         "chevaux, pleins"};
    const AnalysisRequest request = ParseAnalysisOptions(args, 2, "stats");
    const auto analysis = LoadAnalysis(request, in, err);
    if (!analysis) return exitUsage;
    out << FamilyStatsCsv(*family, analysis->kind, analysis->analysedDraws);
    return 0;
}

}  // namespace spinalyst::cli
