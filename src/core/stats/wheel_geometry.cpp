#include "core/stats/wheel_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>

#include "core/model/wheel.h"

namespace spinalyst {

namespace {

constexpr double degreesPerRadian = 180.0 / std::numbers::pi;
constexpr int labelRadius = 140;
constexpr int ringRadius = 12;

// The wheel position shown in slot i.
std::size_t SlotPosition(RouletteKind kind, int slot) {
    switch (kind) {
        case RouletteKind::American:
            return static_cast<std::size_t>(slot);
        case RouletteKind::French:
            return static_cast<std::size_t>((slot + 9) % 37);
        case RouletteKind::NoZero:
            return static_cast<std::size_t>(slot + 9 > 36 ? slot + 9 - 36 : slot + 9);
    }
    return 0;
}

// Slots 1 ... 36 on the no-zero wheel: slot 36 is the east, where the others start at 0.
int FirstSlot(RouletteKind kind) {
    return kind == RouletteKind::NoZero ? 1 : 0;
}

// Where slice 0 starts, in radians counter-clockwise from the east (more than a full turn).
double FirstSliceRadians(RouletteKind kind) {
    switch (kind) {
        case RouletteKind::American:
            return 25.23;
        case RouletteKind::French:
            return 45.43;
        case RouletteKind::NoZero:
            return 45.48;
    }
    return 0;
}

// The pocket of slice j, the one whose label stands beside it: going counter-clockwise the
// wheel order runs backwards.
Pocket SlicePocket(RouletteKind kind, int j) {
    switch (kind) {
        case RouletteKind::American:
            return americanWheel[static_cast<std::size_t>(37 - j)];
        case RouletteKind::French:
            return frenchWheel[static_cast<std::size_t>((37 - j) % 37)];
        case RouletteKind::NoZero:
            return frenchWheel[static_cast<std::size_t>(36 - j)];
    }
    return 0;
}

double Normalised(double degrees) {
    const double d = std::fmod(degrees, 360.0);
    return d < 0 ? d + 360.0 : d;
}

// The angle of the radial through (x, y) from the hub's centre.
double RadialDegrees(const WheelCircle& hub, double x, double y) {
    return Normalised(std::atan2(hub.centreY - y, x - hub.centreX) * degreesPerRadian);
}

// A pie from the radial through `from` counter-clockwise to the radial through `to`.
WheelPie PieBetween(const WheelCircle& hub, double fromX, double fromY, double toX, double toY) {
    const double start = RadialDegrees(hub, fromX, fromY);
    return {start, Normalised(RadialDegrees(hub, toX, toY) - start)};
}

bool Inside(const WheelCircle& c, double x, double y) {
    const double dx = x - c.centreX;
    const double dy = y - c.centreY;
    return dx * dx + dy * dy <= static_cast<double>(c.radius) * c.radius;
}

}  // namespace

WheelGeometry BuildWheelGeometry(RouletteKind kind) {
    WheelGeometry wheel;
    wheel.kind = kind;
    const int n = pocketCount(kind);
    const auto order = kind == RouletteKind::American ? std::span<const Pocket>(americanWheel)
                                                      : std::span<const Pocket>(frenchWheel);

    const double span = 360.0 / n;
    const double first = Normalised(FirstSliceRadians(kind) * degreesPerRadian);
    for (int j = 0; j < n; ++j)
        wheel.slices.push_back({SlicePocket(kind, j), {Normalised(first + j * span), span}});

    for (int slot = FirstSlot(kind); slot < FirstSlot(kind) + n; ++slot) {
        const double x = 2 * std::numbers::pi * slot / n;
        // Truncated towards zero, as the places have always been.
        const int across = static_cast<int>(labelRadius * std::cos(x));
        const int down = static_cast<int>(labelRadius * std::sin(x));
        wheel.labels.push_back(
            {order[SlotPosition(kind, slot)],
             slot,
             151 + across,
             153 + down,
             {wheel.hub.centreX + across, wheel.hub.centreY + down, ringRadius}});
    }

    if (kind == RouletteKind::French) {
        const WheelCircle& hub = wheel.hub;
        wheel.sectorMarks = {PieBetween(hub, 220, 176, 220, 144),
                             PieBetween(hub, 80, 160, 80, 250)};
        wheel.sectorTexts = {
            {"Voisins", 140, 136}, {"O.", 186, 153}, {"O.", 130, 164}, {"Tiers", 156, 172}};
    }
    return wheel;
}

std::optional<Pocket> WheelPocketAt(const WheelGeometry& wheel, double x, double y) {
    for (const WheelLabel& label : wheel.labels)
        if (x >= label.left && x < label.left + wheelLabelSize && y >= label.top &&
            y < label.top + wheelLabelSize)
            return label.pocket;
    for (const WheelLabel& label : wheel.labels)
        if (Inside(label.ring, x, y)) return label.pocket;
    if (wheel.slices.empty() || !Inside(wheel.disc, x, y) || Inside(wheel.hub, x, y))
        return std::nullopt;
    const WheelPie& first = wheel.slices.front().pie;
    const double turned = Normalised(RadialDegrees(wheel.disc, x, y) - first.startDegrees);
    const auto j =
        std::min(static_cast<std::size_t>(turned / first.spanDegrees), wheel.slices.size() - 1);
    return wheel.slices[j].pocket;
}

}  // namespace spinalyst
