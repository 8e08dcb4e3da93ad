#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace spinalyst {

// The code point that starts at text[i], moving i past it; nullopt, with i moved by one byte,
// when that byte does not start a well-formed UTF-8 sequence (overlong forms and surrogates
// included).
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& i);

bool IsValidUtf8(std::string_view text);

// The character of one Windows-1252 byte. The five bytes that code page leaves unassigned
// become the control characters of the same number, so that nothing is lost.
char32_t Windows1252Character(unsigned char byte);

// Text in Windows-1252 (a superset of Latin-1 in its printable range) as UTF-8.
std::string Windows1252ToUtf8(std::string_view text);

void AppendUtf8(std::string& out, char32_t code);

}  // namespace spinalyst
