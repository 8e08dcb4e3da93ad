#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/model/roulette.h"

namespace spinalyst {

// The wheel drawing, in pixels of its panel (origin at the top-left corner, y downwards).
inline constexpr int wheelPanelWidth = 318;
inline constexpr int wheelPanelHeight = 319;
inline constexpr Rgb wheelPanelColour{1, 174, 84};
// The sector marks are filled just off white, so that nothing of the wheel is pure white.
inline constexpr Rgb sectorMarkColour{254, 255, 255};
inline constexpr int wheelLabelSize = 18;
inline constexpr int wheelLabelPointSize = 8;
inline constexpr int sectorTextPointSize = 8;

struct WheelCircle {
    int centreX = 0;
    int centreY = 0;
    int radius = 0;
    friend bool operator==(const WheelCircle&, const WheelCircle&) = default;
};

// Angles are in degrees, counter-clockwise from the east, as pies are drawn: a pie runs from
// startDegrees counter-clockwise over spanDegrees.
struct WheelPie {
    double startDegrees = 0;
    double spanDegrees = 0;
};

// One slice of the disc, shaded by the hits of its pocket.
struct WheelSlice {
    Pocket pocket = 0;
    WheelPie pie;
};

// One pocket number around the disc: its box (wheelLabelSize square, the place of the hover
// area) and the ring drawn under it, on which the number reads centred.
struct WheelLabel {
    Pocket pocket = 0;
    int slot = 0;
    int left = 0;
    int top = 0;
    WheelCircle ring;
};

struct WheelText {
    std::string_view text;
    int left = 0;
    int top = 0;
};

// Everything the painter draws, in this order: the slices on the disc, the hub, the rings,
// the sector marks and their texts inside the hub (French wheel only), then the labels.
struct WheelGeometry {
    RouletteKind kind = defaultKind;
    WheelCircle disc{160, 160, 140};
    WheelCircle hub{160, 160, 40};
    // Slice j follows slice j - 1 counter-clockwise.
    std::vector<WheelSlice> slices;
    // In slot order, clockwise from the east.
    std::vector<WheelLabel> labels;
    std::vector<WheelPie> sectorMarks;
    std::vector<WheelText> sectorTexts;
};

// The French 0 stands in slot 28 near the top, the no-zero 26 in slot 27 at the top and the
// American 0 in slot 0 at the east; each slice lies beside the label of its pocket.
WheelGeometry BuildWheelGeometry(RouletteKind kind);

// The pocket whose label, ring or slice lies under the point; nullopt on the hub or outside
// the wheel.
std::optional<Pocket> WheelPocketAt(const WheelGeometry& wheel, double x, double y);

}  // namespace spinalyst
