#include "core/stats/stat_families.h"

#include <algorithm>
#include <cstdio>

#include "core/model/bet_slots.h"

namespace spinalyst {

namespace {

constexpr std::array<std::string_view, 8> familyNames = {
    "simples", "dzscols", "sizains", "transversales", "finales", "carres", "chevaux", "pleins"};

constexpr std::array<std::string_view, 6> simplesChartLabels = {"Rouges",  "Noirs",  "Pairs",
                                                                "Impairs", "Manque", "Passe"};
constexpr std::array<std::string_view, 6> simplesCliLabels = {"red", "black", "even",
                                                              "odd", "low",   "high"};

std::string TwoDigits(Pocket p) {
    char text[8];
    std::snprintf(text, sizeof text, "%.2d", p);
    return text;
}

// The split labels write the zeros as on the table and every number with two digits.
std::string SplitPocketText(Pocket p) {
    if (p == 0) return "0";
    if (p == DoubleZero) return "00";
    return TwoDigits(p);
}

std::string Joined(const std::string& a, std::string_view separator, const std::string& b) {
    std::string text = a;
    text += separator;
    text += b;
    return text;
}

}  // namespace

std::string_view StatFamilyName(StatFamily family) {
    return familyNames[static_cast<std::size_t>(family)];
}

std::optional<StatFamily> StatFamilyFromName(std::string_view name) {
    for (StatFamily f : allStatFamilies)
        if (StatFamilyName(f) == name) return f;
    return std::nullopt;
}

int SlotCount(StatFamily family, RouletteKind kind) {
    switch (family) {
        case StatFamily::Simples:
        case StatFamily::DzsCols:
            return 6;
        case StatFamily::Sizains:
            return 11;
        case StatFamily::Transversales:
            return 12;
        case StatFamily::Finales:
            return 10;
        case StatFamily::Carres:
            return static_cast<int>(cornerList(kind).size());
        case StatFamily::Chevaux:
            return static_cast<int>(splitList(kind).size());
        case StatFamily::Pleins:
            return pocketCount(kind);
    }
    return 0;
}

std::optional<BetSlot> BetSlotOf(StatFamily family, int slot) {
    const int k = slot + 1;
    switch (family) {
        case StatFamily::Simples: {
            // Red, black, even, odd, low, high: two slots for each even chance.
            constexpr BetKind chances[] = {BetKind::RougeNoir, BetKind::PairImpair,
                                           BetKind::ManquePasse};
            if (slot < 0 || slot >= 6) return std::nullopt;
            return BetSlot{chances[slot / 2], slot % 2 + 1};
        }
        case StatFamily::DzsCols:
            if (slot < 0 || slot >= 6) return std::nullopt;
            return slot < 3 ? BetSlot{BetKind::Colonne, k} : BetSlot{BetKind::Douzaine, k - 3};
        case StatFamily::Sizains:
            return BetSlot{BetKind::Sizain, k};
        case StatFamily::Transversales:
            return BetSlot{BetKind::Transversale, k};
        default:
            return std::nullopt;
    }
}

bool SlotCovers(StatFamily family, RouletteKind kind, int slot, Pocket p) {
    if (slot < 0 || slot >= SlotCount(family, kind)) return false;
    if (const auto bet = BetSlotOf(family, slot)) return Covers(*bet, p);
    switch (family) {
        case StatFamily::Finales:
            // Final 0 takes both zeros.
            if (IsNumber(p)) return p % 10 == slot;
            return slot == 0 && (p == 0 || p == DoubleZero);
        case StatFamily::Carres: {
            const PocketQuad& quad = cornerList(kind)[static_cast<std::size_t>(slot)];
            return std::find(quad.begin(), quad.end(), p) != quad.end();
        }
        case StatFamily::Chevaux: {
            const PocketPair& pair = splitList(kind)[static_cast<std::size_t>(slot)];
            return pair[0] == p || pair[1] == p;
        }
        case StatFamily::Pleins:
            return p == firstPocket(kind) + slot;
        default:
            return false;
    }
}

std::vector<StatSlot> FamilySlots(StatFamily family, RouletteKind kind) {
    const int count = SlotCount(family, kind);
    std::vector<StatSlot> slots(static_cast<std::size_t>(count));
    for (int s = 0; s < count; ++s) {
        StatSlot& slot = slots[static_cast<std::size_t>(s)];
        const int k = s + 1;
        switch (family) {
            case StatFamily::Simples:
                slot.chartLabel = simplesChartLabels[static_cast<std::size_t>(s)];
                slot.cliLabel = simplesCliLabels[static_cast<std::size_t>(s)];
                break;
            case StatFamily::DzsCols: {
                const int n = s < 3 ? k : k - 3;
                const std::string digit = std::to_string(n);
                slot.chartLabel = (s < 3 ? "Col. " : "Douz. ") + digit;
                slot.cliLabel = (s < 3 ? "col" : "doz") + digit;
                break;
            }
            case StatFamily::Sizains:
                slot.gridLabel = Joined(TwoDigits(3 * k - 2), "-", TwoDigits(3 * k + 3));
                slot.chartLabel = slot.gridLabel;
                break;
            case StatFamily::Transversales:
                slot.gridLabel = Joined(TwoDigits(3 * k - 2), "-", TwoDigits(3 * k));
                slot.chartLabel = "Tr. " + std::to_string(k);
                break;
            case StatFamily::Finales:
                slot.gridLabel = std::to_string(s);
                slot.chartLabel = "Fin. " + slot.gridLabel;
                break;
            case StatFamily::Carres: {
                const PocketQuad& quad = cornerList(kind)[static_cast<std::size_t>(s)];
                for (Pocket q : quad) {
                    if (!slot.gridLabel.empty()) slot.gridLabel += '-';
                    slot.gridLabel += TwoDigits(q);
                }
                slot.chartLabel = Joined(std::to_string(quad[0]), "\r", std::to_string(quad[3]));
                break;
            }
            case StatFamily::Chevaux: {
                const PocketPair& pair = splitList(kind)[static_cast<std::size_t>(s)];
                const std::string a = SplitPocketText(pair[0]);
                const std::string b = SplitPocketText(pair[1]);
                slot.gridLabel = Joined(a, "-", b);
                slot.chartLabel = Joined(a, "\r", b);
                break;
            }
            case StatFamily::Pleins:
                slot.gridLabel = PocketText(firstPocket(kind) + s);
                slot.chartLabel = slot.gridLabel;
                break;
        }
        if (slot.cliLabel.empty()) slot.cliLabel = slot.gridLabel;
        for (Pocket p = firstPocket(kind); p <= lastPocket(kind); ++p)
            if (SlotCovers(family, kind, s, p)) slot.pockets.push_back(p);
    }
    return slots;
}

std::vector<int> ChartPointOrder(StatFamily family, RouletteKind kind) {
    if (family == StatFamily::DzsCols) return {3, 4, 5, 0, 1, 2};
    std::vector<int> order(static_cast<std::size_t>(SlotCount(family, kind)));
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    return order;
}

}  // namespace spinalyst
