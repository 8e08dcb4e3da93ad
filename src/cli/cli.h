#pragma once

#include <charconv>
#include <cstddef>
#include <initializer_list>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/draws/draw_log.h"
#include "core/draws/game_file.h"
#include "core/draws/game_file.h"
#include "core/model/roulette.h"
#include "core/stats/analysis_window.h"

namespace spinalyst::cli {

// Runs one command line (without the program name); returns the exit status: 0 on success,
// 2 on a usage error or a bad input file.
int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err);

// Flushes out after Run: the status Run gave, or 1 with a message on err when out could not
// be written (a full disk, a closed pipe), so that a failed output is never taken for success.
int FinishOutput(int status, std::ostream& out, std::ostream& err);

// Exit statuses: the output could not be written; a usage error or a bad input file.
inline constexpr int exitOutput = 1;
inline constexpr int exitUsage = 2;

// A command line that asks for something impossible. Run() prints the message on one line
// after "spinalyst-cli: " and exits with 2.
struct UsageError {
    std::string message;
};

// A whole number from min to max, or a UsageError naming `what`.
template <typename T>
T ParseNumber(const std::string& text, const std::string& what, T min, T max) {
    T value{};
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < min ||
        value > max)
        throw UsageError{what + " must be a whole number from " + std::to_string(min) + " to " +
                         std::to_string(max) + ", not '" + text + "'"};
    return value;
}

// Options of the form --name VALUE (or --name=VALUE), flags without a value (stored as ""),
// and positional arguments, in order.
struct ParsedArgs {
    std::map<std::string, std::string> options;
    std::vector<std::string> positional;
};
// Reads args[from] on; an option not in `known` or `flags`, one without its value, a flag with
// one, or either given twice is a UsageError.
ParsedArgs ParseArgs(const std::vector<std::string>& args, std::size_t from,
                     std::initializer_list<std::string_view> known,
                     std::initializer_list<std::string_view> flags = {});
// --kind, or the default kind without it.
RouletteKind KindOption(const ParsedArgs& parsed);
// The text in lower case (ASCII), as names on the command line are compared.
std::string Lowercase(std::string_view text);

// The options shared by every command that analyses a file, as the analysis panel would hold
// them:
//   [--kind K] [--from A] [--to B | --last N] [--step S]
//   [--follow FAMILY[=ENTRY] | --croupier NAME] [--wheel NAME] [--direction cw|ccw] FILE
struct AnalysisRequest {
    RouletteKind kind = defaultKind;
    // Whether --kind was given: it then wins over the kind line of a game file.
    bool kindGiven = false;
    // --follow as given, read again when the file turns out to be of another kind.
    std::string follow;
    AnalysisControls controls;
    // Without --to the range ends at the newest draw, known only once the file is read.
    bool toGiven = false;
    std::string file;
};

// Reads the analysis options and the one FILE from args[from] on; the words before `from`
// (the command and its own operands) are the caller's. Throws UsageError, naming `command`.
AnalysisRequest ParseAnalysisOptions(const std::vector<std::string>& args, std::size_t from,
                                     std::string_view command);

// A file read and analysed as the request asks.
struct Analysis {
    RouletteKind kind = defaultKind;
    DrawLog log;
    // Croupier number k is croupierNames[k - 1]; empty for a spin list. The same for wheels.
    std::vector<std::string> croupierNames;
    std::vector<std::string> wheelNames;
    // The file's notes ("#key=value" lines), in order.
    std::vector<GameFileNote> notes;
    // nullopt when the file holds no draw.
    std::optional<AnalysisWindow> window;
    // One byte per draw, as the log keeps them.
    std::vector<std::uint8_t> analysedDraws;
    // The direction of each analysed draw; empty when no draw of the file has one.
    std::vector<SpinDirection> analysedDirections;
};

// Reads the request's file ("-" is `in`): a game file when it starts with the game file
// header, a spin list otherwise; then selects the analysed draws. When the file cannot be read
// or is malformed, writes one line to err and returns nullopt (the command exits with 2).
std::optional<Analysis> LoadAnalysis(const AnalysisRequest& request, std::istream& in,
                                     std::ostream& err);

// spinalyst-cli random --count N [--kind K] [--seed S]: pseudo-random pockets, one a line.
int RandomCommand(const std::vector<std::string>& args, std::ostream& out);

// spinalyst-cli analysed [ANALYSIS OPTIONS] FILE: the analysed draws, one a line.
int AnalysedCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err);

// spinalyst-cli stats FAMILY [ANALYSIS OPTIONS] FILE: the statistics of a bet family as CSV.
int StatsCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err);

// spinalyst-cli simulate: settles bets against every draw of a file.
int SimulateCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err);

// spinalyst-cli backtest PLAN [--summary] [ANALYSIS OPTIONS] FILE: a betting plan played over
// the analysed draws, sessions one after another, as CSV.
int BacktestCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err);

// spinalyst-cli montecarlo PLAN --sessions N --max-spins M ...: the plan's sessions on a
// simulated wheel, summed up as CSV.
int MonteCarloCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                      std::ostream& err);

// spinalyst-cli fairness [ANALYSIS OPTIONS] [--simulations N] [--seed S] FILE: the fairness
// tests of the analysed draws as CSV.
int FairnessCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err);

// spinalyst-cli plan [ANALYSIS OPTIONS] FILE: the spins it takes to tell a bias from chance, for
// single pockets and sectors of 3, 5 and 9, as CSV.
int PlanCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                std::ostream& err);

// spinalyst-cli confirm --freeze F --pockets P,P,... [ANALYSIS OPTIONS] FILE: a set of pockets
// frozen after F draws, tested on the analysed draws after it, as CSV.
int ConfirmCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);

// spinalyst-cli convert [--kind K] FILE: a spin list or a game file printed as a game file with
// its kind line.
int ConvertCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);

// Number k is names[k - 1], and back, as a file's croupiers and wheels are numbered; the
// look-ups refer to `names`.
CroupierNameLookup NameLookup(const std::vector<std::string>& names);
CroupierLookup IndexLookup(const std::vector<std::string>& names);

// The text of FILE, "-" being `in`; nullopt when it cannot be read.
std::optional<std::string> ReadInput(const std::string& file, std::istream& in);

}  // namespace spinalyst::cli
