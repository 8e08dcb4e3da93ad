#include "core/draws/game_file.h"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <unordered_map>

#include "core/store/text_encoding.h"
#include "core/store/text_lines.h"

namespace spinalyst {

namespace {

constexpr std::size_t fieldCount = 4;

struct Row {
    std::vector<std::string> fields;
    std::string error;
};

// One CSV line. A quoted field may hold commas and doubled quotes, but no line break.
Row SplitRow(std::string_view line) {
    Row row;
    std::size_t i = 0;
    for (;;) {
        std::string field;
        if (i < line.size() && line[i] == '"') {
            ++i;
            for (;;) {
                if (i >= line.size()) {
                    row.error = "a quoted field has no closing quote";
                    return row;
                }
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
            if (i < line.size() && line[i] != ',') {
                row.error = "a closing quote must end its field";
                return row;
            }
        } else {
            const std::size_t end = std::min(line.find(',', i), line.size());
            field = std::string(line.substr(i, end - i));
            if (field.find('"') != std::string::npos) {
                row.error = "a field that holds a quote must be quoted";
                return row;
            }
            i = end;
        }
        row.fields.push_back(std::move(field));
        if (i >= line.size()) return row;
        ++i;  // the comma
    }
}

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// A wall-clock reading as seconds, as if it were UTC.
std::int64_t CivilSeconds(const std::tm& tm) {
    return DaysFromCivil(tm.tm_year + 1900LL, tm.tm_mon + 1, tm.tm_mday) * 86400 +
           tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec;
}

// How far local time is ahead of UTC at the instant t.
std::optional<std::int64_t> LocalOffsetAt(std::int64_t t) {
    const auto tt = static_cast<std::time_t>(t);
    std::tm local{};
    if (!localtime_r(&tt, &local)) return std::nullopt;
    return CivilSeconds(local) - t;
}

// The instant a local wall-clock reading stands for. In the hour that is repeated when the
// clocks go back, the first pass; in the hour skipped when they go forward, the reading with
// the offset in force before. Worked out from the offsets alone, so the answer never depends
// on earlier conversions (mktime guesses daylight saving from its previous call).
std::optional<std::int64_t> LocalToInstant(std::int64_t wall) {
    const auto before = LocalOffsetAt(wall - 86400);
    const auto after = LocalOffsetAt(wall + 86400);
    if (!before || !after) return std::nullopt;
    std::optional<std::int64_t> first;
    for (const std::int64_t offset : {*before, *after}) {
        const std::int64_t t = wall - offset;
        if (LocalOffsetAt(t) == offset && (!first || t < *first)) first = t;
    }
    return first ? *first : wall - *before;
}

// Two digits at s[at]; -1 when they are not.
int TwoDigits(std::string_view s, std::size_t at) {
    if (at + 2 > s.size() || s[at] < '0' || s[at] > '9' || s[at + 1] < '0' || s[at + 1] > '9')
        return -1;
    return (s[at] - '0') * 10 + (s[at + 1] - '0');
}

// "+HH:MM" or "-HH:MM" (with ":SS" for the odd zone whose offset has seconds), or "Z".
std::optional<std::int64_t> ParseOffset(std::string_view s) {
    if (s == "Z") return 0;
    if ((s.size() != 6 && s.size() != 9) || (s[0] != '+' && s[0] != '-') || s[3] != ':' ||
        (s.size() == 9 && s[6] != ':'))
        return std::nullopt;
    const int hours = TwoDigits(s, 1), minutes = TwoDigits(s, 4);
    const int seconds = s.size() == 9 ? TwoDigits(s, 7) : 0;
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59)
        return std::nullopt;
    const std::int64_t offset = hours * 3600 + minutes * 60 + seconds;
    return s[0] == '-' ? -offset : offset;
}

// YYYY-MM-DDTHH:MM:SS followed by the offset from UTC, or without it in local time.
std::optional<DrawTime> ParseTime(std::string_view s) {
    constexpr std::string_view pattern = "dddd-dd-ddTdd:dd:dd";
    if (s.size() < pattern.size()) return std::nullopt;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool digit = s[i] >= '0' && s[i] <= '9';
        if (pattern[i] == 'd' ? !digit : s[i] != pattern[i]) return std::nullopt;
    }
    const int year = TwoDigits(s, 0) * 100 + TwoDigits(s, 2), month = TwoDigits(s, 5),
              day = TwoDigits(s, 8);
    const int hour = TwoDigits(s, 11), minute = TwoDigits(s, 14), second = TwoDigits(s, 17);
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 ||
        minute > 59 || second > 59)
        return std::nullopt;
    const std::int64_t wall =
        DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    const std::string_view zone = s.substr(pattern.size());
    if (zone.empty()) return LocalToInstant(wall);
    const auto offset = ParseOffset(zone);
    if (!offset) return std::nullopt;
    return wall - *offset;
}

// Local time with its offset from UTC, so that the file names one instant even in the hour
// that is repeated when the clocks go back, and on a machine in another zone.
std::string FormatTime(DrawTime t) {
    const auto tt = static_cast<std::time_t>(t);
    std::tm local{};
    if (!localtime_r(&tt, &local) || local.tm_year + 1900 < 0 || local.tm_year + 1900 > 9999)
        return {};
    char buffer[32];
    const std::size_t n = std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%S", &local);
    std::string text(buffer, n);
    const std::int64_t offset = CivilSeconds(local) - t;
    const std::int64_t size = offset < 0 ? -offset : offset;
    auto two = [](std::int64_t v) {
        return std::string(1, char('0' + v / 10)) + char('0' + v % 10);
    };
    text += offset < 0 ? '-' : '+';
    text += two(size / 3600) + ":" + two(size / 60 % 60);
    if (size % 60 != 0) text += ":" + two(size % 60);
    return text;
}

// A field in quotes when it holds a comma, a quote or a line break, which it keeps.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

// Whether a line holds an odd number of quotes: it opens a quoted field or closes one.
bool TogglesQuotes(std::string_view line) {
    return std::count(line.begin(), line.end(), '"') % 2 == 1;
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

struct SalvagedRow {
    std::optional<DrawTime> time;
    std::string croupier;
    Pocket pocket = 0;
};

// A row whose fields all keep the format; its draw number need only be a number, since the
// rows a salvage keeps are numbered on from one another.
std::optional<SalvagedRow> ReadSalvagedRow(std::string_view raw, RouletteKind readAs) {
    Row row = SplitRow(raw);
    if (!row.error.empty() || row.fields.size() != fieldCount) return std::nullopt;
    const std::string& draw = row.fields[0];
    if (draw.empty() || draw.size() > 9 || draw[0] == '0' ||
        draw.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    SalvagedRow out;
    if (!row.fields[1].empty()) {
        out.time = ParseTime(row.fields[1]);
        if (!out.time || *out.time < firstDrawTime || *out.time > lastDrawTime) return std::nullopt;
    }
    if (!IsValidUtf8(row.fields[2])) return std::nullopt;
    out.croupier = std::move(row.fields[2]);
    const auto pocket = ParsePocket(row.fields[3], readAs);
    if (!pocket) return std::nullopt;
    out.pocket = *pocket;
    return out;
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
    return first == gameFileHeader;
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

GameFile ParseGameFile(std::string_view text, const KindRule& rule) {
    GameFile result;
    auto fail = [&](int line, std::string_view token, std::string message) {
        result.log.Clear();
        result.croupierNames.clear();
        result.notes.clear();
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
    if (header.text != gameFileHeader)
        return fail(line, header.text,
                    "the " + std::string(line == 1 ? "first" : "second") + " line must be '" +
                        std::string(gameFileHeader) + "'");
    // Without a kind to read them as, pockets are read as the widest wheel's and the kind
    // settled once all are known.
    const std::optional<RouletteKind> known = rule.forced ? rule.forced : result.statedKind;
    const RouletteKind readAs = known.value_or(RouletteKind::American);
    const std::string wheelWords =
        known ? "the " + std::string(KindName(*known)) + " wheel" : std::string("any wheel");

    std::unordered_map<std::string, std::int32_t> numbers;
    int firstEmptyLine = 0;
    while (!text.empty()) {
        TextLine read = TakeLine(text);
        std::string_view raw = read.text;
        const int rowLine = ++line;
        if (raw.starts_with('#')) {
            result.notes.push_back(ReadNoteLine(raw, result.log.drawCount()));
            continue;
        }
        // A quoted field may hold line breaks: the record runs on until its quotes close.
        for (bool inQuotes = TogglesQuotes(raw); inQuotes && !text.empty();) {
            read = TakeLine(text);
            ++line;
            inQuotes = inQuotes != TogglesQuotes(read.text);
            raw = std::string_view(
                raw.data(),
                static_cast<std::size_t>(read.text.data() - raw.data()) + read.text.size());
        }
        if (raw.empty()) {
            if (firstEmptyLine == 0) firstEmptyLine = line;
            continue;
        }
        if (firstEmptyLine != 0)
            return fail(firstEmptyLine, "", "an empty line may only come after the last row");

        Row row = SplitRow(raw);
        if (!row.error.empty()) return fail(rowLine, raw, row.error);
        if (row.fields.size() != fieldCount) {
            // A carriage return ends a line, so one in an unquoted name cuts its row short.
            const bool cutByCr =
                row.fields.size() < fieldCount && read.end == "\r" && header.end != "\r";
            return fail(rowLine, raw,
                        "a row has 4 fields (" + std::string(gameFileHeader) + "), this one " +
                            std::to_string(row.fields.size()) +
                            (cutByCr ? ": a carriage return ends it; a field holding one must "
                                       "be quoted"
                                     : ""));
        }
        const std::string& draw = row.fields[0];
        const std::string& time = row.fields[1];
        const std::string& croupier = row.fields[2];
        const std::string& pocketText = row.fields[3];

        const int expected = result.log.drawCount() + 1;
        if (draw != std::to_string(expected))
            return fail(
                rowLine, draw,
                "draw '" + draw + "' where draw " + std::to_string(expected) + " was expected");
        std::optional<DrawTime> when;
        if (!time.empty()) {
            when = ParseTime(time);
            if (!when)
                return fail(rowLine, time,
                            "'" + time + "' is not a time YYYY-MM-DDTHH:MM:SS+HH:MM");
            if (*when < firstDrawTime || *when > lastDrawTime)
                return fail(rowLine, time, "'" + time + "' lies outside 1970 to 2106");
        }
        std::int32_t number = 0;
        if (!croupier.empty()) {
            if (!IsValidUtf8(croupier)) return fail(rowLine, croupier, "the croupier is not UTF-8");
            auto [it, added] = numbers.try_emplace(
                croupier, static_cast<std::int32_t>(result.croupierNames.size() + 1));
            if (added) result.croupierNames.push_back(croupier);
            number = it->second;
        }
        const auto pocket = ParsePocket(pocketText, readAs);
        if (!pocket)
            return fail(rowLine, pocketText,
                        "'" + pocketText + "' is not a pocket of " + wheelWords);
        result.log.Append(*pocket, when, number);
    }
    result.kind = known ? *known : KindHolding(result.log.draws(), rule.current);
    return result;
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

    std::unordered_map<std::string, std::int32_t> numbers;
    while (!rest.empty()) {
        TextLine read = TakeLine(rest);
        std::string_view raw = read.text;
        const int rowLine = ++line;
        if (raw.empty()) continue;
        if (raw.starts_with('#')) {
            result.notes.push_back(ReadNoteLine(raw, result.log.drawCount()));
            continue;
        }
        const std::string_view afterFirstLine = rest;
        for (bool inQuotes = TogglesQuotes(raw); inQuotes && !rest.empty();) {
            read = TakeLine(rest);
            ++line;
            inQuotes = inQuotes != TogglesQuotes(read.text);
            raw = std::string_view(
                raw.data(),
                static_cast<std::size_t>(read.text.data() - raw.data()) + read.text.size());
        }
        auto row = ReadSalvagedRow(raw, readAs);
        if (!row) {
            // Only the first line is left out: a stray quote must not take the rows after it.
            salvaged.damagedLines.push_back(rowLine);
            rest = afterFirstLine;
            line = rowLine;
            continue;
        }
        std::int32_t number = 0;
        if (!row->croupier.empty()) {
            auto [it, added] = numbers.try_emplace(
                row->croupier, static_cast<std::int32_t>(result.croupierNames.size() + 1));
            if (added) result.croupierNames.push_back(row->croupier);
            number = it->second;
        }
        result.log.Append(row->pocket, row->time, number);
    }
    result.kind = known ? *known : KindHolding(result.log.draws(), rule.current);
    return salvaged;
}

std::string GameFileHead(RouletteKind kind) {
    return KindLine(kind) + "\n" + std::string(gameFileHeader) + "\n";
}

void GameFileRowWriter::AppendRows(std::string& out, const DrawLog& log, int first, int last,
                                   int numberOffset) {
    char number[16];
    for (int n = first; n <= last; ++n) {
        const auto [end, ec] = std::to_chars(number, number + sizeof number, n + numberOffset);
        out.append(number, end);
        out += ',';
        if (const auto t = log.drawTime(n)) {
            if (cachedTime_ != t) {
                cachedTime_ = t;
                cachedText_ = FormatTime(*t);
            }
            out += cachedText_;
        }
        out += ',';
        if (const std::int32_t c = log.drawCroupier(n); c != 0 && croupierName_) {
            if (auto name = croupierName_(c)) out += CsvField(*name);
        }
        out += ',';
        const Pocket p = log.draw(n);
        if (p == DoubleZero) {
            out += "00";
        } else {
            if (p >= 10) out += static_cast<char>('0' + p / 10);
            out += static_cast<char>('0' + p % 10);
        }
        out += '\n';
    }
}

std::string WriteGameFile(const DrawLog& log, RouletteKind kind,
                          const CroupierNameLookup& croupierName,
                          std::span<const GameFileNote> notes) {
    std::string out = GameFileHead(kind);
    GameFileRowWriter writer(croupierName);
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
