#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/draws/draw_log.h"
#include "core/draws/file_time.h"
#include "core/draws/spin_file.h"
#include "core/model/roulette.h"

namespace spinalyst {

// A game file is UTF-8 CSV: an optional kind line ("#kind=french"), this header, then one row
// per draw in order. "draw" counts 1, 2 ...; "time" is local time as YYYY-MM-DDTHH:MM:SS
// followed by its offset from UTC (+01:00), or empty; "croupier" is a name or empty for none;
// "pocket" is written as PocketText. A field that holds a comma, a quote or a line break is
// quoted.
inline constexpr std::string_view gameFileHeader = "draw,time,croupier,pocket";
// The header of a game whose draws name their wheel (a name, or empty for none) and the
// direction of their spin ("cw", "ccw", or empty when unknown). A game without either is
// written with the four columns, which older versions read.
inline constexpr std::string_view gameFileWideHeader = "draw,time,croupier,pocket,wheel,direction";

inline constexpr std::string_view kindLinePrefix = "#kind=";

// A comment line after the header: "#" first, then key=value. Readers skip the keys they do not
// know, so later versions keep facts beside the draws in them ("#stakes=...") and older
// versions still read the draws. A note stands where it was written: after `afterDraw` rows.
struct GameFileNote {
    std::string key;
    std::string value;
    int afterDraw = 0;
    friend bool operator==(const GameFileNote&, const GameFileNote&) = default;
};

// The keys of the notes this program writes: the stakes in force, and, in the journal alone,
// the file the game belongs to.
inline constexpr std::string_view stakesNoteKey = "stakes";
inline constexpr std::string_view fileNoteKey = "file";

// "#key=value" and its line end. A "%", carriage return or line feed in the value is written as
// %25, %0D or %0A, so that a note is always one line.
std::string NoteLine(std::string_view key, std::string_view value);
// The note a comment line holds (without its line end); a line without "=" is a note with an
// empty key.
GameFileNote ReadNoteLine(std::string_view line, int afterDraw);

// Whether the text starts with a game file header (either), or a kind line and the header
// (after a UTF-8 byte order mark).
bool IsGameFile(std::string_view text);

// "#kind=american", "#kind=french" or "#kind=nozero", without its line end.
std::string KindLine(RouletteKind kind);

// The kind a file without kind line takes: `current` when it holds every pocket, else the
// smallest kind that does (no zero, then one zero, then two).
RouletteKind KindHolding(std::span<const std::uint8_t> pockets, RouletteKind current);

// How a reader settles the kind of a file. A forced kind (the command line's --kind) wins over
// the file's kind line; without either, the file takes `current` when every pocket belongs to
// it, else the smallest kind that holds them all.
struct KindRule {
    std::optional<RouletteKind> forced;
    RouletteKind current = defaultKind;
};

struct GameFile {
    // The kind the pockets were read as.
    RouletteKind kind = defaultKind;
    // What the file's kind line says; nullopt without one.
    std::optional<RouletteKind> statedKind;
    DrawLog log;
    // Croupier number k (as recorded in the log) is croupierNames[k - 1]; the numbers follow
    // the order in which the names first appear.
    std::vector<std::string> croupierNames;
    // The comment lines after the header, in the order of the file.
    std::vector<GameFileNote> notes;
    // The same for the wheels.
    std::vector<std::string> wheelNames;
    // The first row that breaks the format, by line (column 0: the row as a whole). On an
    // error the log and the names are empty.
    std::optional<ParseError> error;
    bool ok() const { return !error.has_value(); }
};

// Accepts LF, CRLF or CR line ends, a byte order mark and empty lines at the end of the file.
// A time without its offset (as older files hold them) is local time; in the hour repeated when
// the clocks go back it is the first pass of that hour. An offset may also be written "Z".
GameFile ParseGameFile(std::string_view text, const KindRule& rule);
// Every pocket read as `kind`, whatever the file's kind line says.
GameFile ParseGameFile(std::string_view text, RouletteKind kind);
// ParseGameFile with every row taken apart field by field, without its shortcut for rows made
// like the one before: the reference the shortcut is checked against.
GameFile ParseGameFileRowByRow(std::string_view text, const KindRule& rule);

// How the program opens a file and the command line reads one, decided in one place: a game
// file, or else a spin list (its draws without time or croupier), as one game. A spin list's
// kind is settled from its pockets as a game file's is; a file of nothing but white space is
// a game of no draw. A text whose first line starts as no spin list's could (with a word) is
// read as the game file it was meant to be, so that its error is that of one.
GameFile ParseGameOrSpinList(std::string_view text, const KindRule& rule);

// What can be read of a damaged game file: every row that keeps the format, in the order of the
// file and numbered on from the rows before it; a row that breaks it is skipped alone (its first
// line, when an unclosed quote ran it on), and empty lines are passed over. Only a kind line or
// header that cannot be read refuses the file, as ParseGameFile does.
struct SalvagedGame {
    GameFile game;
    // The lines left out, 1-based, in order.
    std::vector<int> damagedLines;
};
SalvagedGame SalvageGameFile(std::string_view text, const KindRule& rule);

// The name of a croupier number, or nullopt when there is none; the same for wheels.
using CroupierNameLookup = std::function<std::optional<std::string>(std::int32_t)>;
using WheelNameLookup = CroupierNameLookup;

// The log as a game file, its kind line first, with the wheel and direction columns when some
// draw has either (NeedsWideRows). A croupier or wheel without a name, or with an empty one, is
// written as none; a time the format cannot hold (a year beyond 9999) is written empty. Notes
// go after the rows they follow (by afterDraw, in the order given).
std::string WriteGameFile(const DrawLog& log, RouletteKind kind,
                          const CroupierNameLookup& croupierName,
                          const WheelNameLookup& wheelName = {},
                          std::span<const GameFileNote> notes = {});
bool NeedsWideRows(const DrawLog& log);

// The kind line and the header, each with its line end: a game file of no draw.
std::string GameFileHead(RouletteKind kind, bool wide = false);

// Appends the rows of draws first ... last of the log to out, as WriteGameFile writes them.
// Times are written an hour of the zone at a time, and a croupier's name is looked up and
// quoted once per run of their draws, so that a game of millions of draws is written in a
// blink. A writer keeps the names it read: make one for each writing.
class GameFileRowWriter {
public:
    // Wide rows carry the wheel and direction columns.
    explicit GameFileRowWriter(CroupierNameLookup croupierName, WheelNameLookup wheelName = {},
                               bool wide = false)
        : croupiers_(std::move(croupierName)), wheels_(std::move(wheelName)), wide_(wide) {}
    // Draw n is numbered n + numberOffset in the file, for a log that holds part of a game.
    void AppendRows(std::string& out, const DrawLog& log, int first, int last,
                    int numberOffset = 0);

private:
    // A column of names by number: the name of the last row that had one, as the file writes
    // it, is kept, since draws come in runs of one croupier or one wheel.
    struct NameColumn {
        explicit NameColumn(CroupierNameLookup lookup) : name(std::move(lookup)) {}
        CroupierNameLookup name;
        std::int32_t number = 0;
        std::string text;
        const std::string& TextOf(std::int32_t n);
    };
    NameColumn croupiers_;
    NameColumn wheels_;
    bool wide_ = false;
    FileTimeWriter times_;
};

}  // namespace spinalyst
