#include <algorithm>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/command_options.h"
#include "core/draws/frozen_set.h"
#include "core/stats/freeze_confirm.h"
#include "core/stats/stats_csv.h"

namespace spinalyst::cli {

namespace {

// --pockets P,P,...: distinct pockets of the kind, read once the file has settled the kind.
std::vector<Pocket> ParsePockets(const std::string& list, RouletteKind kind) {
    std::vector<Pocket> pockets;
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = list.find(',', from);
        const std::string item = list.substr(from, comma - from);
        const auto pocket = ParsePocket(item, kind);
        if (!pocket)
            throw UsageError{"--pockets: '" + item + "' is no pocket of the " +
                             std::string(KindName(kind)) + " wheel"};
        if (std::find(pockets.begin(), pockets.end(), *pocket) != pockets.end())
            throw UsageError{"--pockets: " + item + " is given twice"};
        pockets.push_back(*pocket);
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    return pockets;
}

}  // namespace

int ConfirmCommand(const std::vector<std::string>& commandArgs, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    std::vector<std::string> args = commandArgs;
    const auto own = TakeCommandOptions(args, {"freeze", "pockets"});
    const AnalysisRequest request = ParseAnalysisOptions(args, 1, "confirm");
    const auto freeze = own.find("freeze"), pockets = own.find("pockets");
    const bool given = freeze != own.end() || pockets != own.end();
    if (given && (freeze == own.end() || pockets == own.end()))
        throw UsageError{"confirm needs --freeze F and --pockets P,P,... together"};
    const int frozenAt =
        given ? ParseNumber(freeze->second, "--freeze", 0, std::numeric_limits<int>::max()) : 0;
    const auto analysis = LoadAnalysis(request, in, err);
    if (!analysis) return exitUsage;
    std::optional<FrozenSet> frozen;
    if (given) {
        frozen = FrozenSet{frozenAt, ParsePockets(pockets->second, analysis->kind)};
    } else {
        // Without the options, the freeze the file itself keeps.
        frozen = FreezeOfNotes(analysis->notes, analysis->kind);
        if (!frozen)
            throw UsageError{"confirm needs --freeze F and --pockets P,P,..., or a file with a "
                             "#freeze line"};
    }
    const std::vector<Pocket>& set = frozen->pockets;

    std::vector<std::uint8_t> buffer;
    std::span<const std::uint8_t> after;
    if (analysis->window)
        if (const auto window = WindowAfterFreeze(*analysis->window, frozen->drawCount))
            after = SelectAnalysedDraws(analysis->log, analysis->kind, *window, buffer);
    out << ConfirmationCsv(Confirm(analysis->kind, set, after));
    return 0;
}

}  // namespace spinalyst::cli
