#include "cli/cli.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "run_cli.h"
#include "test_support.h"

namespace spinalyst::cli {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream s(text);
    for (std::string line; std::getline(s, line);) lines.push_back(line);
    return lines;
}

TEST(CliRandom, SeededOutputRepeatsAndStaysWithinTheKind) {
    struct Case {
        const char* kind;
        std::set<std::string> allowed;
    } cases[] = {{"american", {}}, {"french", {}}, {"nozero", {}}};
    for (int p = 0; p <= 36; ++p) {
        cases[0].allowed.insert(std::to_string(p));
        cases[1].allowed.insert(std::to_string(p));
        if (p > 0) cases[2].allowed.insert(std::to_string(p));
    }
    cases[0].allowed.insert("00");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const Result a = RunCli({"random", "--kind", c.kind, "--count", "5000", "--seed", "42"});
        const Result b = RunCli({"random", "--seed=42", "--count=5000", "--kind", c.kind});
        ASSERT_EQ(a.status, 0) << a.err;
        EXPECT_EQ(a.out, b.out);
        const auto lines = Lines(a.out);
        ASSERT_EQ(lines.size(), 5000u);
        std::set<std::string> seen(lines.begin(), lines.end());
        EXPECT_EQ(seen, c.allowed);  // 5000 draws reach every pocket, and nothing else
    }
    EXPECT_NE(RunCli({"random", "--count", "50", "--seed", "1"}).out,
              RunCli({"random", "--count", "50", "--seed", "2"}).out);
}

TEST(CliRandom, UsageErrorsExitWithTwoAndOneLine) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"spin"},
        {"random"},
        {"random", "--count", "0"},
        {"random", "--count", "ten"},
        {"random", "--count", "5", "--kind", "european"},
        {"random", "--count", "5", "--seed", "-3"},
        {"random", "--count"},
        {"random", "--count", "5", "--colour", "red"},
        {"random", "--count", "5", "extra"},
        {"analysed"},
        {"analysed", "a.txt", "b.txt"},
    };
    for (const auto& args : bad) {
        const Result r = RunCli(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
        EXPECT_TRUE(r.err.starts_with("spinalyst-cli: ")) << r.err;
    }
}

TEST(CliAnalysed, PrintsTheDrawsOfASpinFileInOrder) {
    const Result r = RunCli({"analysed", "--kind", "american", "-"}, "1 00,0;36 # end\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1\n00\n0\n36\n");

    test::TempDir dir;
    test::WriteFile(dir / "spins.txt", "5\n17\n");
    const Result fromFile = RunCli({"analysed", (dir / "spins.txt").string()});
    EXPECT_EQ(fromFile.out, "5\n17\n");
}

TEST(CliAnalysed, BadFilesNameLineColumnAndNothingIsPrinted) {
    test::TempDir dir;
    test::WriteFile(dir / "spins.txt", "1 2\n3 37\n");
    const std::string name = (dir / "spins.txt").string();
    const Result r = RunCli({"analysed", name});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err, "spinalyst-cli: " + name + ":2:3: '37' is not a pocket of any wheel\n");
    // A kind given on the command line holds the pockets to it.
    test::WriteFile(dir / "spins.txt", "1 2\n3 00\n");
    const Result forced = RunCli({"analysed", "--kind", "french", name});
    EXPECT_EQ(forced.status, 2);
    EXPECT_EQ(forced.err,
              "spinalyst-cli: " + name + ":2:3: '00' is not a pocket of the french wheel\n");

    const Result missing = RunCli({"analysed", (dir / "none.txt").string()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
}

// Pockets 1 ... 30 as a spin list: draw n is pocket n.
std::string NumberedSpins() {
    std::string text;
    for (int n = 1; n <= 30; ++n) text += std::to_string(n) + " ";
    return text;
}

TEST(CliAnalysed, RangeAndStepOptionsFollowTheAnalysisRules) {
    struct Case {
        std::vector<std::string> options;
        const char* output;
    } cases[] = {
        {{"--from", "50"}, "30\n"},
        {{"--from", "5", "--to", "3"}, "5\n"},
        {{"--from", "28", "--to", "10000000"}, "28\n29\n30\n"},
        {{"--last", "3"}, "28\n29\n30\n"},
        {{"--last", "3", "--from", "2"}, "28\n29\n30\n"},
        {{"--from", "21", "--to", "30", "--step", "2"}, "21\n23\n25\n27\n29\n"},
        {{"--from", "22", "--to", "30", "--step", "2"}, "23\n25\n27\n29\n"},
        {{"--from", "21", "--to", "30", "--step=3"}, "22\n25\n28\n"},
        {{"--last", "2", "--step", "9"}, ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"analysed"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back("-");
        SCOPED_TRACE(testing::PrintToString(args));
        const Result r = RunCli(args, NumberedSpins());
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.output);
    }
    EXPECT_EQ(Lines(RunCli({"analysed", "-"}, NumberedSpins()).out).size(), 30u);
}

TEST(CliAnalysed, FollowTakesTheDrawsAfterAnOutcome) {
    struct Case {
        const char* kind;
        const char* follow;
        const char* spins;
        const char* output;
    } cases[] = {
        {"french", "numero", "5 17 3 17 22 17", "3\n22\n"},
        {"french", "NUMERO=17", "5 17 3 17 22 4", "3\n22\n"},
        {"nozero", "numero=1", "1 5 2 6", "5\n"},
        {"american", "numero=00", "00 4 00 6 0 7", "4\n6\n"},
        {"american", "numero=37", "00 4", "4\n"},
        {"french", "secteur=0", "3 1 26 2 0 4 32 5 15 6 19 7", "1\n2\n4\n5\n6\n"},
        {"french", "colonne", "0 7 3 8 6 9 1 10 0", "7\n8\n9\n1\n"},
        {"french", "transversale=34-36", "34 1 36 2 33 3", "1\n2\n"},
        {"french", "sizain=1-6", "6 1 7 2", "1\n7\n"},
        {"french", "douzaine=3", "25 1 24 2", "1\n"},
        {"french", "rougenoir=Noir", "2 5 0 9 1 7", "5\n"},
        {"french", "pairimpair=pair", "0 5 1 6 2 7", "5\n2\n7\n"},
        {"american", "manquepasse=passe", "00 5 18 6 19 7", "5\n7\n"},
        {"french", "numero", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " " << c.follow << " on " << c.spins);
        const Result r = RunCli({"analysed", "--kind", c.kind, "--follow", c.follow, "-"}, c.spins);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.output);
    }
}

TEST(CliAnalysed, GameFilesGiveCroupiersToFilterOn) {
    test::TempDir dir;
    const auto file = dir / "game.csv";
    test::WriteFile(file,
                    "\xEF\xBB\xBF"
                    "draw,time,croupier,pocket\r\n"
                    "1,2023-11-14T22:13:20,Zoé,00\r\n"
                    "2,,\"Dupont, Jean\",5\r\n"
                    "3,,Zoé,7\r\n"
                    "4,,,8\r\n");
    struct Case {
        std::vector<std::string> options;
        const char* output;
    } cases[] = {
        {{}, "00\n5\n7\n8\n"},
        {{"--croupier", "Zoé"}, "00\n7\n"},
        {{"--croupier", "Dupont, Jean"}, "5\n"},
        {{"--croupier", "zoé"}, "00\n5\n7\n8\n"},
        {{"--croupier", ""}, "00\n5\n7\n8\n"},
        {{"--croupier", "Zoé", "--from", "2", "--step", "2"}, "7\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"analysed", "--kind", "american"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(file.string());
        SCOPED_TRACE(testing::PrintToString(args));
        const Result r = RunCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.output);
    }
}

TEST(CliAnalysed, OptionErrorsExitWithTwoAndOneLine) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--to", "5", "--last", "3"}, "--to and --last exclude each other"},
        {{"--follow", "numero", "--croupier", "Zoé"}, "--follow and --croupier exclude"},
        {{"--follow", "pleins"}, "'pleins' is no family"},
        {{"--follow", "numero=99"},
         "'99' is not one of its entries on the french wheel (0 ... 36)"},
        {{"--follow", "numero=00"}, "'00' is not one of its entries"},
        {{"--kind", "nozero", "--follow", "secteur=0"}, "(1 ... 36)"},
        {{"--follow", "numero="}, "'' is not one of its entries"},
        {{"--follow", "colonne=4"}, "(1, 2, 3)"},
        {{"--follow", "rougenoir=vert"}, "(rouge, noir)"},
        {{"--follow", "transversale=1-6"}, "(1-3 ... 34-36)"},
        {{"--step", "0"}, "--step must be a whole number from 1 to 9"},
        {{"--step", "10"}, "--step must be"},
        {{"--last", "0"}, "--last must be a whole number from 1 to 9999"},
        {{"--last", "10000"}, "--last must be"},
        {{"--from", "0"}, "--from must be a whole number from 1 to 2147483647"},
        {{"--to", "2147483648"}, "--to must be"},
        {{"--to", "x"}, "--to must be"},
        {{"--from", "1", "--from", "2"}, "given twice"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"analysed"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.push_back("-");
        SCOPED_TRACE(testing::PrintToString(args));
        const Result r = RunCli(args, "1 2 3");
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST(CliAnalysed, BadGameFileRowsNameTheirLine) {
    const Result r =
        RunCli({"analysed", "--kind", "french", "-"}, "draw,time,croupier,pocket\n1,,,5\n2,,,00\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err, "spinalyst-cli: <stdin>:3: '00' is not a pocket of the french wheel\n");
}

TEST(CliAnalysisOptions, AnotherCommandReusesThemAfterItsOwnOperands) {
    const AnalysisRequest request = ParseAnalysisOptions(
        {"stats", "pleins", "--kind", "american", "--last", "12", "--follow", "numero=00", "f.txt"},
        2, "stats");
    EXPECT_EQ(request.kind, RouletteKind::American);
    EXPECT_EQ(request.file, "f.txt");
    EXPECT_TRUE(request.controls.useLast);
    EXPECT_FALSE(request.controls.useRange);
    EXPECT_EQ(request.controls.lastCount, 12);
    EXPECT_TRUE(request.controls.useFollowing);
    EXPECT_EQ(request.controls.followFamily, FollowFamily::Numero);
    EXPECT_EQ(request.controls.followEntry, 38);
    try {
        ParseAnalysisOptions({"stats", "pleins"}, 2, "stats");
        ADD_FAILURE() << "no FILE accepted";
    } catch (const UsageError& e) {
        EXPECT_EQ(e.message, "stats needs exactly one FILE");
    }

    std::istringstream in("5 17 3 17 22 17");
    std::ostringstream err;
    const auto analysis = LoadAnalysis(
        ParseAnalysisOptions({"stats", "pleins", "--follow", "numero", "-"}, 2, "stats"), in, err);
    ASSERT_TRUE(analysis.has_value()) << err.str();
    EXPECT_EQ(analysis->log.drawCount(), 6);
    ASSERT_TRUE(analysis->window.has_value());
    EXPECT_EQ(analysis->window->followTarget, 17);
    EXPECT_EQ(analysis->analysedDraws, (std::vector<std::uint8_t>{3, 22}));
}

TEST(CliHelp, ExplainsEveryCommandAndOption) {
    const Result r = RunCli({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* word :
         {"random", "analysed", "--kind", "--count", "--seed", "00", "--from", "--to", "--last",
          "--step", "--follow", "--croupier", "manquepasse", "draw,time,croupier,pocket"})
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
}

// An output that refuses every byte, as a full disk or a closed pipe does.
class RefusingBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(CliOutput, AnOutputThatCannotBeWrittenFailsWithAMessage) {
    const std::vector<std::vector<std::string>> commands = {
        {"random", "--count", "5", "--seed", "1"},
        {"random", "--count", "1000000000", "--seed", "1"},  // stops at the first refusal
        {"--help"},
        {"analysed", "-"},
        {"stats", "pleins", "-"},
    };
    for (const auto& args : commands) {
        SCOPED_TRACE(testing::PrintToString(args));
        std::istringstream in("1 2 3");
        RefusingBuffer refusing;
        std::ostream out(&refusing);
        std::ostringstream err;
        EXPECT_EQ(FinishOutput(cli::Run(args, in, out, err), out, err), 1);
        EXPECT_TRUE(err.str().starts_with("spinalyst-cli: cannot write the output")) << err.str();
        EXPECT_EQ(Lines(err.str()).size(), 1u);
    }
}

}  // namespace
}  // namespace spinalyst::cli

namespace spinalyst::cli {
namespace {

TEST(CliStats, CsvPerSlotOverTheAnalysedDraws) {
    struct Case {
        std::vector<std::string> args;
        std::string input;
        std::vector<std::string> expectedLines;  // after the header, the first lines
    } cases[] = {
        {{"stats", "pleins", "-"}, "17 17 5 17", {"0,0,4,0,0"}},
        {{"stats", "simples", "-"},
         "1 3",
         {"red,2,0,1,1", "black,0,2,0,0", "even,0,2,0,0", "odd,2,0,1,1", "low,2,0,1,1",
          "high,0,2,0,0"}},
        {{"stats", "dzscols", "-"}, "0 0", {"col1,0,2,0,0"}},
        {{"stats", "sizains", "-"}, "5 8", {"01-06,1,1,1,0", "04-09,2,0,1,1"}},
        {{"stats", "finales", "--kind", "american", "-"}, "00 10", {"0,2,0,1,1"}},
        {{"stats", "chevaux", "--kind", "american", "-"}, "1", {"0-00,0,1,0,0", "0-01,1,0,1,0"}},
        {{"stats", "carres", "-"}, "2", {"00-01-02-03,1,0,1,0"}},
        // The analysis options select the draws first: the last two are 5 and 17.
        {{"stats", "pleins", "--last", "2", "-"}, "17 17 5 17", {"0,0,2,0,0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1] + " " + c.input);
        const Result r = RunCli(c.args, c.input);
        ASSERT_EQ(r.status, 0) << r.err;
        const auto lines = Lines(r.out);
        ASSERT_GT(lines.size(), c.expectedLines.size());
        EXPECT_EQ(lines[0], "label,hits,since_last,max_gap,repeats");
        for (std::size_t i = 0; i < c.expectedLines.size(); ++i)
            EXPECT_EQ(lines[i + 1], c.expectedLines[i]);
    }
    const auto pleins = Lines(RunCli({"stats", "pleins", "-"}, "17 17 5 17").out);
    EXPECT_EQ(pleins[18], "17,3,0,2,1");
    EXPECT_EQ(pleins[6], "5,1,1,3,0");
    EXPECT_EQ(pleins.size(), 38u);
    EXPECT_EQ(Lines(RunCli({"stats", "chevaux", "--kind", "nozero", "-"}, "").out).size(), 58u);
}

TEST(CliStats, UsageErrors) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"stats"},
                                               {"stats", "--kind", "french", "-"},
                                               {"stats", "voisins", "-"},
                                               {"stats", "pleins"},
                                               {"stats", "pleins", "--step", "10", "-"}}) {
        const Result r = RunCli(args, "1 2");
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(Lines(r.err).size(), 1u);
        EXPECT_TRUE(r.out.empty());
    }
}

}  // namespace
}  // namespace spinalyst::cli
