#include "core/draws/spin_file.h"

#include "core/store/text_lines.h"

namespace spinalyst {

namespace {
bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == ',' || c == ';';
}
bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
}  // namespace

std::string FormatParseError(std::string_view fileName, const ParseError& error) {
    std::string text = std::string(fileName) + ":" + std::to_string(error.line) + ":";
    if (error.column > 0) text += std::to_string(error.column) + ":";
    return text + " " + error.message;
}

namespace {
// One pass over the bytes: line ends, comments, separators and pockets as they come.
SpinList ParseSpinListAs(std::string_view text, RouletteKind kind, const std::string& wheelWords) {
    SpinList result;
    text = WithoutByteOrderMark(text);
    const char* const d = text.data();
    const std::size_t size = text.size();
    int line = 1, column = 1;
    std::size_t i = 0;
    while (i < size) {
        const char c = d[i];
        if (c == '\n' || c == '\r') {
            i += c == '\r' && i + 1 < size && d[i + 1] == '\n' ? 2 : 1;
            ++line;
            column = 1;
        } else if (c == '#') {
            while (i < size && d[i] != '\n' && d[i] != '\r') ++i;
        } else if (IsSeparator(c)) {
            ++column;
            ++i;
        } else {
            const std::size_t start = i;
            const int startColumn = column;
            while (i < size && !IsSeparator(d[i]) && d[i] != '\n' && d[i] != '\r' && d[i] != '#') {
                if (!IsUtf8Continuation(d[i])) ++column;
                ++i;
            }
            const std::string_view token = text.substr(start, i - start);
            const auto pocket = ParsePocket(token, kind);
            if (!pocket) {
                result.pockets.clear();
                result.error =
                    ParseError{line, startColumn, std::string(token),
                               "'" + std::string(token) + "' is not a pocket of " + wheelWords};
                return result;
            }
            result.pockets.push_back(*pocket);
        }
    }
    return result;
}
}  // namespace

SpinList ParseSpinList(std::string_view text, RouletteKind kind) {
    return ParseSpinListAs(text, kind, "the " + std::string(KindName(kind)) + " wheel");
}

SpinList ParseSpinListOfAnyKind(std::string_view text) {
    return ParseSpinListAs(text, RouletteKind::American, "any wheel");
}

}  // namespace spinalyst
