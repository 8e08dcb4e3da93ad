#include "core/betting/chips.h"

#include "core/betting/money.h"

namespace spinalyst {

int ChipFace(Cents stake) {
    int face = 0;
    for (int k = 0; k < static_cast<int>(chipDenominations.size()); ++k)
        if (chipDenominations[k].value <= stake) face = k;
    return face;
}

std::string ChipStakeText(Cents stake, char decimalSeparator) {
    if (stake < 1000) return FormatAmount(stake, decimalSeparator);
    if (stake < 10000) {
        const Cents tenths = (stake + 5) / 10;
        return std::to_string(tenths / 10) + decimalSeparator + std::to_string(tenths % 10);
    }
    const Cents units = (stake + 50) / 100;
    if (units < 10'000) return std::to_string(units);
    // Five digits and more would spill off the chip: thousands, with the stake in the tip.
    return std::to_string((stake + 50'000) / 100'000) + "k";
}

}  // namespace spinalyst
