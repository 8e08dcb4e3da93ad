#include <ostream>

#include "cli/cli.h"

namespace spinalyst::cli {

int AnalysedCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err) {
    const AnalysisRequest request = ParseAnalysisOptions(args, 1, "analysed");
    const auto analysis = LoadAnalysis(request, in, err);
    if (!analysis) return exitUsage;
    std::string buffer;
    for (Pocket p : analysis->analysedDraws) {
        buffer += PocketText(p);
        buffer += '\n';
    }
    out << buffer;
    return 0;
}

}  // namespace spinalyst::cli
