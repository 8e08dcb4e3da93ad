#include "core/draws/pocket_entry.h"

namespace spinalyst {

bool PocketEntry::Type(char c) {
    if (c < '0' || c > '9' || typed_.size() >= 3) return false;
    typed_ += c;
    return true;
}

void PocketEntry::Backspace() {
    if (!typed_.empty()) typed_.pop_back();
}

PocketEntry::Result PocketEntry::Commit(RouletteKind kind, Pocket& pocket) {
    if (typed_.empty()) return Result::Nothing;
    const auto parsed = ParsePocket(typed_, kind);
    typed_.clear();
    if (!parsed) return Result::Refused;
    pocket = *parsed;
    return Result::Accepted;
}

}  // namespace spinalyst
