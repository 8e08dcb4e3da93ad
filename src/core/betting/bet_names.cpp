#include "core/betting/bet_names.h"

#include <array>
#include <charconv>
#include <utility>

#include "core/betting/table_areas.h"

namespace spinalyst {

namespace {

constexpr std::array<std::pair<std::string_view, BetSlot>, 6> evenChanceNames = {{
    {"red", {BetKind::RougeNoir, 1}},
    {"black", {BetKind::RougeNoir, 2}},
    {"even", {BetKind::PairImpair, 1}},
    {"odd", {BetKind::PairImpair, 2}},
    {"low", {BetKind::ManquePasse, 1}},
    {"high", {BetKind::ManquePasse, 2}},
}};

constexpr std::array<std::pair<BetFamily, std::string_view>, 8> familyNames = {{
    {BetFamily::Simple, "simple"},
    {BetFamily::Douzaine, "douzaine"},
    {BetFamily::Colonne, "colonne"},
    {BetFamily::Sizain, "sizain"},
    {BetFamily::Transversale, "transversale"},
    {BetFamily::Carre, "carre"},
    {BetFamily::Cheval, "cheval"},
    {BetFamily::Plein, "plein"},
}};

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

NamedBet SlotBet(BetSlot slot) {
    return {SlotName(slot), {{slot, 1}}, SlotPockets(slot)};
}

}  // namespace

PocketMask SlotPockets(BetSlot slot) {
    PocketMask mask = 0;
    for (Pocket p = 0; p < maxPocketCount; ++p)
        if (Covers(slot, p)) mask |= PocketMask{1} << p;
    return mask;
}

std::optional<BetSlot> NamedBet::slot() const {
    if (chips.size() == 1 && chips.front().chips == 1) return chips.front().slot;
    return std::nullopt;
}

BetNameResult ParseBetName(std::string_view text, RouletteKind kind) {
    BetNameResult result;
    const std::string name = Lower(text);
    std::optional<BetSlot> slot;
    for (const auto& [word, s] : evenChanceNames)
        if (name == word) slot = s;
    if (!slot) {
        const auto colon = name.find(':');
        const std::optional<BetKind> known = BetKindNamed(name.substr(0, colon));
        if (colon == std::string::npos || !known) {
            result.error = BetNameError::NotABet;
            return result;
        }
        std::string indexText = name.substr(colon + 1);
        if (*known == BetKind::Plein && indexText == "00") indexText = std::to_string(DoubleZero);
        int index = -1;
        const auto [end, ec] =
            std::from_chars(indexText.data(), indexText.data() + indexText.size(), index);
        if (indexText.empty() || ec != std::errc() || end != indexText.data() + indexText.size() ||
            !IsValidSlot({*known, index})) {
            const IndexRange range = SlotIndexRange(*known);
            result.error = BetNameError::BadIndex;
            result.family = BetKindName(*known);
            result.first = range.first;
            result.last = range.last;
            return result;
        }
        slot = BetSlot{*known, index};
    }
    if (!TableOffers(kind, *slot)) {
        result.error = BetNameError::NotOnTable;
        return result;
    }
    result.bet = SlotBet(*slot);
    return result;
}

std::string SlotName(BetSlot slot) {
    for (const auto& [word, s] : evenChanceNames)
        if (s == slot) return std::string(word);
    return std::string(BetKindName(slot.kind)) + ':' +
           (slot.kind == BetKind::Plein ? PocketText(slot.index) : std::to_string(slot.index));
}

std::string_view BetFamilyName(BetFamily family) {
    for (const auto& [f, name] : familyNames)
        if (f == family) return name;
    return "simple";
}

std::optional<BetFamily> BetFamilyNamed(std::string_view name) {
    const std::string lower = Lower(name);
    for (const auto& [f, n] : familyNames)
        if (n == lower) return f;
    return std::nullopt;
}

BetFamily FamilyOf(BetKind kind) {
    switch (kind) {
        case BetKind::Plein:
            return BetFamily::Plein;
        case BetKind::Cheval:
            return BetFamily::Cheval;
        case BetKind::Transversale:
            return BetFamily::Transversale;
        case BetKind::Carre:
            return BetFamily::Carre;
        case BetKind::Sizain:
            return BetFamily::Sizain;
        case BetKind::Colonne:
            return BetFamily::Colonne;
        case BetKind::Douzaine:
            return BetFamily::Douzaine;
        case BetKind::RougeNoir:
        case BetKind::PairImpair:
        case BetKind::ManquePasse:
            break;
    }
    return BetFamily::Simple;
}

std::vector<BetSlot> FamilySlots(BetFamily family, RouletteKind kind) {
    std::vector<BetSlot> slots;
    const auto add = [&](BetKind k) {
        const IndexRange range = SlotIndexRange(k);
        for (int i = range.first; i <= range.last; ++i)
            if (TableOffers(kind, {k, i})) slots.push_back({k, i});
    };
    for (int code = 1; code <= betKindCount; ++code) {
        const auto k = static_cast<BetKind>(code);
        if (FamilyOf(k) == family) add(k);
    }
    return slots;
}

bool HasOpposite(BetSlot slot) {
    const BetFamily family = FamilyOf(slot.kind);
    return IsValidSlot(slot) && (family == BetFamily::Simple || family == BetFamily::Douzaine ||
                                 family == BetFamily::Colonne);
}

std::vector<BetSlot> OppositeSlots(BetSlot slot) {
    std::vector<BetSlot> opposites;
    if (!HasOpposite(slot)) return opposites;
    const IndexRange range = SlotIndexRange(slot.kind);
    for (int i = range.first; i <= range.last; ++i)
        if (i != slot.index) opposites.push_back({slot.kind, i});
    return opposites;
}

}  // namespace spinalyst
