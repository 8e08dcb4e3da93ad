#pragma once

#include <string_view>

namespace spinalyst {

inline constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

// The text without one leading UTF-8 byte order mark.
std::string_view WithoutByteOrderMark(std::string_view text);

// One line of a text file: its content, and the line end that closed it ("\n", "\r\n", "\r",
// or empty for a last line without one), so that a rewrite can put back the same bytes.
struct TextLine {
    std::string_view text;
    std::string_view end;
};

// Takes the first line off rest (which must not be empty). LF, CR LF and a lone CR each end a
// line, so files from every system split alike; CR CR LF is a line, then an empty one.
TextLine TakeLine(std::string_view& rest);

}  // namespace spinalyst
