#include "core/draws/game_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstring>
#include <unordered_map>

#include "core/draws/file_time.h"
#include "core/store/csv_field.h"
#include "core/store/text_encoding.h"
#include "core/store/text_lines.h"

namespace spinalyst {

namespace {

// The fields a row may have: four, and the wheel and direction when the header names them.
constexpr std::size_t maxFields = 6;

// The bytes that end an unquoted field: a comma, a quote (an error there) or a line end.
constexpr std::array<bool, 256> fieldStops = [] {
    std::array<bool, 256> stops{};
    for (const unsigned char c : {',', '"', '\r', '\n'}) stops[c] = true;
    return stops;
}();

// Eight bytes at a time, for the scans that run over every byte of the rows.
constexpr std::uint64_t eachByte = 0x0101010101010101;
constexpr std::uint64_t lowBits = 0x7F7F7F7F7F7F7F7F;

// The high bit of each byte of w that equals c, and no other bit.
std::uint64_t BytesEqual(std::uint64_t w, char c) {
    const std::uint64_t x = w ^ (eachByte * static_cast<unsigned char>(c));
    return ~(((x & lowBits) + lowBits) | x | lowBits);
}

std::uint64_t Load8(const char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// The first comma, quote or line end at or after p, or end.
const char* FindFieldStop(const char* p, const char* end) {
    for (; end - p >= 8; p += 8) {
        const std::uint64_t w = Load8(p);
        const std::uint64_t stops =
            BytesEqual(w, ',') | BytesEqual(w, '"') | BytesEqual(w, '\r') | BytesEqual(w, '\n');
        if constexpr (std::endian::native == std::endian::little) {
            if (stops != 0) return p + std::countr_zero(stops) / 8;
        } else {
            if (stops != 0) return p + std::countl_zero(stops) / 8;
        }
    }
    while (p < end && !fieldStops[static_cast<unsigned char>(*p)]) ++p;
    return p;
}

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

// One record of the rows, its fields as read.
struct Record {
    std::array<std::string_view, maxFields> fields;
    // How many fields it has, those beyond the six included.
    std::size_t count = 0;
    // The line end that closed it; empty at the end of the text.
    std::string_view end;
    const char* error = nullptr;
};

// Reads the rows as CSV records in one pass over their bytes, without a copy: a field is a
// view of the text, or of a buffer kept for its place when doubled quotes had to be undone. A
// quoted field may hold commas, doubled quotes and line breaks; LF, CR LF and a lone CR each
// end a line, as TakeLine counts them.
class RecordReader {
public:
    explicit RecordReader(std::string_view text) : text_(text) {}

    bool done() const { return at_ >= text_.size(); }
    std::size_t at() const { return at_; }

    // Takes the next line when it is empty.
    bool TakeEmptyLine() {
        if (!IsLineEnd(text_[at_])) return false;
        at_ += LineEndSize(at_);
        return true;
    }

    // Whether the next line is a comment line, a note.
    bool AtNote() const { return text_[at_] == '#'; }

    // Takes the next line whole, quotes or not: a note, or the first line of a damaged row.
    std::string_view TakeLine() {
        std::size_t i = at_;
        while (i < text_.size() && !IsLineEnd(text_[i])) ++i;
        const std::string_view line = text_.substr(at_, i - at_);
        at_ = i < text_.size() ? i + LineEndSize(i) : i;
        return line;
    }

    void Rewind(std::size_t at) { at_ = at; }

    // Reads the record that starts here; `line` counts the line breaks inside quoted fields.
    // After an error the reader stands where it was.
    Record Next(int& line) {
        Record record;
        const char* const d = text_.data();
        const std::size_t size = text_.size();
        std::size_t i = at_;
        for (;;) {
            std::string_view field;
            if (i < size && d[i] == '"') {
                const std::size_t from = ++i;
                std::string* undone = nullptr;
                std::size_t copied = from;
                for (;;) {
                    while (i < size && d[i] != '"' && !IsLineEnd(d[i])) ++i;
                    if (i >= size) {
                        record.error = "a quoted field has no closing quote";
                        return record;
                    }
                    if (d[i] != '"') {
                        i += LineEndSize(i);
                        ++line;
                        continue;
                    }
                    if (i + 1 >= size || d[i + 1] != '"') break;
                    if (!undone) {
                        undone = &buffers_[std::min(record.count, maxFields)];
                        undone->clear();
                    }
                    undone->append(d + copied, i + 1 - copied);
                    i += 2;
                    copied = i;
                }
                if (undone) {
                    undone->append(d + copied, i - copied);
                    field = *undone;
                } else {
                    field = std::string_view(d + from, i - from);
                }
                ++i;  // the closing quote
                if (i < size && d[i] != ',' && !IsLineEnd(d[i])) {
                    record.error = "a closing quote must end its field";
                    return record;
                }
            } else {
                const std::size_t from = i;
                i = static_cast<std::size_t>(FindFieldStop(d + i, d + size) - d);
                if (i < size && d[i] == '"') {
                    record.error = "a field that holds a quote must be quoted";
                    return record;
                }
                field = std::string_view(d + from, i - from);
            }
            if (record.count < maxFields) record.fields[record.count] = field;
            ++record.count;
            if (i < size && d[i] == ',') {
                ++i;
                continue;
            }
            const std::size_t endSize = i < size ? LineEndSize(i) : 0;
            record.end = text_.substr(i, endSize);
            at_ = i + endSize;
            return record;
        }
    }

private:
    std::size_t LineEndSize(std::size_t i) const {
        return text_[i] == '\r' && i + 1 < text_.size() && text_[i + 1] == '\n' ? 2 : 1;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    // One for each field, and one for any field beyond them.
    std::array<std::string, maxFields + 1> buffers_;
};

// The text of a record that breaks the format, as the error shows it: its lines up to the one
// where its quotes are even again, or the rest of the text.
std::string_view BrokenRecord(std::string_view rest) {
    const char* const begin = rest.data();
    TextLine read = TakeLine(rest);
    bool inQuotes = std::count(read.text.begin(), read.text.end(), '"') % 2 == 1;
    while (inQuotes && !rest.empty()) {
        read = TakeLine(rest);
        inQuotes = inQuotes != (std::count(read.text.begin(), read.text.end(), '"') % 2 == 1);
    }
    return std::string_view(begin,
                            static_cast<std::size_t>(read.text.data() - begin) + read.text.size());
}

// Whether the text is the number as written in decimal: digits, without a sign or a leading
// zero.
bool IsNumber(std::string_view text, int number) {
    if (text.empty() || text.size() > 10 || text[0] == '0') return false;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value == number;
}

// ParsePocket, quicker for the one or two digits of almost every row; -1 for no pocket.
Pocket ReadPocket(std::string_view text, RouletteKind kind) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    Pocket p = -1;
    if (text.size() == 1 && digit(text[0]))
        p = text[0] - '0';
    else if (text.size() == 2 && text[0] != '0' && digit(text[0]) && digit(text[1]))
        p = (text[0] - '0') * 10 + (text[1] - '0');
    else
        return ParsePocket(text, kind).value_or(-1);
    return p <= 36 && IsPocketOf(kind, p) ? p : -1;
}

// Whether a text that is no game file was meant as one, so that its error is the game
// file's: its first line starts as no spin list could (a spin list may begin with a comment
// like a kind line).
bool MeantAsGameFile(std::string_view text) {
    text = WithoutByteOrderMark(text);
    if (text.empty()) return false;
    const std::string_view first = TakeLine(text).text;
    const std::size_t start = first.find_first_not_of(" \t,;");
    if (start == std::string_view::npos) return false;
    const char c = first[start];
    return c != '#' && (c < '0' || c > '9');
}

// Numbers names in the order they first come, as the log records croupiers and wheels: name k
// is names[k - 1], the empty name is 0.
class NameNumbers {
public:
    explicit NameNumbers(std::vector<std::string>& names) : names_(names) {}

    // nullopt for a new name that is not UTF-8.
    std::optional<std::int32_t> NumberOf(std::string_view name) {
        if (name.empty()) return 0;
        // Rows of one croupier, or of one wheel, follow each other: the last name read saves
        // most look-ups.
        if (lastNumber_ != 0 && name == last_) return lastNumber_;
        auto it = numbers_.find(name);
        if (it == numbers_.end()) {
            // A name is checked once, when it first comes.
            if (!IsValidUtf8(name)) return std::nullopt;
            names_.emplace_back(name);
            it = numbers_.emplace(name, static_cast<std::int32_t>(names_.size())).first;
        }
        last_ = name;
        lastNumber_ = it->second;
        lastPlain_ = last_.find_first_of(",\"\r\n") == std::string::npos;
        return lastNumber_;
    }

    // The end of the unquoted name at p when it is empty or the last name read and a comma
    // follows it, with its number; nullptr for any other field.
    const char* SameAsLast(const char* p, const char* end, std::int32_t& number) const {
        if (p < end && *p == ',') {
            number = 0;
            return p;
        }
        // A name that needed quotes is never the same bytes unquoted.
        if (lastNumber_ == 0 || !lastPlain_) return nullptr;
        const std::size_t size = last_.size();
        if (static_cast<std::size_t>(end - p) <= size || p[size] != ',' ||
            std::memcmp(p, last_.data(), size) != 0)
            return nullptr;
        number = lastNumber_;
        return p + size;
    }

private:
    // Names looked up by a view of the text, without a string made for each row.
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const {
            return std::hash<std::string_view>{}(name);
        }
    };
    std::vector<std::string>& names_;
    std::unordered_map<std::string, std::int32_t, Hash, std::equal_to<>> numbers_;
    std::string last_;
    std::int32_t lastNumber_ = 0;
    bool lastPlain_ = false;
};

// The decimal text of a draw number, counted up as text, so that a row's number is checked by
// comparing its bytes.
class NumberText {
public:
    std::string_view text() const { return {digits_.data(), size_}; }
    void Advance() {
        for (std::size_t i = size_; i-- > 0;) {
            if (digits_[i] != '9') {
                ++digits_[i];
                return;
            }
            digits_[i] = '0';
        }
        digits_[0] = '1';
        digits_[size_++] = '0';
    }

private:
    std::array<char, 16> digits_{'1'};
    std::size_t size_ = 1;
};

// What a row made like most rows of a game is read with: the rows read so far leave the next
// draw number, the hour and offset of the last time, and the last croupier and wheel.
struct CommonRowState {
    NumberText draw;
    FileTimeReader& times;
    NameNumbers& croupiers;
    NameNumbers& wheels;
    // Whether each pocket number of the kind read is a pocket of it.
    std::array<bool, 37> pockets;
    bool wide = false;
};

// The draw of a row made like most rows of a game: the draw number expected, a time of the
// last time's hour and offset or none, the last croupier or none, a pocket of one or two
// digits, and in wide rows the last wheel or none and a direction, then the line end; `next`
// is where the row after it starts. nullopt for a row of any other make, which the general
// reader then takes apart field by field: a row is only taken here where that reader would
// read the same draw from it, so that its errors and their lines stay its own.
struct CommonDraw {
    Pocket pocket;
    std::optional<DrawTime> time;
    std::int32_t croupier;
    std::int32_t wheel;
    SpinDirection direction;
    const char* next;
};
std::optional<CommonDraw> ReadCommonRow(const char* p, const char* end, CommonRowState& state) {
    CommonDraw d{};
    const std::string_view number = state.draw.text();
    if (static_cast<std::size_t>(end - p) <= number.size() || p[number.size()] != ',' ||
        std::memcmp(p, number.data(), number.size()) != 0)
        return std::nullopt;
    p += number.size() + 1;
    if (p >= end) return std::nullopt;
    if (*p != ',') {
        DrawTime t = 0;
        if (const char* comma = state.times.ReadSameHour(p, end, t)) {
            if (t < firstDrawTime || t > lastDrawTime) return std::nullopt;
            d.time = t;
            p = comma;
        } else {
            // A time with the offset as written (+HH:MM, Z, +HH:MM:SS) or without: the reader
            // checks every byte of it, so no comma, quote or line end is inside.
            std::size_t size = 0;
            for (const std::size_t s : {25, 19, 20, 28})
                if (static_cast<std::size_t>(end - p) > s && p[s] == ',') {
                    size = s;
                    break;
                }
            if (size == 0) return std::nullopt;
            d.time = state.times.Read(std::string_view(p, size));
            if (!d.time || *d.time < firstDrawTime || *d.time > lastDrawTime) return std::nullopt;
            p += size;
        }
    }
    ++p;
    p = state.croupiers.SameAsLast(p, end, d.croupier);
    if (!p) return std::nullopt;
    ++p;
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (p >= end || !digit(*p)) return std::nullopt;
    int pocket = *p++ - '0';
    if (p < end && digit(*p)) {
        if (pocket == 0) return std::nullopt;
        pocket = pocket * 10 + (*p++ - '0');
    }
    if (pocket > 36 || !state.pockets[static_cast<std::size_t>(pocket)]) return std::nullopt;
    d.pocket = static_cast<Pocket>(pocket);
    if (state.wide) {
        if (p >= end || *p != ',') return std::nullopt;
        p = state.wheels.SameAsLast(p + 1, end, d.wheel);
        if (!p) return std::nullopt;
        const char* const from = ++p;
        while (p < end && (*p == 'c' || *p == 'w')) ++p;
        const auto direction = DirectionFromText(std::string_view(from, p - from));
        if (!direction) return std::nullopt;
        d.direction = *direction;
    }
    if (p < end) {
        if (*p == '\n')
            ++p;
        else if (*p != '\r')
            return std::nullopt;
        else
            p += end - p > 1 && p[1] == '\n' ? 2 : 1;
    }
    d.next = p;
    return d;
}

}  // namespace

std::string NoteLine(std::string_view key, std::string_view value) {
    std::string line = "#";
    line += key;
    line += '=';
    for (const char c : value) {
        if (c == '%')
            line += "%25";
        else if (c == '\r')
            line += "%0D";
        else if (c == '\n')
            line += "%0A";
        else
            line += c;
    }
    line += '\n';
    return line;
}

GameFileNote ReadNoteLine(std::string_view line, int afterDraw) {
    GameFileNote note;
    note.afterDraw = afterDraw;
    if (line.starts_with('#')) line.remove_prefix(1);
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        note.value = std::string(line);
        return note;
    }
    note.key = std::string(line.substr(0, equals));
    const std::string_view value = line.substr(equals + 1);
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string_view code = value.substr(i, 3);
        if (code == "%25" || code == "%0D" || code == "%0A") {
            note.value += code == "%25" ? '%' : code == "%0D" ? '\r' : '\n';
            i += 2;
        } else {
            note.value += value[i];
        }
    }
    return note;
}

bool IsGameFile(std::string_view text) {
    text = WithoutByteOrderMark(text);
    if (text.empty()) return false;
    std::string_view first = TakeLine(text).text;
    if (first.starts_with(kindLinePrefix) && !text.empty()) first = TakeLine(text).text;
    return first == gameFileHeader || first == gameFileWideHeader;
}

std::string KindLine(RouletteKind kind) {
    return std::string(kindLinePrefix) + std::string(KindName(kind));
}

RouletteKind KindHolding(std::span<const std::uint8_t> pockets, RouletteKind current) {
    bool zero = false, doubleZero = false;
    for (const std::uint8_t p : pockets) {
        zero = zero || p == 0;
        doubleZero = doubleZero || p == DoubleZero;
    }
    const auto holds = [&](RouletteKind k) {
        return (!zero || IsPocketOf(k, 0)) && (!doubleZero || IsPocketOf(k, DoubleZero));
    };
    if (holds(current)) return current;
    for (RouletteKind k : {RouletteKind::NoZero, RouletteKind::French, RouletteKind::American})
        if (holds(k)) return k;
    return RouletteKind::American;
}

GameFile ParseGameFile(std::string_view text, RouletteKind kind) {
    return ParseGameFile(text, KindRule{kind, kind});
}

namespace {

GameFile ReadGameFile(std::string_view text, const KindRule& rule, bool commonRows) {
    GameFile result;
    auto fail = [&](int line, std::string_view token, std::string message) {
        result.log.Clear();
        result.croupierNames.clear();
        result.notes.clear();
        result.wheelNames.clear();
        result.error = ParseError{line, 0, std::string(token), std::move(message)};
        return std::move(result);
    };

    text = WithoutByteOrderMark(text);
    TextLine header = text.empty() ? TextLine{} : TakeLine(text);
    int line = 1;
    if (header.text.starts_with(kindLinePrefix)) {
        const std::string_view name = header.text.substr(kindLinePrefix.size());
        result.statedKind = KindFromName(name);
        if (!result.statedKind)
            return fail(1, header.text,
                        "'" + std::string(header.text) +
                            "' is no kind line: #kind=american, #kind=french or #kind=nozero");
        header = text.empty() ? TextLine{} : TakeLine(text);
        line = 2;
    }
    const bool wide = header.text == gameFileWideHeader;
    const std::size_t columns = wide ? 6 : 4;
    if (header.text != gameFileHeader && !wide)
        return fail(line, header.text,
                    "the " + std::string(line == 1 ? "first" : "second") + " line must be '" +
                        std::string(gameFileHeader) + "' or '" + std::string(gameFileWideHeader) +
                        "'");
    // Without a kind to read them as, pockets are read as the widest wheel's and the kind
    // settled once all are known.
    const std::optional<RouletteKind> known = rule.forced ? rule.forced : result.statedKind;
    const RouletteKind readAs = known.value_or(RouletteKind::American);
    const std::string wheelWords =
        known ? "the " + std::string(KindName(*known)) + " wheel" : std::string("any wheel");

    NameNumbers croupiers(result.croupierNames);
    NameNumbers wheels(result.wheelNames);
    FileTimeReader times;
    RecordReader rows(text);
    CommonRowState common{{}, times, croupiers, wheels, {}, wide};
    for (Pocket p = 0; p <= 36; ++p)
        common.pockets[static_cast<std::size_t>(p)] = IsPocketOf(readAs, p);
    constexpr int rowsBeforeReserve = 4096;
    // Once the first rows tell how long a row is, room for the rest is made at once.
    const auto appended = [&] {
        common.draw.Advance();
        if (result.log.drawCount() == rowsBeforeReserve)
            result.log.Reserve(static_cast<std::size_t>(static_cast<double>(text.size()) /
                                                            static_cast<double>(rows.at()) *
                                                            rowsBeforeReserve * 1.05 +
                                                        16));
    };
    int firstEmptyLine = 0;
    while (!rows.done()) {
        const int rowLine = ++line;
        if (rows.TakeEmptyLine()) {
            if (firstEmptyLine == 0) firstEmptyLine = rowLine;
            continue;
        }
        if (rows.AtNote()) {
            result.notes.push_back(ReadNoteLine(rows.TakeLine(), result.log.drawCount()));
            continue;
        }
        if (firstEmptyLine != 0)
            return fail(firstEmptyLine, "", "an empty line may only come after the last row");

        const std::size_t start = rows.at();
        if (commonRows) {
            if (const auto d =
                    ReadCommonRow(text.data() + start, text.data() + text.size(), common)) {
                result.log.Append(d->pocket, d->time, d->croupier, d->wheel, d->direction);
                rows.Rewind(static_cast<std::size_t>(d->next - text.data()));
                appended();
                continue;
            }
        }
        const Record row = rows.Next(line);
        if (row.error) return fail(rowLine, BrokenRecord(text.substr(start)), row.error);
        if (row.count != columns) {
            const std::string_view raw = text.substr(start, rows.at() - row.end.size() - start);
            // A carriage return ends a line, so one in an unquoted name cuts its row short.
            const bool cutByCr = row.count < columns && row.end == "\r" && header.end != "\r";
            return fail(rowLine, raw,
                        "a row has " + std::to_string(columns) + " fields (" +
                            std::string(header.text) + "), this one " + std::to_string(row.count) +
                            (cutByCr ? ": a carriage return ends it; a field holding one must "
                                       "be quoted"
                                     : ""));
        }
        const auto [draw, time, croupier, pocketText, wheel, directionText] = row.fields;

        const int expected = result.log.drawCount() + 1;
        if (!IsNumber(draw, expected))
            return fail(rowLine, draw,
                        "draw '" + std::string(draw) + "' where draw " + std::to_string(expected) +
                            " was expected");
        std::optional<DrawTime> when;
        if (!time.empty()) {
            when = times.Read(time);
            if (!when)
                return fail(rowLine, time,
                            "'" + std::string(time) + "' is not a time YYYY-MM-DDTHH:MM:SS+HH:MM");
            if (*when < firstDrawTime || *when > lastDrawTime)
                return fail(rowLine, time, "'" + std::string(time) + "' lies outside 1970 to 2106");
        }
        const auto number = croupiers.NumberOf(croupier);
        if (!number) return fail(rowLine, croupier, "the croupier is not UTF-8");
        const Pocket pocket = ReadPocket(pocketText, readAs);
        if (pocket < 0)
            return fail(rowLine, pocketText,
                        "'" + std::string(pocketText) + "' is not a pocket of " + wheelWords);
        const auto wheelNumber = wheels.NumberOf(wheel);
        if (!wheelNumber) return fail(rowLine, wheel, "the wheel is not UTF-8");
        const auto direction = DirectionFromText(directionText);
        if (!direction)
            return fail(rowLine, directionText,
                        "'" + std::string(directionText) + "' is no direction: cw, ccw or nothing");
        result.log.Append(pocket, when, *number, *wheelNumber, *direction);
        appended();
    }
    result.kind = known ? *known : KindHolding(result.log.draws(), rule.current);
    return result;
}

}  // namespace

GameFile ParseGameFile(std::string_view text, const KindRule& rule) {
    return ReadGameFile(text, rule, true);
}

GameFile ParseGameFileRowByRow(std::string_view text, const KindRule& rule) {
    return ReadGameFile(text, rule, false);
}

GameFile ParseGameOrSpinList(std::string_view text, const KindRule& rule) {
    if (IsGameFile(text) || MeantAsGameFile(text)) return ParseGameFile(text, rule);
    GameFile result;
    SpinList list = rule.forced ? ParseSpinList(text, *rule.forced) : ParseSpinListOfAnyKind(text);
    if (!list.ok()) {
        result.error = std::move(list.error);
        return result;
    }
    result.log.Reserve(list.pockets.size());
    for (Pocket p : list.pockets) result.log.Append(p, std::nullopt, 0);
    result.kind = rule.forced ? *rule.forced : KindHolding(result.log.draws(), rule.current);
    return result;
}

SalvagedGame SalvageGameFile(std::string_view text, const KindRule& rule) {
    SalvagedGame salvaged;
    GameFile& result = salvaged.game;
    text = WithoutByteOrderMark(text);
    // The kind line and the header, read as a whole file reads them.
    std::string_view rest = text;
    int line = 0;
    if (!rest.empty() && TakeLine(rest).text.starts_with(kindLinePrefix) && !rest.empty()) {
        TakeLine(rest);
        ++line;
    }
    ++line;
    const GameFile head =
        ParseGameFile(text.substr(0, static_cast<std::size_t>(rest.data() - text.data())), rule);
    if (!head.ok()) {
        result.error = head.error;
        return salvaged;
    }
    result.statedKind = head.statedKind;
    const std::optional<RouletteKind> known = rule.forced ? rule.forced : head.statedKind;
    const RouletteKind readAs = known.value_or(RouletteKind::American);

    NameNumbers croupiers(result.croupierNames);
    NameNumbers wheels(result.wheelNames);
    const std::string_view headText =
        text.substr(0, static_cast<std::size_t>(rest.data() - text.data()));
    const std::size_t columns = headText.find(gameFileWideHeader) != std::string_view::npos ? 6 : 4;
    FileTimeReader times;
    RecordReader rows(rest);
    while (!rows.done()) {
        const int rowLine = ++line;
        if (rows.TakeEmptyLine()) continue;
        if (rows.AtNote()) {
            result.notes.push_back(ReadNoteLine(rows.TakeLine(), result.log.drawCount()));
            continue;
        }
        const std::size_t start = rows.at();
        const Record row = rows.Next(line);
        // The draw number need only be a number: the rows kept are numbered on from each other.
        const auto [draw, time, croupier, pocketText, wheel, directionText] = row.fields;
        const bool numbered = !draw.empty() && draw.size() <= 9 && draw[0] != '0' &&
                              draw.find_first_not_of("0123456789") == std::string_view::npos;
        std::optional<DrawTime> when;
        bool fine = !row.error && row.count == columns && numbered && IsValidUtf8(croupier) &&
                    IsValidUtf8(wheel);
        if (fine && !time.empty()) {
            when = times.Read(time);
            fine = when && *when >= firstDrawTime && *when <= lastDrawTime;
        }
        const Pocket pocket = fine ? ReadPocket(pocketText, readAs) : -1;
        const auto direction = DirectionFromText(directionText);
        if (pocket < 0 || !direction) {
            // Only the first line is left out: a stray quote must not take the rows after it.
            salvaged.damagedLines.push_back(rowLine);
            rows.Rewind(start);
            rows.TakeLine();
            line = rowLine;
            continue;
        }
        result.log.Append(pocket, when, croupiers.NumberOf(croupier).value_or(0),
                          wheels.NumberOf(wheel).value_or(0), *direction);
    }
    result.kind = known ? *known : KindHolding(result.log.draws(), rule.current);
    return salvaged;
}

std::string GameFileHead(RouletteKind kind, bool wide) {
    return KindLine(kind) + "\n" + std::string(wide ? gameFileWideHeader : gameFileHeader) + "\n";
}

bool NeedsWideRows(const DrawLog& log) {
    return log.hasWheels() || log.hasDirections();
}

const std::string& GameFileRowWriter::NameColumn::TextOf(std::int32_t n) {
    if (n != number) {
        number = n;
        const auto found = name(n);
        text = found ? CsvField(*found) : std::string();
    }
    return text;
}

void GameFileRowWriter::AppendRows(std::string& out, const DrawLog& log, int first, int last,
                                   int numberOffset) {
    // Each row is put together in one piece, with its croupier's name the one part that
    // varies in length.
    char row[24 + FileTimeWriter::maxTextSize];
    for (int n = first; n <= last; ++n) {
        char* at = std::to_chars(row, row + 16, n + numberOffset).ptr;
        *at++ = ',';
        if (const auto t = log.drawTime(n)) at += times_.Write(at, *t);
        *at++ = ',';
        if (const std::int32_t c = log.drawCroupier(n); c != 0 && croupiers_.name) {
            out.append(row, at);
            out += croupiers_.TextOf(c);
            at = row;
        }
        *at++ = ',';
        const Pocket p = log.draw(n);
        if (p == DoubleZero) {
            *at++ = '0';
            *at++ = '0';
        } else {
            if (p >= 10) *at++ = static_cast<char>('0' + p / 10);
            *at++ = static_cast<char>('0' + p % 10);
        }
        if (wide_) {
            *at++ = ',';
            if (const std::int32_t w = log.drawWheel(n); w != 0 && wheels_.name) {
                out.append(row, at);
                out += wheels_.TextOf(w);
                at = row;
            }
            *at++ = ',';
            const std::string_view direction = DirectionText(log.drawDirection(n));
            at = std::copy(direction.begin(), direction.end(), at);
        }
        *at++ = '\n';
        out.append(row, at);
    }
}

std::string WriteGameFile(const DrawLog& log, RouletteKind kind,
                          const CroupierNameLookup& croupierName, const WheelNameLookup& wheelName,
                          std::span<const GameFileNote> notes) {
    const bool wide = NeedsWideRows(log);
    std::string out = GameFileHead(kind, wide);
    GameFileRowWriter writer(croupierName, wheelName, wide);
    int written = 0;
    for (const GameFileNote& note : notes) {
        const int upTo = std::clamp(note.afterDraw, written, log.drawCount());
        writer.AppendRows(out, log, written + 1, upTo);
        written = upTo;
        out += NoteLine(note.key, note.value);
    }
    writer.AppendRows(out, log, written + 1, log.drawCount());
    return out;
}

}  // namespace spinalyst
