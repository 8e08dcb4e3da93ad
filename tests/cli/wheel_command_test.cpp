#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace spinalyst::cli {
namespace {

struct Output {
    int status;
    std::vector<std::string> lines;
    std::string err;
};

Output Wheel(std::vector<std::string> args, const std::string& spins) {
    args.insert(args.begin(), "wheel");
    args.push_back("-");
    std::istringstream in(spins);
    std::ostringstream out, err;
    const int status = Run(args, in, out, err);
    Output result{status, {}, err.str()};
    std::istringstream text(out.str());
    for (std::string line; std::getline(text, line);) result.lines.push_back(line);
    return result;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(CliWheel, TablesAsCsv) {
    struct Case {
        std::vector<std::string> args;
        std::string spins;
        const char* header;
        std::size_t dataLines;
        std::vector<std::string> expected;  // lines found among the data lines
    } cases[] = {
        {{"distances"},
         "26 0",
         "distance,hits,since_last,max_gap",
         37,
         {"0,0,2,0", "1,1,0,2", "36,0,2,0"}},
        {{"distances"}, "0 26", "distance,hits,since_last,max_gap", 37, {"36,1,0,2"}},
        {{"distances", "--kind", "nozero"},
         "26 32",
         "distance,hits,since_last,max_gap",
         36,
         {"1,1,0,2", "35,0,2,0"}},
        // One draw: nothing stepped or repeated yet, every wait is one draw.
        {{"distances"}, "17", "distance,hits,since_last,max_gap", 37, {"0,0,1,0", "20,0,1,0"}},
        {{"repeats"}, "17", "gap,hits,since_last,max_gap", 0, {}},
        {{"repeats"}, "17 17", "gap,hits,since_last,max_gap", 1, {"0,1,0,2"}},
        {{"repeats"}, "4 9 4 9 9", "gap,hits,since_last,max_gap", 2, {"0,1,0,5", "1,2,1,3"}},
        {{"sectors"},
         "0",
         "pocket,neighbourhood,hits,since_last,max_gap",
         37,
         {"0,3 26 0 32 15,1,0,1", "26,35 3 26 0 32,1,0,1", "7,18 29 7 28 12,0,1,0"}},
        {{"sectors", "--kind", "nozero"},
         "26",
         "pocket,neighbourhood,hits,since_last,max_gap",
         36,
         {"26,35 3 26 32 15,1,0,1", "32,3 26 32 15 19,1,0,1"}},
        {{"sectors", "--kind", "american"},
         "00",
         "pocket,neighbourhood,hits,since_last,max_gap",
         38,
         {"00,13 1 00 27 10,1,0,1"}},
        {{"shades"}, "1 1 1 1 1 3 3 3 2", "pocket,hits,shade", 37, {"1,5,0", "3,3,96", "0,0,240"}},
        {{"shades", "--kind", "american"}, "5 5", "pocket,hits,shade", 38, {"00,0,240", "5,2,0"}},
        // Against the expected 9/37 hits: far above is black, a little below near mid grey.
        {{"shades", "--scale", "deviation"},
         "1 1 1 1 1 3 3 3 2",
         "pocket,hits,shade",
         37,
         {"1,5,0", "2,1,88", "0,0,123"}},
        {{"shades", "--scale=spread"}, "1 1 1 1 1 3 3 3 2", "pocket,hits,shade", 37, {"3,3,96"}},
        // --follow leaves no analysed draw here: empty counters, light grey everywhere.
        {{"shades", "--follow", "numero=5"}, "1 2 3", "pocket,hits,shade", 37, {"2,0,240"}},
        {{"sectors", "--follow", "numero=5"},
         "1 2 3",
         "pocket,neighbourhood,hits,since_last,max_gap",
         37,
         {"0,3 26 0 32 15,0,0,0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.spins);
        const Output r = Wheel(c.args, c.spins);
        ASSERT_EQ(r.status, 0) << r.err;
        ASSERT_EQ(r.lines.size(), c.dataLines + 1);
        EXPECT_EQ(r.lines[0], c.header);
        for (const std::string& line : c.expected) EXPECT_TRUE(Contains(r.lines, line)) << line;
    }
    // Rows in pocket order, 00 last; distances ascending.
    EXPECT_EQ(Wheel({"shades", "--kind", "american"}, "1").lines.back(), "00,0,240");
    EXPECT_EQ(Wheel({"sectors", "--kind", "nozero"}, "1").lines[1], "1,16 33 1 20 14,1,0,1");
    EXPECT_EQ(Wheel({"distances"}, "1 2").lines[37], "36,0,2,0");
}

TEST(CliWheel, LongRepeatIntervalsHaveTheirOwnRows) {
    // 5, then 1,500 draws of 1, then 5 again: 1,500 draws between the two fives.
    std::string spins = "5";
    for (int i = 0; i < 1500; ++i) spins += " 1";
    spins += " 5";
    const Output r = Wheel({"repeats"}, spins);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.lines, (std::vector<std::string>{"gap,hits,since_last,max_gap", "0,1499,1,3",
                                                 "1500,1,0,1502"}));
}

TEST(CliWheel, UsageErrors) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"wheel"},
             {"wheel", "--kind", "french", "-"},
             {"wheel", "colours", "-"},
             {"wheel", "distances"},
             {"wheel", "shades", "--step", "0", "-"},
             {"wheel", "shades", "--scale", "z", "-"},
             {"wheel", "shades", "--scale", "spread", "--scale", "spread", "-"},
             {"wheel", "shades", "-", "--scale"},
         }) {
        std::istringstream in("1 2");
        std::ostringstream out, err;
        EXPECT_EQ(cli::Run(args, in, out, err), 2);
        EXPECT_TRUE(out.str().empty());
        const std::string message = err.str();
        EXPECT_TRUE(message.starts_with("spinalyst-cli: ")) << message;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1);
    }
    std::istringstream in;
    std::ostringstream help, err;
    cli::Run({"--help"}, in, help, err);
    for (const char* word : {"wheel TABLE", "distances", "repeats", "sectors", "shades"})
        EXPECT_NE(help.str().find(word), std::string::npos) << word;
}

}  // namespace
}  // namespace spinalyst::cli
