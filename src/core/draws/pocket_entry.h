#pragma once

#include <optional>
#include <string>

#include "core/model/roulette.h"

namespace spinalyst {

// What the user types on the keyboard to enter a pocket: digits, then Enter.
class PocketEntry {
public:
    enum class Result { Accepted, Refused, Nothing };

    // Digits only, at most three ("000" is refused on Enter, not swallowed here).
    bool Type(char c);
    void Backspace();
    void Clear() { typed_.clear(); }
    const std::string& typed() const { return typed_; }

    // On Enter: the pocket when the typed text is one of the kind's, and the text is cleared
    // either way. Nothing typed gives Nothing.
    Result Commit(RouletteKind kind, Pocket& pocket);

private:
    std::string typed_;
};

}  // namespace spinalyst
