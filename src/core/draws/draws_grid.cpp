#include "core/draws/draws_grid.h"

#include <cstring>

#include "core/model/wheel.h"

namespace spinalyst {

std::optional<int> RepeatGap(const DrawLog& log, int n) {
    const auto draws = log.draws();
    const std::uint8_t p = draws[static_cast<std::size_t>(n - 1)];
    // memrchr scans backwards with vector instructions: a long wait stays cheap.
    const void* found = ::memrchr(draws.data(), p, static_cast<std::size_t>(n - 1));
    if (!found) return std::nullopt;
    const int k = static_cast<int>(static_cast<const std::uint8_t*>(found) - draws.data()) + 1;
    return n - 1 - k;
}

std::string DrawsCellText(const DrawLog& log, RouletteKind kind, const CroupierTable& croupiers,
                          int n, int column, const WheelNameTable* wheels) {
    const Pocket p = log.draw(n);
    auto mark = [](bool on, const char* text) { return std::string(on ? text : ""); };
    switch (column) {
        case 0: {
            const auto t = log.drawTime(n);
            return t ? FormatDrawTime(*t) : std::string();
        }
        case 1: {
            const auto name = croupiers.CroupierName(log.drawCroupier(n));
            return name ? *name : std::string("-");
        }
        case 2:
            return std::to_string(n);
        case 3:
            return IsRed(p) ? PocketText(p) : std::string();
        case 4:
            return (p == 0 || p == DoubleZero) ? PocketText(p) : std::string();
        case 5:
            return IsBlack(p) ? PocketText(p) : std::string();
        case 6:
            return mark(IsOdd(p), "X");
        case 7:
            return mark(IsEven(p), "X");
        case 8:
            return mark(IsLow(p), "X");
        case 9:
            return mark(IsHigh(p), "X");
        case 10:
        case 11:
        case 12:
            return ColumnOf(p) == column - 9 ? std::to_string(column - 9) : std::string();
        case 13:
        case 14:
        case 15:
            return DozenOf(p) == column - 12 ? std::to_string(column - 12) : std::string();
        case 16: {
            if (n < 2) return {};
            int d = wheelDistance(kind, log.draw(n - 1), p);
            if (log.drawDirection(n) == SpinDirection::Anticlockwise && d != 0)
                d = pocketCount(kind) - d;
            return std::to_string(d);
        }
        case 17: {
            const auto gap = RepeatGap(log, n);
            return gap ? std::to_string(*gap) : std::string();
        }
        case 18: {
            const std::int32_t w = log.drawWheel(n);
            const auto name = w != 0 && wheels ? wheels->WheelName(w) : std::nullopt;
            return name.value_or(std::string());
        }
        case 19:
            switch (log.drawDirection(n)) {
                case SpinDirection::Clockwise:
                    return "\u21bb";
                case SpinDirection::Anticlockwise:
                    return "\u21ba";
                case SpinDirection::Unknown:
                    return {};
            }
            return {};
        default:
            return {};
    }
}

DrawsCellStyle DrawsCellStyleOf(int column) {
    switch (column) {
        case 3:
            return DrawsCellStyle::RedBold;
        case 4:
            return DrawsCellStyle::GreenBold;
        case 5:
            return DrawsCellStyle::BlackBold;
        case 17:
            return DrawsCellStyle::BlueBold;
        default:
            return DrawsCellStyle::Normal;
    }
}

bool DrawsCellShaded(int column) {
    return column == 6 || column == 7 || (column >= 10 && column <= 12);
}

std::array<int, drawsGridColumns> DrawsPageWidths(int page) {
    std::array<int, drawsGridColumns> w{};
    w[2] = 59;
    w[3] = w[4] = w[5] = 20;
    switch (page) {
        case 2:
            for (int c = 6; c <= 9; ++c) w[c] = 17;
            for (int c = 10; c <= 15; ++c) w[c] = 16;
            break;
        case 3:
            // The distance beside the wheel and the direction it is counted in.
            w[16] = 52;
            w[17] = 44;
            w[18] = 44;
            w[19] = 24;
            break;
        default:
            w[0] = 94;
            w[1] = 70;
    }
    return w;
}

}  // namespace spinalyst
