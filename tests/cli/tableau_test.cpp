#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace spinalyst::cli {
namespace {

struct Result {
    int status;
    std::vector<std::string> out;
    std::string err;
};

Result RunTableau(std::vector<std::string> args, const std::string& input) {
    args.insert(args.begin(), "tableau");
    args.push_back("-");
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = Run(args, in, out, err);
    std::vector<std::string> lines;
    std::istringstream s(out.str());
    for (std::string line; std::getline(s, line);) lines.push_back(line);
    return {status, lines, err.str()};
}

TEST(CliTableau, CsvRowPerNumberOverTheAnalysedDraws) {
    struct Case {
        const char* name;
        std::vector<std::string> options;
        std::string input;
        int number;
        std::string expected;
    } cases[] = {
        {"a draw of 17", {}, "17", 17, "17,2,2,2,3,3,6,4,12,7,36,77,0,18,0.00"},
        {"a number that did not come out", {}, "17", 32, "32,0,0,0,0,3,0,0,0,0,0,3,,11,"},
        {"the ratio with a decimal point",
         {},
         "17 0",
         17,
         "17,2,2,2,3,3,6,4,12,7,36,77,1,28,0.952"},
        {"neighbours 0 on the American wheel",
         {"--kind", "american"},
         [] {
             std::string draws = "17";
             for (int k = 0; k < 18; ++k) draws += " 18";  // the pocket opposite 17
             return draws;
         }(),
         17,
         "17,2,2,38,57,3,114,76,228,136,36,692,18,0,999"},
        {"the analysis options select the draws",
         {"--last", "1"},
         "17 5",
         17,
         "17,0,2,2,0,3,0,0,0,0,0,7,,7,"},
        {"an empty window", {"--follow", "numero=3"}, "17 5", 36, "36,0,0,0,0,0,0,0,0,0,0,0,,0,"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result r = RunTableau(c.options, c.input);
        ASSERT_EQ(r.status, 0) << r.err;
        ASSERT_EQ(r.out.size(), 37u);
        EXPECT_EQ(r.out[0],
                  "number,colour,parity,half,dozen,column,sixline,corner,street,split,straight,"
                  "total,gap,neighbours,ratio");
        for (int n = 1; n <= 36; ++n)
            EXPECT_TRUE(r.out[static_cast<std::size_t>(n)].starts_with(std::to_string(n) + ","));
        EXPECT_EQ(r.out[static_cast<std::size_t>(c.number)], c.expected);
    }
}

TEST(CliTableau, BadInputExitsWithTwoAndPrintsNothing) {
    struct Case {
        std::vector<std::string> options;
        std::string input;
    } cases[] = {
        {{}, "17 99"},
        {{"--kind", "nozero"}, "0 17"},
        {{"--step", "10"}, "17"},
        {{"extra.txt"}, "17"},
    };
    for (const Case& c : cases) {
        const Result r = RunTableau(c.options, c.input);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_TRUE(r.err.starts_with("spinalyst-cli: ")) << r.err;
    }
}

TEST(CliTableau, HelpDescribesTheCommand) {
    std::istringstream in;
    std::ostringstream out, err;
    ASSERT_EQ(cli::Run({"--help"}, in, out, err), 0);
    for (const char* words : {"tableau [ANALYSIS OPTIONS] FILE", "sixline,", "999"})
        EXPECT_NE(out.str().find(words), std::string::npos) << words;
}

}  // namespace
}  // namespace spinalyst::cli
