#include "core/draws/draw_log.h"

#include <ctime>

#include "core/store/huge_pages.h"

namespace spinalyst {

std::optional<DrawTime> DrawLog::drawTime(int n) const {
    const std::uint32_t t = times_[static_cast<std::size_t>(n - 1)];
    if (t == 0) return std::nullopt;
    return static_cast<DrawTime>(t);
}

DrawLog DrawLog::Slice(int first, int last) const {
    DrawLog slice;
    const auto from = static_cast<std::ptrdiff_t>(first - 1);
    const auto to = static_cast<std::ptrdiff_t>(last);
    slice.pockets_.assign(pockets_.begin() + from, pockets_.begin() + to);
    slice.times_.assign(times_.begin() + from, times_.begin() + to);
    slice.croupiers_.assign(croupiers_.begin() + from, croupiers_.begin() + to);
    return slice;
}

void DrawLog::RemoveLast() {
    if (pockets_.empty()) return;
    pockets_.pop_back();
    times_.pop_back();
    croupiers_.pop_back();
}

void DrawLog::Clear() {
    pockets_.clear();
    times_.clear();
    croupiers_.clear();
}

void DrawLog::Reserve(std::size_t n) {
    pockets_.reserve(n);
    times_.reserve(n);
    croupiers_.reserve(n);
    AdviseHugePages(pockets_.data(), pockets_.capacity());
    AdviseHugePages(times_.data(), times_.capacity() * sizeof(std::uint32_t));
    AdviseHugePages(croupiers_.data(), croupiers_.capacity() * sizeof(std::int32_t));
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
