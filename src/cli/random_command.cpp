#include <cstdint>
#include <ostream>

#include "cli/cli.h"
#include "core/draws/random_source.h"

namespace spinalyst::cli {

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
            if (!(out << buffer)) return 0;  // FinishOutput reports the failed output
            buffer.clear();
        }
    }
    out << buffer;
    return 0;
}

}  // namespace spinalyst::cli
