#include <ostream>

#include "cli/cli.h"
#include "core/draws/game_file.h"

namespace spinalyst::cli {

int AnalysedCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err) {
    const AnalysisRequest request = ParseAnalysisOptions(args, 1, "analysed");
    const auto analysis = LoadAnalysis(request, in, err);
    if (!analysis) return exitUsage;
    if (NeedsWideRows(analysis->log)) {
        const DrawLog analysed =
            analysis->window ? SelectAnalysedLog(analysis->log, analysis->kind, *analysis->window)
                             : DrawLog{};
        // The columns stay even when no analysed draw has a wheel or a direction.
        std::string text = GameFileHead(analysis->kind, true);
        GameFileRowWriter(NameLookup(analysis->croupierNames), NameLookup(analysis->wheelNames),
                          true)
            .AppendRows(text, analysed, 1, analysed.drawCount());
        out << text;
        return 0;
    }
    std::string buffer;
    for (Pocket p : analysis->analysedDraws) {
        buffer += PocketText(p);
        buffer += '\n';
    }
    out << buffer;
    return 0;
}

}  // namespace spinalyst::cli
