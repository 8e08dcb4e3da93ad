#include "cli.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>

#include "draws/random_source.h"
#include "draws/spin_file.h"
#include "model/roulette.h"

namespace spinalyst::cli {

namespace {

constexpr int exitUsage = 2;

constexpr const char* helpText = R"(Usage: spinalyst-cli COMMAND [OPTIONS]

Runs the Spinalyst core on spin files.

Commands:
  random --count N [--kind K] [--seed S]
      Print N pseudo-random pockets of kind K, one per line ("00" for the
      American double zero). Without --seed the generator is seeded from the
      clock; with it the output is the same at every run.
  analysed [--kind K] FILE
      Read the spin file FILE ("-" for standard input) and print its draws,
      one pocket a line, oldest first.
  help, --help, -h
      Show this text.

Options:
  --kind K    american, french or nozero (default french)
  --count N   how many pockets to draw, 1 to 1000000000
  --seed S    a whole number from 0 to 18446744073709551615

Spin files hold pockets separated by white space, "," or ";". "00" is the
American double zero; "#" starts a comment that runs to the end of the line.

Exit status: 0 on success; 2 on a usage error or a malformed spin file, with a
one-line message on standard error (FILE:LINE:COLUMN: for errors in a file).
)";

struct UsageError {
    std::string message;
};

// Options of the form --name VALUE, and positional arguments, in order.
struct ParsedArgs {
    std::map<std::string, std::string> options;
    std::vector<std::string> positional;
};

ParsedArgs ParseArgs(const std::vector<std::string>& args, std::size_t from,
                     std::initializer_list<std::string_view> known) {
    ParsedArgs parsed;
    for (std::size_t i = from; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 2 && a.starts_with("--")) {
            std::string name = a.substr(2);
            std::optional<std::string> value;
            if (auto eq = name.find('='); eq != std::string::npos) {
                value = name.substr(eq + 1);
                name.resize(eq);
            }
            bool isKnown = false;
            for (auto k : known) isKnown = isKnown || k == name;
            if (!isKnown) throw UsageError{"unknown option '--" + name + "'"};
            if (!value) {
                if (i + 1 >= args.size()) throw UsageError{"option '--" + name + "' needs a value"};
                value = args[++i];
            }
            if (!parsed.options.emplace(name, *value).second)
                throw UsageError{"option '--" + name + "' given twice"};
        } else {
            parsed.positional.push_back(a);
        }
    }
    return parsed;
}

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

RouletteKind KindOption(const ParsedArgs& parsed) {
    auto it = parsed.options.find("kind");
    if (it == parsed.options.end()) return defaultKind;
    if (auto kind = KindFromName(it->second)) return *kind;
    throw UsageError{"--kind must be american, french or nozero, not '" + it->second + "'"};
}

int RandomCommand(const std::vector<std::string>& args, std::ostream& out) {
    const ParsedArgs parsed = ParseArgs(args, 1, {"kind", "count", "seed"});
    if (!parsed.positional.empty())
        throw UsageError{"random takes no argument '" + parsed.positional.front() + "'"};
    const RouletteKind kind = KindOption(parsed);
    auto count = parsed.options.find("count");
    if (count == parsed.options.end()) throw UsageError{"random needs --count N"};
    const long long n = ParseNumber<long long>(count->second, "--count", 1, 1'000'000'000);
    RandomSource rng;
    if (auto seed = parsed.options.find("seed"); seed != parsed.options.end())
        rng.Seed(ParseNumber<std::uint64_t>(seed->second, "--seed", 0, UINT64_MAX));
    else
        rng.SeedFromClock();
    std::string buffer;
    buffer.reserve(1 << 16);
    for (long long i = 0; i < n; ++i) {
        buffer += PocketText(rng.Next(kind));
        buffer += '\n';
        if (buffer.size() > (1 << 16) - 8) {
            out << buffer;
            buffer.clear();
        }
    }
    out << buffer;
    return 0;
}

std::optional<std::string> ReadInput(const std::string& file, std::istream& in) {
    std::ostringstream content;
    if (file == "-") {
        content << in.rdbuf();
        return std::move(content).str();
    }
    std::ifstream f(file, std::ios::binary);
    if (!f) return std::nullopt;
    content << f.rdbuf();
    return std::move(content).str();
}

int AnalysedCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                    std::ostream& err) {
    const ParsedArgs parsed = ParseArgs(args, 1, {"kind"});
    if (parsed.positional.size() != 1) throw UsageError{"analysed needs exactly one FILE"};
    const RouletteKind kind = KindOption(parsed);
    const std::string& file = parsed.positional.front();
    auto text = ReadInput(file, in);
    if (!text) {
        err << "spinalyst-cli: " << file << ": cannot read the file\n";
        return exitUsage;
    }
    const SpinList list = ParseSpinList(*text, kind);
    if (!list.ok()) {
        err << "spinalyst-cli: " << FormatParseError(file == "-" ? "<stdin>" : file, *list.error)
            << "\n";
        return exitUsage;
    }
    std::string buffer;
    for (Pocket p : list.pockets) {
        buffer += PocketText(p);
        buffer += '\n';
    }
    out << buffer;
    return 0;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err) {
    try {
        if (args.empty()) throw UsageError{"no command given; try 'spinalyst-cli --help'"};
        const std::string& command = args.front();
        if (command == "--help" || command == "-h" || command == "help") {
            out << helpText;
            return 0;
        }
        if (command == "random") return RandomCommand(args, out);
        if (command == "analysed") return AnalysedCommand(args, in, out, err);
        throw UsageError{"unknown command '" + command + "'; try 'spinalyst-cli --help'"};
    } catch (const UsageError& e) {
        err << "spinalyst-cli: " << e.message << "\n";
        return exitUsage;
    }
}

}  // namespace spinalyst::cli
