#include "core/store/text_lines.h"

namespace spinalyst {

std::string_view WithoutByteOrderMark(std::string_view text) {
    if (text.starts_with(utf8ByteOrderMark)) text.remove_prefix(utf8ByteOrderMark.size());
    return text;
}

TextLine TakeLine(std::string_view& rest) {
    const std::size_t eol = rest.find_first_of("\r\n");
    if (eol == std::string_view::npos) {
        const TextLine line{rest, {}};
        rest = {};
        return line;
    }
    const std::size_t endSize =
        rest[eol] == '\r' && eol + 1 < rest.size() && rest[eol + 1] == '\n' ? 2 : 1;
    const TextLine line{rest.substr(0, eol), rest.substr(eol, endSize)};
    rest.remove_prefix(eol + endSize);
    return line;
}

}  // namespace spinalyst
