#include "core/betting/system.h"

#include <gtest/gtest.h>

#include <string>

#include "core/betting/bind_system.h"
#include "core/store/language_table.h"
#include "test_support.h"

namespace spinalyst {
namespace {

constexpr const char* evening =
    "# The sleeping dozen, on a budget\n"
    "\n"
    "--rule absent any douzaine >= 12 => that=1\n"
    "--rule streak red >= 3 => black=1   # three reds, then black\n"
    "--progression labouchere\n"
    "  --line=1,2,3\r\n"
    "--bankroll 50\n"
    "--table-max 20\n"
    "--at-limit cap\n"
    "--stop-win 10\n"
    "--stop-loss 40\n"
    "--max-spins 300\n"
    "--neighbours 2\n"
    "--la-partage\n";

TEST(SystemFile, ReadsEveryPlanOption) {
    const SystemParse parse = ParseSystem(evening);
    ASSERT_TRUE(parse.system) << SystemErrorMessage(*parse.error);
    const System& s = *parse.system;
    ASSERT_EQ(s.rules.size(), 2u);
    EXPECT_EQ(RuleText(s.rules[0]), "absent any douzaine >= 12 => that=1");
    EXPECT_EQ(s.rules[1].line, 4);
    EXPECT_EQ(s.progression.kind, Progression::Labouchere);
    EXPECT_EQ(s.progression.line, (std::vector<Units>{1, 2, 3}));
    EXPECT_EQ(s.money.bankroll, 5000);
    EXPECT_EQ(s.money.tableMax, 2000);
    EXPECT_EQ(s.money.atLimit, AtLimit::Cap);
    EXPECT_EQ(s.money.stopWin, 1000);
    EXPECT_EQ(s.money.stopLoss, 4000);
    EXPECT_EQ(s.money.maxSpins, 300);
    EXPECT_EQ(s.neighbours, 2);
    EXPECT_TRUE(s.money.laPartage);
    EXPECT_FALSE(s.plainBets());
}

TEST(SystemFile, WritesWhatItReadsBack) {
    const char* texts[] = {
        evening,
        "--bet red=1\n--bet plein:17=0.5\n--neighbours 1\n",
        "--rule last any colonne => that=2\n--progression sequence\n--sequence 1,3,9\n"
        "--advance-on win\n",
        "--rule always => red=1, black=1\n--progression martingale\n",
        "--rule hits plein:00 in 200 >= 12 => plein:00=1\n",
    };
    for (const char* text : texts) {
        const SystemParse first = ParseSystem(text);
        ASSERT_TRUE(first.system) << text;
        const std::string written = SystemText(*first.system);
        const SystemParse again = ParseSystem(written);
        ASSERT_TRUE(again.system) << written;
        EXPECT_EQ(*again.system, *first.system) << written;
        EXPECT_EQ(SystemText(*again.system), written);
    }
    // Plain bets are written as --bet lines, the others as rules, then what is not a default.
    EXPECT_EQ(SystemText(*ParseSystem("--bet red=1\n--bet plein:17=0.5\n--max-spins 9").system),
              "--bet red=1\n--bet plein:17=0.50\n--max-spins 9\n");
    EXPECT_EQ(SystemText(*ParseSystem(evening).system),
              "--rule absent any douzaine >= 12 => that=1\n--rule streak red >= 3 => black=1\n"
              "--neighbours 2\n--progression labouchere\n--line 1,2,3\n--bankroll 50.00\n"
              "--table-max 20.00\n--at-limit cap\n--stop-win 10.00\n--stop-loss 40.00\n"
              "--max-spins 300\n--la-partage\n");
}

TEST(SystemFile, AFaultNamesItsLineAndMarksItsWord) {
    const struct {
        const char* text;
        int line;
        std::size_t column, length;
        const char* message;
    } cases[] = {
        {"--rule last red => black=1\n\n--rule absnt any douzaine >= 12 => that=1\n", 3, 7, 5,
         "rule 2: 'absnt' is not a condition; write always, last, streak, absent or hits"},
        {"# one\nrule last red => black=1\n", 2, 0, 4,
         "'rule' is not an option; each line holds --NAME and its value"},
        {"--rule last red => black=1\n--kind french\n", 2, 7, 6,
         "'--kind' is not an option of a betting plan"},
        {"--rule last red => black=1\n--bankroll\n", 2, 10, 0, "option '--bankroll' needs a value"},
        {"--rule last red => black=1\n--la-partage yes\n", 2, 13, 3,
         "option '--la-partage' takes no value"},
        {"--rule last red => black=1\n--stop-win 5\n--stop-win 6\n", 3, 11, 1,
         "option '--stop-win' given twice"},
        {"--bet red=1\n--rule last red => black=1\n", 2, 7, 19,
         "--bet and --rule do not go together: plain bets are the rule 'always => BETS'"},
        {"--bet red=1\n--progression doubling\n", 2, 14, 8,
         "--progression must be flat, martingale, grand-martingale, dalembert, fibonacci, "
         "labouchere, paroli or sequence, not 'doubling'"},
        {"--bet red=1\n--line 1,2\n", 2, 7, 3, "--line goes with --progression labouchere only"},
        {"--bet red=1\n--progression labouchere\n--line 1,0\n", 3, 7, 3,
         "--line entries must be a whole number from 1 to 1000000, not '0'"},
        {"--bet red=1\n--bankroll 1.001\n", 2, 11, 5,
         "--bankroll must be a positive amount with at most two decimals, not '1.001'"},
        {"--bet red=1\n--table-max 100000.01\n", 2, 12, 9,
         "--table-max may not pass 100000.00, the table's own limit"},
        {"--bet red=1\n--neighbours 18\n", 2, 13, 2,
         "--neighbours must be a whole number from 1 to 17, not '18'"},
        {"--bet red=1\n  --bet black\n", 2, 8, 5, "--bet: 'black' needs =AMOUNT"},
    };
    for (const auto& c : cases) {
        const SystemParse parse = ParseSystem(c.text);
        ASSERT_TRUE(parse.error) << c.text;
        EXPECT_EQ(parse.error->line, c.line) << c.text;
        EXPECT_EQ(parse.error->column, c.column) << c.text;
        EXPECT_EQ(parse.error->length, c.length) << c.text;
        EXPECT_EQ(SystemErrorMessage(*parse.error), c.message);
    }
}

TEST(SystemFile, BindingAFileNamesTheRuleItsLineAndTheWord) {
    const struct {
        const char* text;
        RouletteKind kind;
        int rule, line;
        std::size_t offset, length;
        const char* message;
    } cases[] = {
        {"--rule last red => black=1\n--rule absent plein:00 >= 50 => plein:00=1\n",
         RouletteKind::French, 2, 2, 7, 8, "rule 2: the french table has no slot 'plein:00'"},
        {"--rule last douzaine:4 => black=1\n", RouletteKind::French, 1, 1, 5, 10,
         "rule 1: the index of douzaine must be from 1 to 3, not '4'"},
        {"--rule last rouge => black=1\n", RouletteKind::French, 1, 1, 5, 5,
         "rule 1: 'rouge' is no slot; write KIND:INDEX with KIND one of plein, cheval, "
         "transversale, carre, sizain, colonne, douzaine, rougenoir, pairimpair, manquepasse, or "
         "one of red, black, even, odd, low, high"},
        {"--rule last any plein => opposite=1\n", RouletteKind::French, 1, 1, 18, 8,
         "rule 1: 'opposite' is for even chances, dozens and columns, not 'any plein'"},
        {"--rule last plein:5 => that=1, opposite=1\n", RouletteKind::French, 1, 1, 24, 8,
         "rule 1: 'opposite' is for even chances, dozens and columns, not 'plein:5'"},
        {"--rule last red => black=6\n--table-max 5\n", RouletteKind::French, 1, 1, 12, 5,
         "rule 1: the stake on 'black' passes the table maximum 5.00"},
        {"--rule last red => black=3, black=3\n--table-max 5\n", RouletteKind::French, 1, 1, 21, 5,
         "rule 1: the stake on 'black' passes the table maximum 5.00"},
        {"--rule last red => plein:17=3, plein:25=3\n--neighbours 1\n--table-max 5\n",
         RouletteKind::French, 1, 1, 24, 8,
         "rule 1: the stake on 'plein:17' passes the table maximum 5.00"},
        {"--rule last red => black=2\n--progression labouchere\n--table-max 9\n",
         RouletteKind::French, 1, 1, 12, 5,
         "rule 1: the progression's first stake on 'black' passes the table maximum 9.00"},
        {"--bet red=1\n--bet plein:0=1\n", RouletteKind::NoZero, 2, 2, 0, 7,
         "--bet: the nozero table has no slot 'plein:0'"},
        {"--bet red=3\n--bet red=3\n--table-max 5\n", RouletteKind::French, 2, 2, 0, 3,
         "--bet: the stake on 'red' passes the table maximum 5.00"},
        {"--rule always => red=1\n--la-partage\n", RouletteKind::American, 0, 0, 0, 0,
         "--la-partage is for the french table only, not the american one"},
    };
    for (const auto& c : cases) {
        const SystemParse parse = ParseSystem(c.text);
        ASSERT_TRUE(parse.system) << c.text << SystemErrorMessage(*parse.error);
        const PlanBind bind = BindSystem(*parse.system, c.kind);
        ASSERT_TRUE(bind.error) << c.text;
        const SystemError& e = *bind.error;
        EXPECT_EQ(e.rule, c.rule) << c.text;
        EXPECT_EQ(e.line, c.line) << c.text;
        EXPECT_EQ(e.offset, c.offset) << c.text;
        EXPECT_EQ(e.length, c.length) << c.text;
        EXPECT_EQ(SystemErrorMessage(e), c.message);
    }
}

TEST(SystemFile, PlainBetsBindAsTheTablesChipsWould) {
    const SystemParse parse =
        ParseSystem("--bet plein:17=1\n--bet red=2\n--bet plein:25=0.5\n--neighbours 1\n");
    const PlanBind bind = BindSystem(*parse.system, RouletteKind::French);
    ASSERT_TRUE(bind.plan);
    EXPECT_TRUE(bind.plan->betRules.empty());
    // Neighbours of 17 are 25 and 34; of 25, 2 and 17: the same slots add up.
    const std::vector<PlacedBet> expected = {{{BetKind::Plein, 2}, 50},
                                             {{BetKind::Plein, 17}, 150},
                                             {{BetKind::Plein, 25}, 150},
                                             {{BetKind::Plein, 34}, 100},
                                             {{BetKind::RougeNoir, 1}, 200}};
    EXPECT_EQ(bind.plan->bets, expected);
}

TEST(SystemFile, IsWrittenAndReadBack) {
    test::TempDir dir;
    const System system = *ParseSystem(evening).system;
    ASSERT_TRUE(WriteSystemFile(dir / "evening.system", system));
    const SystemParse read = ReadSystemFile(dir / "evening.system");
    ASSERT_TRUE(read.system);
    EXPECT_EQ(*read.system, system);
    const SystemParse missing = ReadSystemFile(dir / "none.system");
    EXPECT_FALSE(missing.system);
    EXPECT_FALSE(missing.error);
}

#ifdef SPINALYST_SOURCE_DATA_DIR
TEST(SystemFile, ShippedExamplesPlayOnEveryTable) {
    const std::filesystem::path dir = std::filesystem::path(SPINALYST_SOURCE_DATA_DIR) / "systems";
    int found = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() != ".system") continue;
        ++found;
        const SystemParse read = ReadSystemFile(entry.path());
        ASSERT_TRUE(read.system) << entry.path() << ": " << SystemErrorMessage(*read.error);
        EXPECT_FALSE(read.system->plainBets()) << entry.path();
        for (RouletteKind kind : allKinds) {
            const PlanBind bind = BindSystem(*read.system, kind);
            EXPECT_TRUE(bind.plan)
                << entry.path() << " " << KindName(kind) << ": " << SystemErrorMessage(*bind.error);
        }
    }
    EXPECT_EQ(found, 4);
}

TEST(SystemErrorTexts, TheEnglishLinesAreTheCommandLinesMessages) {
    LanguageTable english, french;
    english.Load(std::filesystem::path(SPINALYST_SOURCE_DATA_DIR) / "spinalyst_EN.lang");
    french.Load(std::filesystem::path(SPINALYST_SOURCE_DATA_DIR) / "spinalyst_FR.lang");
    for (int code = 0; code < systemErrorCodeCount; ++code) {
        SystemError e{static_cast<SystemErrorCode>(code), {"a", "b", "c", "d"}};
        for (int rule : {0, 3}) {
            e.rule = rule;
            for (bool inBet : {false, true}) {
                e.inBet = inBet;
                EXPECT_EQ(SystemErrorText(e, english), SystemErrorMessage(e)) << code;
                const std::string translated = SystemErrorText(e, french);
                EXPECT_EQ(translated.find("<!"), std::string::npos) << translated;
            }
        }
    }
    SystemError e{SystemErrorCode::NotACondition, {"absnt"}, 2};
    EXPECT_EQ(SystemErrorText(e, french),
              "règle 2\u00a0: «\u00a0absnt\u00a0» n'est pas une condition\u00a0; écrivez always, "
              "last, streak, absent ou hits");
}
#endif

}  // namespace
}  // namespace spinalyst
