#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/betting/bet_names.h"
#include "core/betting/system_error.h"
#include "core/model/roulette.h"

namespace spinalyst {

// A word of a rule as written, lower-cased, with its place in the rule's text.
struct RuleWord {
    std::string text;
    std::size_t offset = 0;
    std::size_t length = 0;
};

// What a condition asks of the spins seen so far (see the rule language in the manual).
enum class ConditionKind { Always, Last, Streak, Absent, HitsAtMost, HitsAtLeast };

// The largest n, m or k a condition takes.
inline constexpr std::int64_t maxConditionCount = 1'000'000;

struct RuleCondition {
    ConditionKind kind = ConditionKind::Always;
    // The word that names the condition.
    RuleWord keyword;
    // The bet it watches, or with `any` the family's name; empty for `always`.
    RuleWord subject;
    bool any = false;
    // n of streak and absent, k of hits.
    std::int64_t count = 0;
    // m of hits.
    std::int64_t window = 0;
};

enum class BetTarget { Named, That, Opposite };

struct RuleBet {
    BetTarget target = BetTarget::Named;
    // The bet's name, or the word `that` or `opposite`.
    RuleWord name;
    Cents amount = 0;
    RuleWord amountWord;
};

// A rule, WHEN => BETS, read but not yet put on a table: its names are checked against the
// table's kind when a plan is made of it (BindSystem).
struct Rule {
    // The text it was read from, without the spaces around it.
    std::string text;
    std::vector<RuleCondition> when;
    std::vector<RuleBet> bets;
    // Written as a --bet option (always => SLOT=AMOUNT) rather than as --rule.
    bool fromBet = false;
    // The line of a system file it came from, or 0.
    int line = 0;

    // The condition whose subject `that` stands for: the `any` one, else the first with a
    // subject; nullopt when no condition has one.
    std::optional<std::size_t> thatCondition() const;
    static std::optional<std::size_t> thatConditionOf(const std::vector<RuleCondition>& when);
    // Whether it holds before any spin: its conditions are all `always`.
    bool alwaysTrue() const;
    // Two rules are the same when they read the same: RuleText.
    friend bool operator==(const Rule& a, const Rule& b);
};

struct RuleParse {
    std::optional<Rule> rule;
    std::optional<SystemError> error;
};

// Reads WHEN => BETS. The error names rule `number` (counted from 1) and carries the place of
// the faulty word in `text`.
RuleParse ParseRule(std::string_view text, int number = 1);

// The rule written out in its usual form, lower case, single spaces, amounts with two
// decimals only when they have cents: "absent any douzaine >= 12 => that=1".
std::string RuleText(const Rule& rule);

// A --bet SLOT=AMOUNT as the rule that plays it on every spin.
RuleParse BetOptionRule(std::string_view bet);

}  // namespace spinalyst
