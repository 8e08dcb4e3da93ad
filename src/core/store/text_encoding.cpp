#include "core/store/text_encoding.h"

#include <array>

namespace spinalyst {

std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& i) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t extra = 0;
    char32_t code = 0;
    if (c < 0x80) {
        ++i;
        return c;
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
        ++i;
        return std::nullopt;
    }
    if (i + extra >= text.size()) {
        ++i;
        return std::nullopt;
    }
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto d = static_cast<unsigned char>(text[i + k]);
        if ((d & 0xC0) != 0x80) {
            ++i;
            return std::nullopt;
        }
        code = (code << 6) | (d & 0x3F);
    }
    constexpr char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
    if (code < minimum[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        ++i;
        return std::nullopt;
    }
    i += extra + 1;
    return code;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();)
        if (!NextCodePoint(text, i)) return false;
    return true;
}

char32_t Windows1252Character(unsigned char byte) {
    // 0x80 ... 0x9F; the unassigned 0x81, 0x8D, 0x8F, 0x90 and 0x9D keep their own number.
    static constexpr std::array<char32_t, 32> high = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return byte >= 0x80 && byte < 0xA0 ? high[byte - 0x80] : byte;
}

std::string Windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char c : text) AppendUtf8(out, Windows1252Character(static_cast<unsigned char>(c)));
    return out;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

}  // namespace spinalyst
