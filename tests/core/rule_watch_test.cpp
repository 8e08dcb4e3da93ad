#include "core/betting/rule_watch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/betting/strategy_session.h"
#include "system_support.h"

namespace spinalyst {
namespace {

using test::BetsText;
using test::SystemPlan;

struct Table {
    const char* name;
    const char* system;
    std::vector<Pocket> pockets;
    // The base bets decided before each spin, and after the last one.
    std::vector<std::string> bets;
};

// Red: 1 3 5 7 9 12 14 16 18 19 21 23 25 27 30 32 34 36. Dozens 1-12, 13-24, 25-36; columns
// 1, 4, 7 ... / 2, 5, 8 ... / 3, 6, 9 ...
const Table tables[] = {
    {"streak, broken by black and by zero",
     "--rule streak red >= 3 => black=1",
     {1, 3, 5, 2, 7, 9, 12, 14, 0, 1},
     {"", "", "", "black=1.00", "", "", "", "black=1.00", "black=1.00", "", ""}},
    {"absent, zero counting towards the absence",
     "--rule absent any douzaine >= 3 => that=1",
     {1, 2, 13, 14, 0, 3, 25},
     {"", "", "", "douzaine:3=1.00", "douzaine:3=1.00", "douzaine:1=1.00, douzaine:3=1.00",
      "douzaine:3=1.00", "douzaine:2=1.00"}},
    {"the opposite of two sleeping dozens is the third",
     "--rule absent any douzaine >= 3 => opposite=1",
     {1, 2, 13, 14, 0, 3, 25},
     {"", "", "", "douzaine:1=1.00, douzaine:2=1.00", "douzaine:1=1.00, douzaine:2=1.00",
      "douzaine:2=1.00", "douzaine:1=1.00, douzaine:2=1.00", "douzaine:1=1.00, douzaine:3=1.00"}},
    {"last any colonne follows the column; zero is none",
     "--rule last any colonne => that=2",
     {5, 0, 36, 4},
     {"", "colonne:2=2.00", "", "colonne:3=2.00", "colonne:1=2.00"}},
    {"the opposites of the even chances a pocket hit",
     "--rule last any simple => opposite=1",
     {1, 0, 36},
     {"", "black=1.00, even=1.00, high=1.00", "", "black=1.00, odd=1.00, low=1.00"}},
    {"hits in a window, at least and at most",
     "--rule hits red in 4 >= 3 => red=1\n--rule hits red in 4 <= 1 => black=1",
     {1, 3, 2, 5, 4, 6, 8, 7},
     {"", "", "", "", "red=1.00", "", "black=1.00", "black=1.00", "black=1.00"}},
    {"hits of one number, staked with its neighbours",
     "--rule hits plein:17 in 3 >= 2 => plein:17=1\n--neighbours 1",
     {17, 5, 17, 17, 4},
     {"", "", "", "plein:17=1.00, plein:25=1.00, plein:34=1.00",
      "plein:17=1.00, plein:25=1.00, plein:34=1.00",
      "plein:17=1.00, plein:25=1.00, plein:34=1.00"}},
    {"and: both hold; that from the any condition",
     "--rule last red and absent any douzaine >= 2 => that=1",
     {1, 3, 2, 25},
     {"", "", "douzaine:2=1.00, douzaine:3=1.00", "", "douzaine:2=1.00"}},
    {"that and opposite of one slot",
     "--rule streak red >= 2 => that=1, opposite=3\n--rule last douzaine:2 => opposite=1",
     {1, 3, 13},
     {"", "", "red=1.00, black=3.00", "douzaine:1=1.00, douzaine:3=1.00"}},
    {"the same slot from several rules adds up",
     "--rule last red => black=1\n--rule streak red >= 2 => black=2",
     {1, 3, 2},
     {"", "black=1.00", "black=3.00", ""}},
    {"an always rule beside a condition",
     "--rule always => plein:0=1\n--rule last black => red=1",
     {2, 1},
     {"plein:0=1.00", "plein:0=1.00, red=1.00", "plein:0=1.00"}},
    {"absent counts from the first spin even without a hit yet",
     "--rule absent plein:7 >= 2 => plein:7=1",
     {1, 7, 2, 3},
     {"", "", "", "", "plein:7=1.00"}},
};

TEST(RuleWatch, HandWorkedTablesForEachCondition) {
    for (const Table& t : tables) {
        SCOPED_TRACE(t.name);
        const PlanTable table(SystemPlan(t.system));
        RuleWatch watch(table.ruleBook());
        std::vector<std::string> bets;
        for (Pocket p : t.pockets) {
            bets.push_back(BetsText(watch.Decide()));
            watch.Observe(p);
        }
        bets.push_back(BetsText(watch.Decide()));
        EXPECT_EQ(bets, t.bets);
        // The tables' bets are those of a fresh watch after a reset: no state is left behind.
        watch.Reset();
        EXPECT_EQ(BetsText(watch.Decide()), t.bets.front());
        for (std::size_t i = 0; i < t.pockets.size(); ++i) watch.Observe(t.pockets[i]);
        EXPECT_EQ(BetsText(watch.Decide()), t.bets.back());
    }
}

TEST(RuleWatch, SaysWhichRulesFired) {
    const PlanTable table(
        SystemPlan("--rule last red => black=1\n--rule streak red >= 2 => black=2\n--rule last "
                   "black => red=1"));
    RuleWatch watch(table.ruleBook());
    watch.Decide();
    EXPECT_EQ(watch.fired(), 0u);
    watch.Observe(1);
    watch.Decide();
    EXPECT_EQ(FiredRuleIndices(watch.fired()), (std::vector<int>{0}));
    watch.Observe(3);
    watch.Decide();
    EXPECT_EQ(FiredRuleIndices(watch.fired()), (std::vector<int>{0, 1}));
    watch.Observe(2);
    watch.Decide();
    EXPECT_EQ(FiredRuleIndices(watch.fired()), (std::vector<int>{2}));
}

TEST(RuleWatch, AnyFamilyTakesTheSlotsTheTableOffers) {
    // 00 is a number of the American table: absent all along, it is the late one.
    const PlanTable american(
        SystemPlan("--rule absent any plein >= 37 => that=1", RouletteKind::American));
    RuleWatch watch(american.ruleBook());
    const std::vector<Pocket> everyOther = [] {
        std::vector<Pocket> pockets;
        for (Pocket p = 0; p <= 36; ++p) pockets.push_back(p);
        return pockets;
    }();
    for (Pocket p : everyOther) watch.Observe(p);
    EXPECT_EQ(BetsText(watch.Decide()), "plein:00=1.00");
    const PlanTable french(SystemPlan("--rule absent any plein >= 37 => that=1"));
    RuleWatch frenchWatch(french.ruleBook());
    for (Pocket p : everyOther) frenchWatch.Observe(p);
    EXPECT_EQ(BetsText(frenchWatch.Decide()), "");
}

TEST(RuleWatch, ACopySeesTheSameHistory) {
    const PlanTable table(SystemPlan("--rule hits any douzaine in 5 >= 3 => that=1"));
    RuleWatch watch(table.ruleBook());
    for (Pocket p : {1, 2, 13, 3, 4}) watch.Observe(p);
    EXPECT_EQ(BetsText(watch.Decide()), "douzaine:1=1.00");
    RuleWatch copy(watch);
    EXPECT_EQ(BetsText(*copy.decided()), "douzaine:1=1.00");
    for (Pocket p : {14, 15, 16}) copy.Observe(p);
    EXPECT_EQ(BetsText(copy.Decide()), "douzaine:2=1.00");
    // The original did not see the copy's spins.
    EXPECT_EQ(BetsText(watch.Decide()), "douzaine:1=1.00");
}

}  // namespace
}  // namespace spinalyst
