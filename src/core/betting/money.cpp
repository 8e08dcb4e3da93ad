#include "core/betting/money.h"

#include <cstdint>

namespace spinalyst {

std::string FormatAmount(Cents amount, char decimalSeparator) {
    // Unsigned, so that the most negative amount has a magnitude too.
    const std::uint64_t magnitude =
        amount < 0 ? 0 - static_cast<std::uint64_t>(amount) : static_cast<std::uint64_t>(amount);
    std::string text = amount < 0 ? "-" : "";
    text += std::to_string(magnitude / 100);
    text += decimalSeparator;
    text += static_cast<char>('0' + magnitude % 100 / 10);
    text += static_cast<char>('0' + magnitude % 10);
    return text;
}

std::optional<Cents> ParseAmount(std::string_view text, char decimalSeparator) {
    constexpr std::size_t maxUnitDigits = 12;
    const std::size_t point = text.find(decimalSeparator);
    const std::string_view units = text.substr(0, point);
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if (units.empty() || units.size() > maxUnitDigits) return std::nullopt;
    if (point != std::string_view::npos && (decimals.empty() || decimals.size() > 2))
        return std::nullopt;
    Cents value = 0;
    for (char c : units) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    Cents fraction = 0;
    for (std::size_t i = 0; i < 2; ++i) {
        const char c = i < decimals.size() ? decimals[i] : '0';
        if (c < '0' || c > '9') return std::nullopt;
        fraction = fraction * 10 + (c - '0');
    }
    return value * 100 + fraction;
}

}  // namespace spinalyst
