#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/model/roulette.h"

namespace spinalyst {

// The ten bet categories, by the code the stake table is indexed with.
enum class BetKind {
    Plein = 1,
    Cheval = 2,
    Transversale = 3,
    Carre = 4,
    Sizain = 5,
    Colonne = 6,
    Douzaine = 7,
    RougeNoir = 8,
    PairImpair = 9,
    ManquePasse = 10,
};
inline constexpr int betKindCount = 10;
inline constexpr int maxSlotIndex = 60;

// The categories' names in files and on the command line, by code.
inline constexpr std::array<std::string_view, betKindCount> betKindNames = {
    "plein",   "cheval",   "transversale", "carre",      "sizain",
    "colonne", "douzaine", "rougenoir",    "pairimpair", "manquepasse",
};
constexpr std::string_view BetKindName(BetKind kind) {
    return betKindNames[static_cast<std::size_t>(kind) - 1];
}
// The category of a name; nullopt for none.
constexpr std::optional<BetKind> BetKindNamed(std::string_view name) {
    for (std::size_t k = 0; k < betKindNames.size(); ++k)
        if (betKindNames[k] == name) return static_cast<BetKind>(k + 1);
    return std::nullopt;
}

// A betting position: a category and an index within it.
struct BetSlot {
    BetKind kind = BetKind::Plein;
    int index = 0;
    friend constexpr bool operator==(BetSlot, BetSlot) = default;
};

// Amount returned per unit staked on a winning slot, the stake included.
constexpr int payoutFactor(BetKind kind) {
    switch (kind) {
        case BetKind::Plein:
            return 36;
        case BetKind::Cheval:
            return 18;
        case BetKind::Transversale:
            return 12;
        case BetKind::Carre:
            return 9;
        case BetKind::Sizain:
            return 6;
        case BetKind::Colonne:
        case BetKind::Douzaine:
            return 3;
        case BetKind::RougeNoir:
        case BetKind::PairImpair:
        case BetKind::ManquePasse:
            return 2;
    }
    return 0;
}

struct IndexRange {
    int first = 0;
    int last = -1;
};
constexpr IndexRange SlotIndexRange(BetKind kind) {
    switch (kind) {
        case BetKind::Plein:
            return {0, 37};
        case BetKind::Cheval:
            return {1, 60};
        case BetKind::Transversale:
            return {1, 14};
        case BetKind::Carre:
            return {1, 23};
        case BetKind::Sizain:
            return {1, 11};
        case BetKind::Colonne:
        case BetKind::Douzaine:
            return {1, 3};
        case BetKind::RougeNoir:
        case BetKind::PairImpair:
        case BetKind::ManquePasse:
            return {1, 2};
    }
    return {};
}
constexpr bool IsValidSlot(BetSlot slot) {
    const IndexRange r = SlotIndexRange(slot.kind);
    return slot.index >= r.first && slot.index <= r.last;
}

using PocketPair = std::array<Pocket, 2>;
using PocketQuad = std::array<Pocket, 4>;

// Splits by bet index 1 ... 60 (entry 0 unused): street by street, then 0 with 1, 2 and 3.
inline constexpr std::array<PocketPair, 61> chevalPairs = [] {
    std::array<PocketPair, 61> pairs{};
    int i = 1;
    for (int s = 1; s <= 12; ++s) {
        const int a = 3 * s - 2;
        pairs[i++] = {a, a + 1};
        pairs[i++] = {a + 1, a + 2};
        if (s == 12) break;
        pairs[i++] = {a, a + 3};
        pairs[i++] = {a + 1, a + 4};
        pairs[i++] = {a + 2, a + 5};
    }
    pairs[58] = {0, 1};
    pairs[59] = {0, 2};
    pairs[60] = {0, 3};
    return pairs;
}();

// Corners by bet index 1 ... 23 (entry 0 unused); 23 is 0, 1, 2, 3.
inline constexpr std::array<PocketQuad, 24> carreQuads = [] {
    std::array<PocketQuad, 24> quads{};
    for (int s = 1; s <= 11; ++s) {
        quads[2 * s - 1] = {3 * s - 2, 3 * s - 1, 3 * s + 1, 3 * s + 2};
        quads[2 * s] = {3 * s - 1, 3 * s, 3 * s + 2, 3 * s + 3};
    }
    quads[23] = {0, 1, 2, 3};
    return quads;
}();

// Whether the slot wins when p is drawn. 0 is covered only by the zero bets, 00 only by
// Plein 37, its straight-up bet on the American table.
constexpr bool Covers(BetSlot slot, Pocket p) {
    const int i = slot.index;
    if (!IsValidSlot(slot)) return false;
    switch (slot.kind) {
        case BetKind::Plein:
            return p == i;
        case BetKind::Cheval:
            return chevalPairs[i][0] == p || chevalPairs[i][1] == p;
        case BetKind::Transversale:
            if (i <= 12) return StreetOf(p) == i;
            if (i == 13) return p == 0 || p == 1 || p == 2;
            return p == 0 || p == 2 || p == 3;
        case BetKind::Carre:
            for (Pocket q : carreQuads[i])
                if (q == p) return true;
            return false;
        case BetKind::Sizain:
            // Six-line i joins streets i and i + 1.
            return StreetOf(p) == i || StreetOf(p) == i + 1;
        case BetKind::Colonne:
            return ColumnOf(p) == i;
        case BetKind::Douzaine:
            return DozenOf(p) == i;
        case BetKind::RougeNoir:
            return i == 1 ? IsRed(p) : IsBlack(p);
        case BetKind::PairImpair:
            return i == 1 ? IsEven(p) : IsOdd(p);
        case BetKind::ManquePasse:
            return i == 1 ? IsLow(p) : IsHigh(p);
    }
    return false;
}

// The splits and corners over which the statistics count, per kind. They differ from the
// bet slots in order and in which zero positions they include.
std::span<const PocketPair> splitList(RouletteKind kind);
std::span<const PocketQuad> cornerList(RouletteKind kind);

static_assert(chevalPairs[1] == PocketPair{1, 2} && chevalPairs[3] == PocketPair{1, 4} &&
              chevalPairs[8] == PocketPair{4, 7} && chevalPairs[56] == PocketPair{34, 35} &&
              chevalPairs[57] == PocketPair{35, 36});
static_assert(carreQuads[22] == PocketQuad{32, 33, 35, 36});
static_assert(Covers({BetKind::Transversale, 13}, 2) && Covers({BetKind::Transversale, 14}, 2));
static_assert(!Covers({BetKind::Colonne, 1}, DoubleZero) &&
              !Covers({BetKind::PairImpair, 2}, DoubleZero));

}  // namespace spinalyst
