#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "draws/draw_log.h"
#include "draws/spin_file.h"
#include "model/roulette.h"

namespace spinalyst {

// A game file is UTF-8 CSV: this header, then one row per draw in order. "draw" counts 1, 2 ...;
// "time" is local time as YYYY-MM-DDTHH:MM:SS followed by its offset from UTC (+01:00), or
// empty; "croupier" is a name or empty for none; "pocket" is written as PocketText. A field
// that holds a comma, a quote or a line break is quoted. The file does not say its kind of
// roulette.
inline constexpr std::string_view gameFileHeader = "draw,time,croupier,pocket";

// Whether the text starts with the game file header (after a UTF-8 byte order mark).
bool IsGameFile(std::string_view text);

struct GameFile {
    DrawLog log;
    // Croupier number k (as recorded in the log) is croupierNames[k - 1]; the numbers follow
    // the order in which the names first appear.
    std::vector<std::string> croupierNames;
    // The first row that breaks the format, by line (column 0: the row as a whole). On an
    // error the log and the names are empty.
    std::optional<ParseError> error;
    bool ok() const { return !error.has_value(); }
};

// Accepts LF, CRLF or CR line ends, a byte order mark and empty lines at the end of the file.
// A time without its offset (as older files hold them) is local time; in the hour repeated when
// the clocks go back it is the first pass of that hour. An offset may also be written "Z".
GameFile ParseGameFile(std::string_view text, RouletteKind kind);

// The name of a croupier number, or nullopt when there is none.
using CroupierNameLookup = std::function<std::optional<std::string>(std::int32_t)>;

// The log as a game file. A croupier without a name, or with an empty one, is written as no
// croupier; a time the format cannot hold (a year beyond 9999) is written empty.
std::string WriteGameFile(const DrawLog& log, const CroupierNameLookup& croupierName);

}  // namespace spinalyst
