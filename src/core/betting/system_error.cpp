#include "core/betting/system_error.h"

#include <array>

namespace spinalyst {

namespace {

constexpr std::array<std::string_view, systemErrorCodeCount> formats = {
    "it is empty; write WHEN => BETS",
    "'=>' is missing between the condition and the bets",
    "no condition before '=>'",
    "'%1' is not a condition; write always, last, streak, absent or hits",
    "'%1' needs a bet or 'any FAMILY' after it",
    "'%1' is not a family; write simple, douzaine, colonne, sizain, transversale, carre, cheval "
    "or plein",
    "'%1' where '%2' is expected",
    "the rule ends where '%1' is expected",
    "'%1' must be a whole number from 1 to %2",
    "'%1' is more than the %2 spins it counts",
    "a second 'any': a rule watches one family at most",
    "no bet after '=>'",
    "'%1' needs =AMOUNT",
    "the amount must be positive with at most two decimals, not '%1'",
    "the stake on '%1' may not pass %2",
    "'%1' needs a condition on a bet",
    "'%1' is no slot; write KIND:INDEX with KIND one of plein, cheval, transversale, carre, "
    "sizain, colonne, douzaine, rougenoir, pairimpair, manquepasse, or one of red, black, even, "
    "odd, low, high",
    "the index of %2 must be from %3 to %4, not '%1'",
    "the %2 table has no slot '%1'",
    "'opposite' is for even chances, dozens and columns, not '%1'",
    "the stake on '%1' passes the table maximum %2",
    "the progression's first stake on '%1' passes the table maximum %2",
    "'%1' is not an option; each line holds --NAME and its value",
    "'%1' is not an option of a betting plan",
    "option '%1' needs a value",
    "option '%1' takes no value",
    "option '%1' given twice",
    "%1 must be a whole number from %2 to %3, not '%4'",
    "--progression must be flat, martingale, grand-martingale, dalembert, fibonacci, labouchere, "
    "paroli or sequence, not '%1'",
    "%1 goes with --progression %2 only",
    "%1 takes at most %2 entries",
    "--advance-on must be loss or win, not '%1'",
    "%1 must be a positive amount with at most two decimals, not '%2'",
    "--table-max may not pass %1, the table's own limit",
    "--at-limit must be reset, cap or stop, not '%1'",
    "amounts of the money rules may not pass %1",
    "--bet and --rule do not go together: plain bets are the rule 'always => BETS'",
    "the plan needs at least one --bet SLOT=AMOUNT or --rule \"WHEN => BETS\"",
    "--la-partage is for the french table only, not the %1 one",
    "--bankroll %1 does not cover the first stake",
    "a system holds at most %1 rules",
    "the plan cannot be played",
};

constexpr std::string_view rulePrefix = "rule %1: %2";
constexpr std::string_view betPrefix = "--bet: %1";

template <typename Lookup>
std::string Compose(const SystemError& error, const Lookup& lookup) {
    const std::string body = FillText(lookup(SystemErrorTextId(error.code)), error.args);
    if (error.rule <= 0) return body;
    if (error.inBet) return FillText(lookup(TextId::BetErrorPrefix), {body});
    return FillText(lookup(TextId::RuleErrorPrefix), {std::to_string(error.rule), body});
}

}  // namespace

std::string_view SystemErrorFormat(SystemErrorCode code) {
    return formats[static_cast<std::size_t>(code)];
}

TextId SystemErrorTextId(SystemErrorCode code) {
    return static_cast<TextId>(static_cast<int>(TextId::SystemErrorFirst) + static_cast<int>(code));
}

std::string FillText(std::string_view format, const std::vector<std::string>& args) {
    std::string text;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '%' && i + 1 < format.size() && format[i + 1] >= '1' && format[i + 1] <= '9') {
            const auto at = static_cast<std::size_t>(format[i + 1] - '1');
            if (at < args.size()) {
                text += args[at];
                ++i;
                continue;
            }
        }
        text += c;
    }
    return text;
}

std::string SystemErrorMessage(const SystemError& error) {
    return Compose(error, [](TextId id) -> std::string {
        if (id == TextId::RuleErrorPrefix) return std::string(rulePrefix);
        if (id == TextId::BetErrorPrefix) return std::string(betPrefix);
        return std::string(formats[static_cast<std::size_t>(
            static_cast<int>(id) - static_cast<int>(TextId::SystemErrorFirst))]);
    });
}

std::string SystemErrorText(const SystemError& error, const LanguageTable& texts) {
    return Compose(error, [&](TextId id) { return texts.Text(id); });
}

}  // namespace spinalyst
