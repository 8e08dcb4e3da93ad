// System files: any text is read or refused without harm; an error marks a place inside its
// line; a system read is written and read back the same, and a plan bound from it plays.
#include <cstdint>
#include <string>

#include "core/betting/backtest.h"
#include "core/betting/bind_system.h"
#include "fuzz_check.h"

using namespace spinalyst;
using fuzz::Check;

namespace {

std::string_view LineOf(std::string_view text, int line) {
    std::size_t start = 0;
    for (int i = 1; i < line; ++i) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) return {};
        start = end + 1;
    }
    return text.substr(start, text.find('\n', start) - start);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const RouletteKind kind = allKinds[data[0] % allKinds.size()];
    const std::string_view text = fuzz::AsText(data + 1, size - 1);
    const SystemParse parse = ParseSystem(text);
    if (!parse.system) {
        Check(parse.error.has_value(), "a refused text says why");
        Check(!SystemErrorMessage(*parse.error).empty(), "the error has a message");
        if (parse.error->line > 0 && !text.starts_with("\xEF\xBB\xBF")) {
            const std::string_view line = LineOf(text, parse.error->line);
            Check(parse.error->column + parse.error->length <= line.size(),
                  "the marked word lies in its line");
        }
        return 0;
    }
    const std::string written = SystemText(*parse.system);
    const SystemParse again = ParseSystem(written);
    Check(again.system && *again.system == *parse.system, "the system reads back");
    const PlanBind bind = BindSystem(*parse.system, kind);
    if (!bind.plan) {
        Check(bind.error.has_value(), "a plan refused says why");
        return 0;
    }
    Check(!CheckPlan(*bind.plan), "a bound plan can be played");
    // A short game of the input's own bytes as pockets.
    std::vector<std::uint8_t> pockets;
    for (std::size_t i = 1; i < size && pockets.size() < 500; ++i)
        pockets.push_back(static_cast<std::uint8_t>(
            firstPocket(kind) + data[i] % static_cast<std::uint8_t>(pocketCount(kind))));
    const PlanTable table(*bind.plan);
    const BacktestResult result = RunBacktest(table, pockets);
    Check(result.balance == result.won - result.staked, "the backtest adds up");
    return 0;
}
