#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "cli/plan_options.h"
#include "core/betting/money.h"
#include "core/betting/monte_carlo.h"

namespace spinalyst::cli {

namespace {

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Row(const char* measure, const Estimate& e, int decimals, double scale = 1) {
    return std::string(measure) + ',' + Fixed(e.value / scale, decimals) + ',' +
           Fixed(e.low / scale, decimals) + ',' + Fixed(e.high / scale, decimals) + '\n';
}

}  // namespace

int MonteCarloCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                      std::ostream& err) {
    std::vector<std::string> rest = {"montecarlo"};
    const PlanOptions planOptions = TakePlanOptions(args, 1, rest);
    const ParsedArgs parsed =
        ParseArgs(rest, 1, {"kind", "sessions", "seed", "threads", "wheel-from"});
    if (!parsed.positional.empty())
        throw UsageError{"montecarlo takes no argument '" + parsed.positional.front() +
                         "'; a recorded wheel is --wheel-from FILE"};
    const auto option = [&](const char* name) -> const std::string* {
        auto it = parsed.options.find(name);
        return it == parsed.options.end() ? nullptr : &it->second;
    };
    RouletteKind kind = defaultKind;
    if (auto v = option("kind")) {
        const auto named = KindFromName(*v);
        if (!named) throw UsageError{"--kind must be american, french or nozero, not '" + *v + "'"};
        kind = *named;
    }
    const std::string* sessions = option("sessions");
    if (!sessions) throw UsageError{"montecarlo needs --sessions N"};
    if (!planOptions.system.money.maxSpins) throw UsageError{"montecarlo needs --max-spins M"};
    MonteCarloRequest request;
    request.sessions = ParseNumber<std::int64_t>(*sessions, "--sessions", 1, maxMonteCarloSessions);
    if (auto v = option("seed"))
        request.seed = ParseNumber<std::uint64_t>(*v, "--seed", 0, UINT64_MAX);
    if (auto v = option("threads"))
        request.threads = ParseNumber<unsigned>(*v, "--threads", 1, 256);
    if (auto v = option("wheel-from")) {
        AnalysisRequest wheel;
        wheel.kind = kind;
        wheel.kindGiven = option("kind") != nullptr;
        wheel.file = *v;
        const auto analysis = LoadAnalysis(wheel, in, err);
        if (!analysis) return exitUsage;
        if (analysis->analysedDraws.empty())
            throw UsageError{"--wheel-from: " + *v + " holds no draw"};
        kind = analysis->kind;
        request.pocketCounts.assign(maxPocketCount, 0);
        for (std::uint8_t p : analysis->analysedDraws) ++request.pocketCounts[p];
    }
    const PlanTable table(BuildPlan(planOptions, kind, "montecarlo"));
    const auto result = RunMonteCarlo(table, request);
    if (!result) throw UsageError{"montecarlo: the plan cannot be played"};

    std::string buffer = "measure,value,low,high\n";
    const std::pair<const char*, SessionEnd> shares[] = {{"ruin", SessionEnd::Ruin},
                                                         {"stop_win", SessionEnd::Win},
                                                         {"stop_loss", SessionEnd::Loss},
                                                         {"limit", SessionEnd::Limit},
                                                         {"max_spins", SessionEnd::Spins}};
    for (const auto& [measure, end] : shares) buffer += Row(measure, result->Share(end), 6);
    buffer += Row("final_mean", result->finalMean, 4, 100);
    const auto amount = [](Cents c) { return FormatAmount(c, '.'); };
    buffer += "final_median," + amount(result->finalMedian) + ",,\n";
    buffer += "final_p05," + amount(result->finalP05) + ",,\n";
    buffer += "final_p95," + amount(result->finalP95) + ",,\n";
    buffer += Row("staked_mean", result->stakedMean, 4, 100);
    buffer += Row("spins_mean", result->spinsMean, 4);
    buffer += Row("return_per_unit", result->returnPerUnit, 6);
    buffer += "expected_return_per_unit," + Fixed(result->expectedReturn, 6) + ",,\n";
    out << buffer;
    return 0;
}

}  // namespace spinalyst::cli
