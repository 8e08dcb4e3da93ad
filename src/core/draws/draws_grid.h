#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/draws/croupier_table.h"
#include "core/draws/draw_log.h"
#include "core/draws/wheel_name_table.h"
#include "core/model/roulette.h"

namespace spinalyst {

// The draws list: 20 columns, newest draw first, every cell computed from the log when shown.
// Columns 18 and 19 hold the wheel and the direction of the spin.
inline constexpr int drawsGridColumns = 20;

enum class DrawsCellStyle { Normal, RedBold, GreenBold, BlackBold, BlueBold };

// Column of each header cell group: first column, number of columns it spans.
struct HeaderSpan {
    int first;
    int count;
};
inline constexpr std::array<HeaderSpan, 11> drawsHeaderSpans = {
    {{0, 1}, {1, 1}, {2, 1}, {3, 3}, {6, 2}, {8, 2}, {10, 3}, {13, 3}, {16, 1}, {17, 1}, {18, 2}}};

// The text of the cell of draw n (1 ... drawCount) in the column. The distance from the draw
// before is counted in the direction of the ball, as the wheel page counts it; the direction
// shows as a turning arrow (none when not noted), the wheel by its name.
std::string DrawsCellText(const DrawLog& log, RouletteKind kind, const CroupierTable& croupiers,
                          int n, int column, const WheelNameTable* wheels = nullptr);
DrawsCellStyle DrawsCellStyleOf(int column);
// Light yellow behind the odd/even and column marks.
bool DrawsCellShaded(int column);

// Draws since the same pocket last came before draw n; nullopt when it had not come.
std::optional<int> RepeatGap(const DrawLog& log, int n);

// The pages of columns the navigation buttons go through, 1 ... drawsPageCount.
inline constexpr int drawsPageCount = 3;
// Column widths of each page (0 hides a column).
std::array<int, drawsGridColumns> DrawsPageWidths(int page);

}  // namespace spinalyst
