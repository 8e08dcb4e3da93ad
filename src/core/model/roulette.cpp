#include "core/model/roulette.h"

#include <charconv>

namespace spinalyst {

namespace {
constexpr std::array<std::string_view, 3> kindNames = {"american", "french", "nozero"};

static_assert(pocketCount(RouletteKind::NoZero) ==
              lastPocket(RouletteKind::NoZero) - firstPocket(RouletteKind::NoZero) + 1);
static_assert(layoutOrder[1] == 3 && layoutOrder[12] == 36 && layoutOrder[13] == 2 &&
              layoutOrder[25] == 1 && layoutOrder[36] == 34);
static_assert(KindFromTag(38) == RouletteKind::American && !KindFromTag(39));
static_assert([] {
    for (Pocket p = 1; p <= 36; ++p)
        if (IsRed(p) == IsBlack(p)) return false;
    return !IsRed(0) && !IsBlack(0) && !IsRed(DoubleZero) && !IsBlack(DoubleZero);
}());
}  // namespace

std::string_view KindName(RouletteKind kind) {
    return kindNames[static_cast<int>(kind)];
}

std::optional<RouletteKind> KindFromName(std::string_view name) {
    for (RouletteKind k : allKinds)
        if (KindName(k) == name) return k;
    return std::nullopt;
}

std::string PocketText(Pocket p) {
    return p == DoubleZero ? std::string("00") : std::to_string(p);
}

std::optional<Pocket> ParsePocket(std::string_view text, RouletteKind kind) {
    if (text == "00") {
        if (kind == RouletteKind::American) return DoubleZero;
        return std::nullopt;
    }
    // Only plain digits: no sign, no leading zeros beyond a lone "0", at most two digits.
    if (text.empty() || text.size() > 2) return std::nullopt;
    if (text.size() == 2 && text[0] == '0') return std::nullopt;
    for (char c : text)
        if (c < '0' || c > '9') return std::nullopt;
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value > 36 || !IsPocketOf(kind, value)) return std::nullopt;
    return value;
}

}  // namespace spinalyst
