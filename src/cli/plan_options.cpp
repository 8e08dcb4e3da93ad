#include "cli/plan_options.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "cli/bet_options.h"
#include "core/betting/bet_ledger.h"
#include "core/betting/money.h"
#include "core/betting/table_areas.h"

namespace spinalyst::cli {

namespace {

constexpr std::array<std::string_view, 12> valueOptions = {
    "bet",      "neighbours", "progression", "line",     "sequence",  "advance-on",
    "bankroll", "table-max",  "at-limit",    "stop-win", "stop-loss", "max-spins"};

std::vector<Units> ParseEntries(const std::string& text, const std::string& what) {
    std::vector<Units> entries;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string entry = text.substr(start, comma - start);
        entries.push_back(ParseNumber<Units>(entry, what + " entries", 1, maxProgressionEntry));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (entries.size() > maxProgressionEntries)
        throw UsageError{what + " takes at most " + std::to_string(maxProgressionEntries) +
                         " entries"};
    return entries;
}

std::string AmountText(Cents amount) {
    return FormatAmount(amount, '.');
}

}  // namespace

PlanOptions TakePlanOptions(const std::vector<std::string>& args, std::size_t from,
                            std::vector<std::string>& rest) {
    std::vector<std::string> planArgs = {"plan"};
    for (std::size_t i = from; i < args.size(); ++i) {
        const std::string& a = args[i];
        const std::string name =
            a.starts_with("--") ? a.substr(2, a.find('=') == std::string::npos ? std::string::npos
                                                                               : a.find('=') - 2)
                                : std::string();
        if (name == "la-partage") {
            planArgs.push_back(a);
        } else if (std::find(valueOptions.begin(), valueOptions.end(), name) !=
                   valueOptions.end()) {
            planArgs.push_back(a);
            if (a.find('=') == std::string::npos && i + 1 < args.size())
                planArgs.push_back(args[++i]);
        } else {
            rest.push_back(a);
        }
    }
    // --bet may be given many times; the rest once each.
    PlanOptions options;
    std::vector<std::string> once = {"plan"};
    for (std::size_t i = 1; i < planArgs.size(); ++i) {
        const std::string& a = planArgs[i];
        if (a == "--bet" || a.starts_with("--bet=")) {
            if (a == "--bet") {
                if (i + 1 >= planArgs.size()) throw UsageError{"option '--bet' needs a value"};
                options.bets.push_back(planArgs[++i]);
            } else {
                options.bets.push_back(a.substr(6));
            }
        } else {
            once.push_back(a);
        }
    }
    const ParsedArgs parsed =
        ParseArgs(once, 1,
                  {"neighbours", "progression", "line", "sequence", "advance-on", "bankroll",
                   "table-max", "at-limit", "stop-win", "stop-loss", "max-spins"},
                  {"la-partage"});
    const auto option = [&](const char* name) -> const std::string* {
        auto it = parsed.options.find(name);
        return it == parsed.options.end() ? nullptr : &it->second;
    };
    if (auto v = option("neighbours"))
        options.neighbours = ParseNumber(*v, "--neighbours", 1, maxNeighbours);
    ProgressionSettings& p = options.progression;
    if (auto v = option("progression")) {
        const auto kind = ProgressionFromName(*v);
        if (!kind)
            throw UsageError{
                "--progression must be flat, martingale, grand-martingale, "
                "dalembert, fibonacci, labouchere, paroli or sequence, not '" +
                *v + "'"};
        p.kind = *kind;
    }
    if (auto v = option("line")) {
        if (p.kind != Progression::Labouchere)
            throw UsageError{"--line goes with --progression labouchere only"};
        p.line = ParseEntries(*v, "--line");
    }
    if (auto v = option("sequence")) {
        if (p.kind != Progression::Sequence)
            throw UsageError{"--sequence goes with --progression sequence only"};
        p.sequence = ParseEntries(*v, "--sequence");
    }
    if (auto v = option("advance-on")) {
        if (p.kind != Progression::Sequence)
            throw UsageError{"--advance-on goes with --progression sequence only"};
        const auto advance = AdvanceOnFromName(*v);
        if (!advance) throw UsageError{"--advance-on must be loss or win, not '" + *v + "'"};
        p.advanceOn = *advance;
    }
    MoneyRules& r = options.rules;
    if (auto v = option("bankroll")) r.bankroll = ParseAmountOption(*v, "--bankroll");
    if (auto v = option("table-max")) {
        r.tableMax = ParseAmountOption(*v, "--table-max");
        if (*r.tableMax > maxSlotStake)
            throw UsageError{"--table-max may not pass " + AmountText(maxSlotStake) +
                             ", the table's own limit"};
    }
    if (auto v = option("at-limit")) {
        const auto atLimit = AtLimitFromName(*v);
        if (!atLimit) throw UsageError{"--at-limit must be reset, cap or stop, not '" + *v + "'"};
        r.atLimit = *atLimit;
    }
    if (auto v = option("stop-win")) r.stopWin = ParseAmountOption(*v, "--stop-win");
    if (auto v = option("stop-loss")) r.stopLoss = ParseAmountOption(*v, "--stop-loss");
    if (auto v = option("max-spins"))
        r.maxSpins = ParseNumber<std::int64_t>(*v, "--max-spins", 1, 1'000'000'000);
    r.laPartage = parsed.options.contains("la-partage");
    for (const auto& amount : {r.bankroll, r.stopWin, r.stopLoss})
        if (amount && *amount > maxPlanAmount)
            throw UsageError{"amounts of the money rules may not pass " +
                             AmountText(maxPlanAmount)};
    return options;
}

BettingPlan BuildPlan(const PlanOptions& options, RouletteKind kind, std::string_view command) {
    BetLedger ledger(kind);
    for (const std::string& bet : options.bets) PlaceBetOption(bet, options.neighbours, ledger);
    BettingPlan plan;
    plan.kind = kind;
    plan.bets.assign(ledger.placedBets().begin(), ledger.placedBets().end());
    plan.progression = options.progression;
    plan.rules = options.rules;
    const auto error = CheckPlan(plan);
    if (!error) return plan;
    const std::string name(command);
    switch (*error) {
        case PlanError::NoBets:
            throw UsageError{name + " needs at least one --bet SLOT=AMOUNT"};
        case PlanError::LaPartageNotFrench:
            throw UsageError{"--la-partage is for the french table only, not the " +
                             std::string(KindName(kind)) + " one"};
        case PlanError::BaseAboveTableMax:
            throw UsageError{"a --bet amount passes the table maximum " +
                             AmountText(*plan.rules.tableMax)};
        case PlanError::StartAboveTableMax:
            throw UsageError{"the progression's first stake passes the table maximum " +
                             AmountText(plan.rules.tableMax.value_or(maxSlotStake))};
        case PlanError::BankrollBelowFirstStake:
            throw UsageError{"--bankroll " + AmountText(*plan.rules.bankroll) +
                             " does not cover the first stake"};
        case PlanError::BadBet:
        case PlanError::BadLine:
        case PlanError::BadSequence:
        case PlanError::BadAmount:
        case PlanError::BadMaxSpins:
            break;
    }
    // The options were read with these limits, so the plan cannot be refused for them.
    throw UsageError{name + ": the plan cannot be played"};
}

}  // namespace spinalyst::cli
