#include "draws/game_file.h"

#include <algorithm>
#include <ctime>
#include <unordered_map>

namespace spinalyst {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
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

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t extra = 0;
        char32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= s.size()) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            code = (code << 6) | (d & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode are not UTF-8.
        constexpr char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
        if (code < minimum[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

// YYYY-MM-DDTHH:MM:SS in local time.
std::optional<DrawTime> ParseLocalTime(std::string_view s) {
    constexpr std::string_view pattern = "dddd-dd-ddTdd:dd:dd";
    if (s.size() != pattern.size()) return std::nullopt;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const bool digit = s[i] >= '0' && s[i] <= '9';
        if (pattern[i] == 'd' ? !digit : s[i] != pattern[i]) return std::nullopt;
    }
    auto number = [&](std::size_t at, std::size_t len) {
        int v = 0;
        for (std::size_t i = at; i < at + len; ++i) v = v * 10 + (s[i] - '0');
        return v;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    const int hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 ||
        minute > 59 || second > 59)
        return std::nullopt;
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1)) {
        // -1 is also one second before the epoch; only a round trip tells it from failure.
        std::tm back{};
        if (!localtime_r(&t, &back) || back.tm_year != year - 1900 || back.tm_mon != month - 1 ||
            back.tm_mday != day || back.tm_hour != hour || back.tm_min != minute ||
            back.tm_sec != second)
            return std::nullopt;
    }
    return static_cast<DrawTime>(t);
}

std::string FormatLocalTime(DrawTime t) {
    const auto tt = static_cast<std::time_t>(t);
    std::tm local{};
    if (!localtime_r(&tt, &local) || local.tm_year + 1900 < 0 || local.tm_year + 1900 > 9999)
        return {};
    char buffer[32];
    const std::size_t n = std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%S", &local);
    return std::string(buffer, n);
}

std::string CsvField(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    if (text.find_first_of(",\"") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string_view NextLine(std::string_view& text) {
    const std::size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

}  // namespace

bool IsGameFile(std::string_view text) {
    if (text.starts_with(byteOrderMark)) text.remove_prefix(byteOrderMark.size());
    return NextLine(text) == gameFileHeader;
}

GameFile ParseGameFile(std::string_view text, RouletteKind kind) {
    GameFile result;
    auto fail = [&](int line, std::string_view token, std::string message) {
        result.log.Clear();
        result.croupierNames.clear();
        result.error = ParseError{line, 0, std::string(token), std::move(message)};
        return std::move(result);
    };

    if (text.starts_with(byteOrderMark)) text.remove_prefix(byteOrderMark.size());
    const std::string_view header = NextLine(text);
    if (header != gameFileHeader)
        return fail(1, header, "the first line must be '" + std::string(gameFileHeader) + "'");

    std::unordered_map<std::string, std::int32_t> numbers;
    int line = 1;
    int firstEmptyLine = 0;
    while (!text.empty()) {
        const std::string_view raw = NextLine(text);
        ++line;
        if (raw.empty()) {
            if (firstEmptyLine == 0) firstEmptyLine = line;
            continue;
        }
        if (firstEmptyLine != 0)
            return fail(firstEmptyLine, "", "an empty line may only come after the last row");

        Row row = SplitRow(raw);
        if (!row.error.empty()) return fail(line, raw, row.error);
        if (row.fields.size() != fieldCount)
            return fail(line, raw,
                        "a row has 4 fields (" + std::string(gameFileHeader) + "), this one " +
                            std::to_string(row.fields.size()));
        const std::string& draw = row.fields[0];
        const std::string& time = row.fields[1];
        const std::string& croupier = row.fields[2];
        const std::string& pocketText = row.fields[3];

        const int expected = result.log.drawCount() + 1;
        if (draw != std::to_string(expected))
            return fail(
                line, draw,
                "draw '" + draw + "' where draw " + std::to_string(expected) + " was expected");
        std::optional<DrawTime> when;
        if (!time.empty()) {
            when = ParseLocalTime(time);
            if (!when) return fail(line, time, "'" + time + "' is not a time YYYY-MM-DDTHH:MM:SS");
            if (*when < firstDrawTime || *when > lastDrawTime)
                return fail(line, time, "'" + time + "' lies outside 1970 to 2106");
        }
        std::int32_t number = 0;
        if (!croupier.empty()) {
            if (!IsValidUtf8(croupier)) return fail(line, croupier, "the croupier is not UTF-8");
            auto [it, added] = numbers.try_emplace(
                croupier, static_cast<std::int32_t>(result.croupierNames.size() + 1));
            if (added) result.croupierNames.push_back(croupier);
            number = it->second;
        }
        const auto pocket = ParsePocket(pocketText, kind);
        if (!pocket)
            return fail(line, pocketText,
                        "'" + pocketText + "' is not a pocket of the " +
                            std::string(KindName(kind)) + " wheel");
        result.log.Append(*pocket, when, number);
    }
    return result;
}

std::string WriteGameFile(const DrawLog& log, const CroupierNameLookup& croupierName) {
    std::string out(gameFileHeader);
    out += '\n';
    for (int n = 1; n <= log.drawCount(); ++n) {
        out += std::to_string(n);
        out += ',';
        if (const auto t = log.drawTime(n)) out += FormatLocalTime(*t);
        out += ',';
        if (const std::int32_t c = log.drawCroupier(n); c != 0 && croupierName) {
            if (auto name = croupierName(c)) out += CsvField(std::move(*name));
        }
        out += ',';
        out += PocketText(log.draw(n));
        out += '\n';
    }
    return out;
}

}  // namespace spinalyst
