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
    PocketListFault fault;
    if (auto pockets = ParsePocketList(list, kind, &fault)) return *std::move(pockets);
    switch (fault.kind) {
        case PocketListFault::Kind::NotAPocket:
            throw UsageError{"--pockets: '" + fault.word + "' is no pocket of the " +
                             std::string(KindName(kind)) + " wheel"};
        case PocketListFault::Kind::Twice:
            throw UsageError{"--pockets: " + fault.word + " is given twice"};
        case PocketListFault::Kind::Empty:
            break;
    }
    throw UsageError{"--pockets: no pocket given"};
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
            throw UsageError{
                "confirm needs --freeze F and --pockets P,P,..., or a file with a "
                "#freeze line"};
    }
    out << ConfirmationCsv(ConfirmFreeze(analysis->log, analysis->kind, analysis->window, *frozen));
    return 0;
}

}  // namespace spinalyst::cli
