#include "cli/wheel_command.h"

#include <cstdint>
#include <ostream>

#include "cli/cli.h"
#include "core/stats/stats_csv.h"

namespace spinalyst::cli {

int WheelCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err) {
    if (args.size() < 2 || args[1].starts_with("--"))
        throw UsageError{"wheel needs a TABLE: " + std::string(wheelTableNames)};
    const auto table = WheelTableFromName(args[1]);
    if (!table)
        throw UsageError{"unknown wheel table '" + args[1] + "'; one of " +
                         std::string(wheelTableNames)};

    const AnalysisRequest request = ParseAnalysisOptions(args, 2, "wheel");
    const auto analysis = LoadAnalysis(request, in, err);
    if (!analysis) return 2;
    out << WheelTableCsv(*table, analysis->kind, analysis->analysedDraws);
    return 0;
}

}  // namespace spinalyst::cli
