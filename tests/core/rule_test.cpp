#include "core/betting/rule.h"

#include <gtest/gtest.h>

#include <string>

namespace spinalyst {
namespace {

TEST(Rule, ReadsTheLanguageAndWritesItBackInItsUsualForm) {
    const struct {
        const char* text;
        const char* written;
    } cases[] = {
        {"always => red=1", "always => red=1"},
        {"streak red >= 3 => black=1", "streak red >= 3 => black=1"},
        {"absent any douzaine >= 12 => that=1", "absent any douzaine >= 12 => that=1"},
        {"last any colonne => that=2", "last any colonne => that=2"},
        {"hits plein:17 in 200 >= 12 => plein:17=1", "hits plein:17 in 200 >= 12 => plein:17=1"},
        {"hits Red in 10 <= 2 => RED=0.5", "hits red in 10 <= 2 => red=0.50"},
        // Spaces are optional around the signs, and case does not count.
        {"  ABSENT any Douzaine>=12=>that=1 ,opposite = 2.25 ",
         "absent any douzaine >= 12 => that=1, opposite=2.25"},
        {"last red and absent any colonne >= 5 => that=1, plein:00=1",
         "last red and absent any colonne >= 5 => that=1, plein:00=1"},
        {"always and streak black >= 2 => red=100000",
         "always and streak black >= 2 => red=100000"},
    };
    for (const auto& c : cases) {
        const RuleParse parse = ParseRule(c.text);
        ASSERT_TRUE(parse.rule) << c.text << ": " << SystemErrorMessage(*parse.error);
        EXPECT_EQ(RuleText(*parse.rule), c.written);
        // Read again, it is the same rule.
        const RuleParse again = ParseRule(RuleText(*parse.rule));
        ASSERT_TRUE(again.rule);
        EXPECT_EQ(*again.rule, *parse.rule);
    }
}

TEST(Rule, ReadsConditionsAndTargets) {
    const RuleParse parse =
        ParseRule("hits any simple in 10 <= 2 and last plein:5 => that=1, opposite=2, red=3");
    ASSERT_TRUE(parse.rule);
    const Rule& r = *parse.rule;
    ASSERT_EQ(r.when.size(), 2u);
    EXPECT_EQ(r.when[0].kind, ConditionKind::HitsAtMost);
    EXPECT_TRUE(r.when[0].any);
    EXPECT_EQ(r.when[0].subject.text, "simple");
    EXPECT_EQ(r.when[0].window, 10);
    EXPECT_EQ(r.when[0].count, 2);
    EXPECT_EQ(r.when[1].kind, ConditionKind::Last);
    EXPECT_EQ(r.when[1].subject.text, "plein:5");
    // `that` comes from the `any` condition even when it is not the first.
    EXPECT_EQ(r.thatCondition(), 0u);
    ASSERT_EQ(r.bets.size(), 3u);
    EXPECT_EQ(r.bets[0].target, BetTarget::That);
    EXPECT_EQ(r.bets[1].target, BetTarget::Opposite);
    EXPECT_EQ(r.bets[1].amount, 200);
    EXPECT_EQ(r.bets[2].target, BetTarget::Named);
    EXPECT_EQ(r.bets[2].name.text, "red");
    EXPECT_FALSE(r.alwaysTrue());

    const RuleParse first = ParseRule("last red and last any douzaine => that=1");
    EXPECT_EQ(first.rule->thatCondition(), 1u);
    const RuleParse plain = ParseRule("last black and streak red >= 2 => that=1");
    EXPECT_EQ(plain.rule->thatCondition(), 0u);
    EXPECT_TRUE(ParseRule("always => red=1").rule->alwaysTrue());
}

TEST(Rule, EachFaultNamesTheRuleAndMarksItsWord) {
    const struct {
        const char* text;
        SystemErrorCode code;
        // The marked word: where it starts and how long it is.
        std::size_t offset, length;
        const char* message;
    } cases[] = {
        {"absnt any douzaine >= 12 => that=1", SystemErrorCode::NotACondition, 0, 5,
         "rule 2: 'absnt' is not a condition; write always, last, streak, absent or hits"},
        {"   ", SystemErrorCode::EmptyRule, 0, 0, "rule 2: it is empty; write WHEN => BETS"},
        {"streak red >= 3 black=1", SystemErrorCode::MissingArrow, 23, 0,
         "rule 2: '=>' is missing between the condition and the bets"},
        {"=> red=1", SystemErrorCode::NoCondition, 0, 2, "rule 2: no condition before '=>'"},
        {"streak => red=1", SystemErrorCode::MissingSubject, 0, 6,
         "rule 2: 'streak' needs a bet or 'any FAMILY' after it"},
        {"absent any dozen >= 3 => that=1", SystemErrorCode::NotAFamily, 11, 5,
         "rule 2: 'dozen' is not a family; write simple, douzaine, colonne, sizain, transversale, "
         "carre, cheval or plein"},
        {"streak red > 3 => black=1", SystemErrorCode::ExpectedWord, 11, 1,
         "rule 2: '>' where '>=' is expected"},
        {"streak red => black=1", SystemErrorCode::EndsEarly, 11, 0,
         "rule 2: the rule ends where '>=' is expected"},
        {"streak red >= 0 => black=1", SystemErrorCode::BadCount, 14, 1,
         "rule 2: '0' must be a whole number from 1 to 1000000"},
        {"absent red >= 1000001 => black=1", SystemErrorCode::BadCount, 14, 7, nullptr},
        {"absent red >= 2.5 => black=1", SystemErrorCode::BadCount, 14, 3, nullptr},
        {"hits red of 10 >= 3 => red=1", SystemErrorCode::ExpectedWord, 9, 2,
         "rule 2: 'of' where 'in' is expected"},
        {"hits red in 10 = 3 => red=1", SystemErrorCode::ExpectedWord, 15, 1,
         "rule 2: '=' where '<=' or '>=' is expected"},
        {"hits red in 10 >= 11 => red=1", SystemErrorCode::CountAboveWindow, 18, 2,
         "rule 2: '11' is more than the 10 spins it counts"},
        {"last any colonne and absent any douzaine >= 4 => that=1", SystemErrorCode::SecondAny, 28,
         3, "rule 2: a second 'any': a rule watches one family at most"},
        {"last red black => red=1", SystemErrorCode::ExpectedWord, 9, 5,
         "rule 2: 'black' where 'and' or '=>' is expected"},
        {"last red and => red=1", SystemErrorCode::NotACondition, 13, 2, nullptr},
        {"last red =>", SystemErrorCode::NoBets, 11, 0, "rule 2: no bet after '=>'"},
        {"last red => black", SystemErrorCode::BetWithoutAmount, 12, 5,
         "rule 2: 'black' needs =AMOUNT"},
        {"last red => black=0", SystemErrorCode::BadAmount, 18, 1,
         "rule 2: the amount must be positive with at most two decimals, not '0'"},
        {"last red => black=1.005", SystemErrorCode::BadAmount, 18, 5, nullptr},
        {"last red => black=", SystemErrorCode::BadAmount, 18, 0, nullptr},
        {"last red => black=100000.01", SystemErrorCode::AmountAboveSlot, 18, 9,
         "rule 2: the stake on 'black' may not pass 100000.00"},
        {"always => that=1", SystemErrorCode::ThatWithoutSubject, 10, 4,
         "rule 2: 'that' needs a condition on a bet"},
        {"always => opposite=1", SystemErrorCode::ThatWithoutSubject, 10, 8, nullptr},
        {"last red => black=1 red=1", SystemErrorCode::ExpectedWord, 20, 3,
         "rule 2: 'red' where ',' is expected"},
        {"last red => black=1,", SystemErrorCode::EndsEarly, 20, 0, nullptr},
        {"last red => , black=1", SystemErrorCode::ExpectedWord, 12, 1, nullptr},
    };
    for (const auto& c : cases) {
        const RuleParse parse = ParseRule(c.text, 2);
        ASSERT_FALSE(parse.rule) << c.text;
        ASSERT_TRUE(parse.error) << c.text;
        const SystemError& e = *parse.error;
        EXPECT_EQ(e.code, c.code) << c.text << ": " << SystemErrorMessage(e);
        EXPECT_EQ(e.rule, 2) << c.text;
        EXPECT_EQ(e.offset, c.offset) << c.text;
        EXPECT_EQ(e.length, c.length) << c.text;
        if (c.message) {
            EXPECT_EQ(SystemErrorMessage(e), c.message);
        }
    }
}

TEST(Rule, BetOptionIsTheRuleAlways) {
    const RuleParse parse = BetOptionRule("Plein:17=0.5");
    ASSERT_TRUE(parse.rule);
    EXPECT_TRUE(parse.rule->fromBet);
    EXPECT_EQ(RuleText(*parse.rule), "always => plein:17=0.50");
    // Its words are marked in the option's value.
    EXPECT_EQ(parse.rule->bets.front().name.offset, 0u);
    EXPECT_EQ(parse.rule->bets.front().amountWord.offset, 9u);

    const RuleParse bad = BetOptionRule("red=x");
    ASSERT_TRUE(bad.error);
    EXPECT_EQ(SystemErrorMessage(*bad.error),
              "--bet: the amount must be positive with at most two decimals, not 'x'");
    EXPECT_EQ(bad.error->offset, 4u);
    EXPECT_EQ(BetOptionRule("red").error->code, SystemErrorCode::BetWithoutAmount);
    // One bet an option, as before.
    EXPECT_EQ(BetOptionRule("red=1,black=1").error->code, SystemErrorCode::BadAmount);
    EXPECT_EQ(BetOptionRule("that=1").error->code, SystemErrorCode::ThatWithoutSubject);
}

}  // namespace
}  // namespace spinalyst
