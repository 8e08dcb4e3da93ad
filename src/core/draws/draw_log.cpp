#include "core/draws/draw_log.h"

#include <algorithm>
#include <ctime>

namespace spinalyst {

std::optional<DrawTime> DrawLog::drawTime(int n) const {
    const std::uint32_t t = times_[static_cast<std::size_t>(n - 1)];
    if (t == 0) return std::nullopt;
    return static_cast<DrawTime>(t);
}

void DrawLog::AppendSpin(std::uint16_t spin) {
    if (spins_.empty()) {
        spins_.reserve(pockets_.capacity());
        spins_.resize(pockets_.size() - 1, 0);
    }
    spins_.push_back(spin);
    CountSpin(spin, 1);
}

void DrawLog::CountSpin(std::uint16_t spin, int sign) {
    wheeledDraws_ += (spin & wheelBits) != 0 ? sign : 0;
    directedDraws_ += (spin >> directionShift) != 0 ? sign : 0;
}

DrawLog DrawLog::Slice(int first, int last) const {
    DrawLog slice;
    const auto from = static_cast<std::ptrdiff_t>(first - 1);
    const auto to = static_cast<std::ptrdiff_t>(last);
    slice.pockets_.assign(pockets_.begin() + from, pockets_.begin() + to);
    slice.times_.assign(times_.begin() + from, times_.begin() + to);
    slice.croupiers_.assign(croupiers_.begin() + from, croupiers_.begin() + to);
    if (!spins_.empty()) {
        slice.spins_.assign(spins_.begin() + from, spins_.begin() + to);
        for (const std::uint16_t spin : slice.spins_) slice.CountSpin(spin, 1);
    }
    return slice;
}

void DrawLog::MapCroupiers(std::span<const std::int32_t> numbers) {
    for (std::int32_t& c : croupiers_)
        c = c > 0 && static_cast<std::size_t>(c) < numbers.size()
                ? numbers[static_cast<std::size_t>(c)]
                : 0;
}

void DrawLog::MapWheels(std::span<const std::int32_t> numbers) {
    for (std::uint16_t& spin : spins_) {
        const std::size_t w = spin & wheelBits;
        const std::int32_t to = w > 0 && w < numbers.size() ? numbers[w] : 0;
        CountSpin(spin, -1);
        spin = static_cast<std::uint16_t>((spin & ~wheelBits) |
                                          (to > 0 && to <= maxWheelNumber ? to : 0));
        CountSpin(spin, 1);
    }
}

void DrawLog::RemoveLast() {
    if (pockets_.empty()) return;
    pockets_.pop_back();
    times_.pop_back();
    croupiers_.pop_back();
    if (!spins_.empty()) {
        CountSpin(spins_.back(), -1);
        spins_.pop_back();
    }
}

void DrawLog::Clear() {
    pockets_.clear();
    times_.clear();
    croupiers_.clear();
    spins_.clear();
    wheeledDraws_ = directedDraws_ = 0;
}

void DrawLog::Reserve(std::size_t n) {
    pockets_.reserve(n);
    times_.reserve(n);
    croupiers_.reserve(n);
    if (!spins_.empty()) spins_.reserve(n);
}

std::string FormatDrawTime(DrawTime t) {
    const std::time_t tt = static_cast<std::time_t>(t);
    std::tm local{};
    if (!localtime_r(&tt, &local)) return {};
    char buffer[32];
    const std::size_t n = std::strftime(buffer, sizeof buffer, "%y%m%d %H%M%S", &local);
    return std::string(buffer, n);
}

}  // namespace spinalyst
