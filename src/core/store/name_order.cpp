#include "core/store/name_order.h"

#include <string>

#include "core/store/text_encoding.h"

namespace spinalyst {

namespace {

// Base letters of U+00C0 ... U+00FF: '*' is no letter; digits stand for two letters.
constexpr std::string_view latin1Letters =
    "aaaaaa1ceeeeiiiidnooooo*ouuuuy23"
    "aaaaaa1ceeeeiiiidnooooo*ouuuuy2y";
// Base letters of U+0100 ... U+017F, the rest of the Latin letters of European languages.
constexpr std::string_view latinExtendedLetters =
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii44jjkkkllllllllllnnnnnnnnnoooooo55"
    "rrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";
static_assert(latin1Letters.size() == 64);

constexpr std::string_view Expansion(char base) {
    switch (base) {
        case '1':
            return "ae";
        case '2':
            return "th";
        case '3':
            return "ss";
        case '4':
            return "ij";
        case '5':
            return "oe";
        default:
            return {};
    }
}

// Upper case letters of U+0100 ... U+017F alternate with their lower case, starting at an even
// or at an odd number depending on the block.
bool IsUpperLatinExtended(char32_t c) {
    if (c == 0x138 || c == 0x149 || c == 0x17F) return false;
    if (c == 0x178) return true;
    const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    return (c % 2 == 1) == oddUpper;
}

// The weights of a name: its base letters, the accent of each character (0 for none) and the
// case of each character (1 for upper case).
struct Weights {
    std::u32string letters, accents, cases;
};

void AddCharacter(Weights& w, char32_t c) {
    char32_t letter = c;
    char base = 0;        // the letter from the tables, which may stand for two
    char32_t accent = 0;  // the lower case form of an accented letter
    bool upper = false;
    if (c >= 'A' && c <= 'Z') {
        letter = c + 0x20;
        upper = true;
    } else if (c >= 0xC0 && c <= 0xFF && latin1Letters[c - 0xC0] != '*') {
        upper = c <= 0xDE;
        base = latin1Letters[c - 0xC0];
        accent = upper ? c + 0x20 : c;
    } else if (c >= 0x100 && c <= 0x17F) {
        upper = IsUpperLatinExtended(c);
        base = latinExtendedLetters[c - 0x100];
        accent = !upper ? c : c == 0x178 ? 0xFF : c + 1;
    } else if ((c >= 0x391 && c <= 0x3A9 && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) {
        letter = c + 0x20;  // Greek and Cyrillic capitals
        upper = true;
    } else if (c >= 0x400 && c <= 0x40F) {
        letter = c + 0x50;
        upper = true;
    }
    if (base != 0) {
        const std::string_view expanded = Expansion(base);
        if (expanded.empty())
            w.letters += static_cast<char32_t>(base);
        else
            for (char b : expanded) w.letters += static_cast<char32_t>(b);
    } else {
        w.letters += letter;
    }
    w.accents += accent;
    w.cases += upper ? char32_t{1} : char32_t{0};
}

Weights WeightsOf(std::string_view name) {
    Weights w;
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t at = i;
        const auto code = NextCodePoint(name, i);
        AddCharacter(w, code ? *code : Windows1252Character(static_cast<unsigned char>(name[at])));
    }
    return w;
}

template <typename Text>
int Sign(const Text& a, const Text& b) {
    const int c = a.compare(b);
    return (c > 0) - (c < 0);
}

}  // namespace

int CompareNames(std::string_view a, std::string_view b) {
    static_assert(latinExtendedLetters.size() == 128);
    const Weights wa = WeightsOf(a), wb = WeightsOf(b);
    if (const int c = Sign(wa.letters, wb.letters)) return c;
    if (const int c = Sign(wa.accents, wb.accents)) return c;
    if (const int c = Sign(wa.cases, wb.cases)) return c;
    return Sign(a, b);
}

}  // namespace spinalyst
