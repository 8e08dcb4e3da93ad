#include "cli/bet_options.h"

#include "cli/cli.h"
#include "core/betting/bet_names.h"
#include "core/betting/system_error.h"
#include "core/betting/table_areas.h"

namespace spinalyst::cli {

namespace {

// The message of a --bet fault, as the rules' --bet options say it.
UsageError BetError(SystemErrorCode code, std::vector<std::string> args) {
    SystemError error{code, std::move(args)};
    error.rule = 1;
    error.inBet = true;
    return UsageError{SystemErrorMessage(error)};
}

}  // namespace

BetSlot ParseBetSlot(const std::string& text, RouletteKind kind) {
    const BetNameResult result = ParseBetName(text, kind);
    if (result.bet && result.bet->slot()) return *result.bet->slot();
    switch (result.error) {
        case BetNameError::NotABet:
            break;
        case BetNameError::BadIndex:
            throw BetError(SystemErrorCode::BadIndex,
                           {text.substr(text.find(':') + 1), result.family,
                            std::to_string(result.first), std::to_string(result.last)});
        case BetNameError::NotOnTable:
            throw BetError(SystemErrorCode::NotOnTable, {text, std::string(KindName(kind))});
    }
    throw BetError(SystemErrorCode::NotABet, {text});
}

Cents ParseAmountOption(const std::string& text, const std::string& what) {
    const auto amount = ParseAmount(text, '.');
    if (!amount || *amount <= 0)
        throw UsageError{what + " must be a positive amount with at most two decimals, not '" +
                         text + "'"};
    return *amount;
}

void PlaceBetOption(const std::string& bet, int neighbours, BetLedger& ledger) {
    const auto eq = bet.find('=');
    if (eq == std::string::npos) throw UsageError{"--bet needs SLOT=AMOUNT, not '" + bet + "'"};
    const BetSlot slot = ParseBetSlot(bet.substr(0, eq), ledger.kind());
    const std::string amountText = bet.substr(eq + 1);
    const auto amount = ParseAmount(amountText, '.');
    if (!amount || *amount <= 0)
        throw UsageError{"--bet: the amount must be positive with at most two decimals, not '" +
                         amountText + "'"};
    if (!ledger.AddStake(slot, *amount, neighbours))
        throw UsageError{"--bet: the stake on a slot may not pass " +
                         FormatAmount(maxSlotStake, '.') + " ('" + bet + "')"};
}

}  // namespace spinalyst::cli
