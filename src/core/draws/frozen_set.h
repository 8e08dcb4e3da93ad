#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/roulette.h"

namespace spinalyst {

struct GameFileNote;

// Pockets a player froze after seeing `drawCount` draws, to be tested on the draws after only.
struct FrozenSet {
    int drawCount = 0;
    // Distinct pockets of the game's kind, in the order chosen.
    std::vector<Pocket> pockets;
    friend bool operator==(const FrozenSet&, const FrozenSet&) = default;
};

// Whether the pockets can be frozen: at least one, each a pocket of the kind, none twice.
bool ValidFrozenPockets(const std::vector<Pocket>& pockets, RouletteKind kind);

// A game file keeps the freeze as the comment line "#freeze=F;pockets=17,20", which readers
// that do not know it skip; "#freeze=" clears an earlier one.
inline constexpr std::string_view freezeNoteKey = "freeze";
// "F;pockets=17,20" (00 as "00").
std::string FreezeNoteValue(const FrozenSet& freeze);
// The freeze a note's value holds; nullopt when it is empty or malformed, or names a pocket the
// kind does not have or one twice.
std::optional<FrozenSet> ParseFreezeNote(std::string_view value, RouletteKind kind);
// The freeze a game's notes leave in force: that of their last freeze note.
std::optional<FrozenSet> FreezeOfNotes(std::span<const GameFileNote> notes, RouletteKind kind);

// Why a list of pockets was refused: no pocket at all, a word that is no pocket of the kind,
// or a pocket given twice (the word as typed).
struct PocketListFault {
    enum class Kind { Empty, NotAPocket, Twice };
    Kind kind = Kind::Empty;
    std::string word;
    friend bool operator==(const PocketListFault&, const PocketListFault&) = default;
};
// Pockets as a player types them, separated by commas, spaces or semicolons: distinct pockets
// of the kind, at least one; nullopt otherwise, with the first fault in *fault when given.
std::optional<std::vector<Pocket>> ParsePocketList(std::string_view text, RouletteKind kind,
                                                   PocketListFault* fault = nullptr);

}  // namespace spinalyst
