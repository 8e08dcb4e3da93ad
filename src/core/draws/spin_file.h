#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/roulette.h"

namespace spinalyst {

// Where a text file went wrong: line and column are 1-based, the column in characters; column 0
// when the whole line is at fault.
struct ParseError {
    int line = 0;
    int column = 0;
    std::string token;
    std::string message;
};

// "NAME:LINE:COLUMN: message", the way compilers report errors ("NAME:LINE: message" without a
// column).
std::string FormatParseError(std::string_view fileName, const ParseError& error);

// A spin list: pockets separated by white space, "," or ";"; "00" is 37; "#" starts a comment
// that runs to the end of the line. On an error no pocket is returned.
struct SpinList {
    std::vector<Pocket> pockets;
    std::optional<ParseError> error;
    bool ok() const { return !error.has_value(); }
};

SpinList ParseSpinList(std::string_view text, RouletteKind kind);
// The pockets of any wheel ("00" included), for a caller that settles the kind afterwards.
SpinList ParseSpinListOfAnyKind(std::string_view text);

}  // namespace spinalyst
