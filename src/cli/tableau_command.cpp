#include "cli/tableau_command.h"

#include <ostream>

#include "cli/cli.h"
#include "core/stats/stats_csv.h"

namespace spinalyst::cli {

int TableauCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    const AnalysisRequest request = ParseAnalysisOptions(args, 1, "tableau");
    const auto analysis = LoadAnalysis(request, in, err);
    if (!analysis) return 2;

    out << TableauCsv(analysis->kind, analysis->analysedDraws);
    return 0;
}

}  // namespace spinalyst::cli
