#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <optional>
#include <string>
#include <utility>

#include "cli/bet_options.h"
#include "cli/cli.h"
#include "core/betting/bet_ledger.h"
#include "core/betting/money.h"

namespace spinalyst::cli {

namespace {

struct SimulateOptions {
    std::optional<RouletteKind> kind;
    int neighbours = 0;
    bool summary = false;
    std::vector<std::string> bets;
    std::vector<std::string> files;
};

SimulateOptions ParseSimulateOptions(const std::vector<std::string>& args) {
    SimulateOptions options;
    bool neighboursGiven = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() <= 2 || !a.starts_with("--")) {
            options.files.push_back(a);
            continue;
        }
        std::string name = a.substr(2);
        std::optional<std::string> value;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        if (name == "summary") {
            if (value) throw UsageError{"option '--summary' takes no value"};
            if (options.summary) throw UsageError{"option '--summary' given twice"};
            options.summary = true;
            continue;
        }
        if (name != "kind" && name != "neighbours" && name != "bet")
            throw UsageError{"unknown option '--" + name + "'"};
        if (!value) {
            if (i + 1 >= args.size()) throw UsageError{"option '--" + name + "' needs a value"};
            value = args[++i];
        }
        if (name == "bet") {
            options.bets.push_back(*value);
        } else if (name == "kind") {
            if (options.kind) throw UsageError{"option '--kind' given twice"};
            options.kind = KindFromName(*value);
            if (!options.kind)
                throw UsageError{"--kind must be american, french or nozero, not '" + *value + "'"};
        } else {
            if (neighboursGiven) throw UsageError{"option '--neighbours' given twice"};
            neighboursGiven = true;
            int n = 0;
            const auto [end, ec] = std::from_chars(value->data(), value->data() + value->size(), n);
            if (value->empty() || ec != std::errc() || end != value->data() + value->size() ||
                n < 1 || n > maxNeighbours)
                throw UsageError{"--neighbours must be a whole number from 1 to " +
                                 std::to_string(maxNeighbours) + ", not '" + *value + "'"};
            options.neighbours = n;
        }
    }
    if (options.files.size() != 1) throw UsageError{"simulate needs exactly one FILE"};
    if (options.bets.empty()) throw UsageError{"simulate needs at least one --bet SLOT=AMOUNT"};
    return options;
}

}  // namespace

int SimulateCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err) {
    const SimulateOptions options = ParseSimulateOptions(args);
    BetLedger ledger(options.kind.value_or(defaultKind));
    for (const std::string& bet : options.bets) PlaceBetOption(bet, options.neighbours, ledger);

    AnalysisRequest request;
    request.kind = ledger.kind();
    request.file = options.files.front();
    const auto analysis = LoadAnalysis(request, in, err);
    if (!analysis) return 2;

    const auto draws = analysis->log.draws();
    std::string buffer =
        options.summary ? "draws,staked,won,balance\n" : "draw,pocket,stake,win,balance\n";
    Cents won = 0;
    int drawNumber = 0;
    for (const std::uint8_t p : draws) {
        ledger.SettleBets(++drawNumber, p);
        won += ledger.drawWin();
        if (options.summary) continue;
        buffer += std::to_string(drawNumber) + ',' + PocketText(p) + ',' +
                  FormatAmount(ledger.totalStake(), '.') + ',' +
                  FormatAmount(ledger.drawWin(), '.') + ',' + FormatAmount(ledger.balance(), '.') +
                  '\n';
        if (buffer.size() > (1 << 16)) {
            out << buffer;
            buffer.clear();
        }
    }
    if (options.summary) {
        const Cents staked = ledger.totalStake() * static_cast<Cents>(draws.size());
        buffer += std::to_string(draws.size()) + ',' + FormatAmount(staked, '.') + ',' +
                  FormatAmount(won, '.') + ',' + FormatAmount(ledger.balance(), '.') + '\n';
    }
    out << buffer;
    return 0;
}

}  // namespace spinalyst::cli
