#include "core/draws/input_panel_layout.h"

namespace spinalyst {

std::vector<InputLabelPlace> InputPanelLayout(RouletteKind kind) {
    std::vector<InputLabelPlace> places;
    places.reserve(static_cast<std::size_t>(pocketCount(kind)));
    constexpr int zeroLeft = 14;
    constexpr int firstTop = 12;
    if (kind == RouletteKind::American) {
        places.push_back({0, zeroLeft, 46});
        places.push_back({DoubleZero, zeroLeft, 24});
    } else if (kind == RouletteKind::French) {
        places.push_back({0, zeroLeft, 34});
    }
    const int firstLeft = kind == RouletteKind::NoZero ? 24 : 36;
    for (int row = 1; row <= 3; ++row)
        for (int col = 1; col <= 12; ++col)
            places.push_back({layoutOrder[(row - 1) * 12 + col],
                              (col - 1) * inputCellPitch + firstLeft,
                              (row - 1) * inputCellPitch + firstTop});
    return places;
}

}  // namespace spinalyst
