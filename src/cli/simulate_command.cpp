#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <optional>
#include <string>
#include <utility>

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

std::string Lowercase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

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

constexpr std::array<std::pair<std::string_view, BetKind>, 10> betKindNames = {{
    {"plein", BetKind::Plein},
    {"cheval", BetKind::Cheval},
    {"transversale", BetKind::Transversale},
    {"carre", BetKind::Carre},
    {"sizain", BetKind::Sizain},
    {"colonne", BetKind::Colonne},
    {"douzaine", BetKind::Douzaine},
    {"rougenoir", BetKind::RougeNoir},
    {"pairimpair", BetKind::PairImpair},
    {"manquepasse", BetKind::ManquePasse},
}};

constexpr std::array<std::pair<std::string_view, BetSlot>, 6> evenChanceNames = {{
    {"red", {BetKind::RougeNoir, 1}},
    {"black", {BetKind::RougeNoir, 2}},
    {"even", {BetKind::PairImpair, 1}},
    {"odd", {BetKind::PairImpair, 2}},
    {"low", {BetKind::ManquePasse, 1}},
    {"high", {BetKind::ManquePasse, 2}},
}};

BetSlot ParseSlot(const std::string& text, RouletteKind kind) {
    const std::string slotText = Lowercase(text);
    for (const auto& [name, slot] : evenChanceNames)
        if (slotText == name) return slot;
    const auto colon = slotText.find(':');
    const std::string kindText = slotText.substr(0, colon);
    const auto known = std::find_if(betKindNames.begin(), betKindNames.end(),
                                    [&](const auto& entry) { return entry.first == kindText; });
    if (colon == std::string::npos || known == betKindNames.end())
        throw UsageError{"--bet: '" + text +
                         "' is no slot; write KIND:INDEX with KIND one of plein, cheval, "
                         "transversale, carre, sizain, colonne, douzaine, rougenoir, pairimpair, "
                         "manquepasse, or one of red, black, even, odd, low, high"};
    const BetKind betKind = known->second;
    std::string indexText = slotText.substr(colon + 1);
    if (betKind == BetKind::Plein && indexText == "00") indexText = std::to_string(DoubleZero);
    int index = -1;
    const auto [end, ec] =
        std::from_chars(indexText.data(), indexText.data() + indexText.size(), index);
    const IndexRange range = SlotIndexRange(betKind);
    if (indexText.empty() || ec != std::errc() || end != indexText.data() + indexText.size() ||
        !IsValidSlot({betKind, index}))
        throw UsageError{"--bet: the index of " + kindText + " must be from " +
                         std::to_string(range.first) + " to " + std::to_string(range.last) +
                         ", not '" + text.substr(colon + 1) + "'"};
    const BetSlot slot{betKind, index};
    if (!TableOffers(kind, slot))
        throw UsageError{"--bet: the " + std::string(KindName(kind)) + " table has no slot '" +
                         text + "'"};
    return slot;
}

void PlaceBet(const std::string& bet, int neighbours, BetLedger& ledger) {
    const auto eq = bet.find('=');
    if (eq == std::string::npos) throw UsageError{"--bet needs SLOT=AMOUNT, not '" + bet + "'"};
    const BetSlot slot = ParseSlot(bet.substr(0, eq), ledger.kind());
    const std::string amountText = bet.substr(eq + 1);
    const auto amount = ParseAmount(amountText, '.');
    if (!amount || *amount <= 0)
        throw UsageError{"--bet: the amount must be positive with at most two decimals, not '" +
                         amountText + "'"};
    if (!ledger.AddStake(slot, *amount, neighbours))
        throw UsageError{"--bet: the stake on a slot may not pass " +
                         FormatAmount(maxSlotStake, '.') + " ('" + bet + "')"};
}

}  // namespace

int SimulateCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err) {
    const SimulateOptions options = ParseSimulateOptions(args);
    BetLedger ledger(options.kind.value_or(defaultKind));
    for (const std::string& bet : options.bets) PlaceBet(bet, options.neighbours, ledger);

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
