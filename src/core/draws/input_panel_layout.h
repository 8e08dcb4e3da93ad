#pragma once

#include <vector>

#include "core/model/roulette.h"

namespace spinalyst {

// Geometry of the pocket labels on the input panel, in pixels of the panel.
inline constexpr int inputPanelWidth = 307;
inline constexpr int inputPanelHeight = 85;
inline constexpr int inputCellPitch = 22;
inline constexpr int inputLabelSize = inputCellPitch - 4;

struct InputLabelPlace {
    Pocket pocket = 0;
    int left = 0;
    int top = 0;
    friend bool operator==(const InputLabelPlace&, const InputLabelPlace&) = default;
};

// One place per pocket of the kind, in the order the labels are created: the zeros first,
// then the numbers row by row as on the table (3, 6 ... 36 on top).
std::vector<InputLabelPlace> InputPanelLayout(RouletteKind kind);

}  // namespace spinalyst
