#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "core/betting/bind_system.h"
#include "core/betting/money.h"

namespace spinalyst::test {

// A system text (one PLAN option a line) put on a table of `kind`; a failed test, and a plan
// of no bet, when it does not read or bind.
inline BettingPlan SystemPlan(std::string_view text, RouletteKind kind = RouletteKind::French) {
    const SystemParse parse = ParseSystem(text);
    if (!parse.system) {
        ADD_FAILURE() << text << ": " << SystemErrorMessage(*parse.error);
        return {};
    }
    PlanBind bind = BindSystem(*parse.system, kind);
    if (!bind.plan) {
        ADD_FAILURE() << text << ": " << SystemErrorMessage(*bind.error);
        return {};
    }
    return std::move(*bind.plan);
}

// A spin's base bets as "douzaine:1=1.00, douzaine:3=1.00", in stake-table order; "" when idle.
inline std::string BetsText(const SpinTable& table) {
    std::string text;
    for (const PlacedBet& bet : table.bets())
        text +=
            (text.empty() ? "" : ", ") + SlotName(bet.slot) + '=' + FormatAmount(bet.stake, '.');
    return text;
}

}  // namespace spinalyst::test
