#include "cli.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "test_support.h"

namespace spinalyst::cli {
namespace {

struct Result {
    int status;
    std::string out, err;
};

Result RunCli(std::vector<std::string> args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = Run(args, in, out, err);
    return {status, out.str(), err.str()};
}

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
    test::WriteFile(dir / "spins.txt", "1 2\n3 00\n");
    const std::string name = (dir / "spins.txt").string();
    const Result r = RunCli({"analysed", name});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err, "spinalyst-cli: " + name + ":2:3: '00' is not a pocket of the french wheel\n");

    const Result missing = RunCli({"analysed", (dir / "none.txt").string()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
}

TEST(CliHelp, ExplainsEveryCommandAndOption) {
    const Result r = RunCli({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* word : {"random", "analysed", "--kind", "--count", "--seed", "00"})
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
}

}  // namespace
}  // namespace spinalyst::cli
