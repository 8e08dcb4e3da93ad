#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/bet_slots.h"
#include "core/model/roulette.h"

namespace spinalyst {

// The bet families that have a statistics view of their own, in tab order.
enum class StatFamily {
    Simples,
    DzsCols,
    Sizains,
    Transversales,
    Finales,
    Carres,
    Chevaux,
    Pleins
};

inline constexpr std::array<StatFamily, 8> allStatFamilies = {
    StatFamily::Simples, StatFamily::DzsCols, StatFamily::Sizains, StatFamily::Transversales,
    StatFamily::Finales, StatFamily::Carres,  StatFamily::Chevaux, StatFamily::Pleins};

// Command-line names: simples, dzscols, sizains, transversales, finales, carres, chevaux, pleins.
std::string_view StatFamilyName(StatFamily family);
std::optional<StatFamily> StatFamilyFromName(std::string_view name);

// Number of slots of the family for the kind: 6, 6, 11, 12, 10, the corners and splits of the
// kind's statistics lists, and one per pocket of the kind.
int SlotCount(StatFamily family, RouletteKind kind);

// The bet slot that wins exactly when the family's slot (0-based) is hit, for the families
// that have one: the even chances, columns and dozens, six-lines and streets.
std::optional<BetSlot> BetSlotOf(StatFamily family, int slot);

// Whether slot (0-based, in slot order) of the family wins when p is drawn. The green pockets
// are covered only by final 0 (both 0 and 00), by the corners and splits that hold them and by
// their own straight number.
bool SlotCovers(StatFamily family, RouletteKind kind, int slot, Pocket p);

// One slot of a family as the views show it.
struct StatSlot {
    // Left empty for the even chances, columns and dozens, whose grid shows a language text.
    std::string gridLabel;
    // May hold a carriage return, for the two-line labels of corners and splits.
    std::string chartLabel;
    // The machine-readable name: red, col1 ... for the even chances, columns and dozens;
    // otherwise the grid label.
    std::string cliLabel;
    // The pockets of the kind that the slot covers, ascending (00 last).
    std::vector<Pocket> pockets;
};

// The family's slots in slot order; the grid rows follow this order.
std::vector<StatSlot> FamilySlots(StatFamily family, RouletteKind kind);

// Slot indexes in the order of the chart points. Slot order, except that the columns and
// dozens chart shows the dozens first.
std::vector<int> ChartPointOrder(StatFamily family, RouletteKind kind);

}  // namespace spinalyst
