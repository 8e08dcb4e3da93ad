#include "draws/spin_file.h"

namespace spinalyst {

namespace {
bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f' || c == ',' || c == ';';
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

SpinList ParseSpinList(std::string_view text, RouletteKind kind) {
    SpinList result;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    int line = 1;
    int column = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\n') {
            ++line;
            column = 1;
            ++i;
        } else if (c == '#') {
            while (i < text.size() && text[i] != '\n') ++i;
        } else if (IsSeparator(c)) {
            ++column;
            ++i;
        } else {
            const std::size_t start = i;
            const int startColumn = column;
            while (i < text.size() && text[i] != '\n' && text[i] != '#' && !IsSeparator(text[i])) {
                if (!IsUtf8Continuation(text[i])) ++column;
                ++i;
            }
            const std::string_view token = text.substr(start, i - start);
            const auto pocket = ParsePocket(token, kind);
            if (!pocket) {
                result.pockets.clear();
                result.error = ParseError{line, startColumn, std::string(token),
                                          "'" + std::string(token) + "' is not a pocket of the " +
                                              std::string(KindName(kind)) + " wheel"};
                return result;
            }
            result.pockets.push_back(*pocket);
        }
    }
    return result;
}

}  // namespace spinalyst
