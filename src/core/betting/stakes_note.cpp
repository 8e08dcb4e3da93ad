#include "core/betting/stakes_note.h"

#include <algorithm>
#include <charconv>

#include "core/betting/money.h"
#include "core/betting/table_areas.h"

namespace spinalyst {

namespace {

// A whole number written plainly: digits only, no sign, no leading zero but for 0 itself.
std::optional<long long> ReadNumber(std::string_view text) {
    if (text.empty() || text.size() > 12 || (text.size() > 1 && text[0] == '0'))
        return std::nullopt;
    long long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

constexpr std::string_view laPartageItem = "partage";

}  // namespace

std::string StakesNoteValue(const BetLedger& ledger) {
    std::string value;
    for (const BetSlot slot : ledger.chips()) {
        if (!value.empty()) value += ';';
        value += BetKindName(slot.kind);
        value += ':' + std::to_string(slot.index) + '=' + std::to_string(ledger.stake(slot));
    }
    if (ledger.laPartageOn() && !value.empty()) (value += ';') += laPartageItem;
    return value;
}

std::optional<StakesNote> ParseStakesNote(std::string_view value, RouletteKind kind) {
    StakesNote note;
    std::vector<PlacedBet>& bets = note.bets;
    while (!value.empty()) {
        const std::size_t end = std::min(value.find(';'), value.size());
        const std::string_view item = value.substr(0, end);
        value.remove_prefix(std::min(end + 1, value.size()));
        if (item == laPartageItem) {
            if (note.laPartage || kind != RouletteKind::French) return std::nullopt;
            note.laPartage = true;
            continue;
        }
        const std::size_t colon = item.find(':');
        const std::size_t equals = item.find('=');
        if (colon == std::string_view::npos || equals == std::string_view::npos || equals < colon)
            return std::nullopt;
        const auto family = BetKindNamed(item.substr(0, colon));
        const auto index = ReadNumber(item.substr(colon + 1, equals - colon - 1));
        const auto stake = ReadNumber(item.substr(equals + 1));
        if (!family || !index || !stake || *index > maxSlotIndex ||
            *stake < 1 || *stake > maxSlotStake)
            return std::nullopt;
        const BetSlot slot{*family, static_cast<int>(*index)};
        if (!IsValidSlot(slot) || !TableOffers(kind, slot) ||
            std::any_of(bets.begin(), bets.end(),
                        [&](const PlacedBet& b) { return b.slot == slot; }))
            return std::nullopt;
        bets.push_back({slot, static_cast<Cents>(*stake)});
    }
    return note;
}

}  // namespace spinalyst
