#include "cli/wheel_command.h"

#include <cstdint>
#include <optional>
#include <ostream>

#include "cli/cli.h"
#include "core/stats/stats_csv.h"

namespace spinalyst::cli {

namespace {
// Takes --scale out of args, leaving the analysis options.
HeatScale TakeScaleOption(std::vector<std::string>& args) {
    std::optional<std::string> value;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::optional<std::string> given;
        if (args[i] == "--scale") {
            if (i + 1 >= args.size()) throw UsageError{"option '--scale' needs a value"};
            given = args[++i];
        } else if (args[i].starts_with("--scale=")) {
            given = args[i].substr(8);
        } else {
            rest.push_back(args[i]);
            continue;
        }
        if (value) throw UsageError{"option '--scale' given twice"};
        value = given;
    }
    args = std::move(rest);
    if (!value) return defaultHeatScale;
    const auto scale = HeatScaleFromName(*value);
    if (!scale) throw UsageError{"unknown scale '" + *value + "'; spread or deviation"};
    return *scale;
}
}  // namespace

int WheelCommand(std::vector<std::string> args, std::istream& in, std::ostream& out,
                 std::ostream& err) {
    if (args.size() < 2 || args[1].starts_with("--"))
        throw UsageError{"wheel needs a TABLE: " + std::string(wheelTableNames)};
    const auto table = WheelTableFromName(args[1]);
    if (!table)
        throw UsageError{"unknown wheel table '" + args[1] + "'; one of " +
                         std::string(wheelTableNames)};

    const HeatScale scale = TakeScaleOption(args);
    const AnalysisRequest request = ParseAnalysisOptions(args, 2, "wheel");
    const auto analysis = LoadAnalysis(request, in, err);
    if (!analysis) return 2;
    out << WheelTableCsv(*table, analysis->kind, analysis->analysedDraws, scale,
                         analysis->analysedDirections);
    return 0;
}

}  // namespace spinalyst::cli
