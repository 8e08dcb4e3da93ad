#include "cli/bet_options.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>
#include <utility>

#include "cli/cli.h"
#include "core/betting/table_areas.h"

namespace spinalyst::cli {

namespace {

constexpr std::array<std::pair<std::string_view, BetSlot>, 6> evenChanceNames = {{
    {"red", {BetKind::RougeNoir, 1}},
    {"black", {BetKind::RougeNoir, 2}},
    {"even", {BetKind::PairImpair, 1}},
    {"odd", {BetKind::PairImpair, 2}},
    {"low", {BetKind::ManquePasse, 1}},
    {"high", {BetKind::ManquePasse, 2}},
}};

}  // namespace

BetSlot ParseBetSlot(const std::string& text, RouletteKind kind) {
    const std::string slotText = Lowercase(text);
    for (const auto& [name, slot] : evenChanceNames)
        if (slotText == name) return slot;
    const auto colon = slotText.find(':');
    const std::string kindText = slotText.substr(0, colon);
    const std::optional<BetKind> known = BetKindNamed(kindText);
    if (colon == std::string::npos || !known)
        throw UsageError{"--bet: '" + text +
                         "' is no slot; write KIND:INDEX with KIND one of plein, cheval, "
                         "transversale, carre, sizain, colonne, douzaine, rougenoir, pairimpair, "
                         "manquepasse, or one of red, black, even, odd, low, high"};
    const BetKind betKind = *known;
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
