#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/betting/backtest.h"
#include "core/betting/bind_system.h"
#include "core/betting/monte_carlo.h"
#include "core/draws/random_source.h"

namespace spinalyst {
namespace {

// The fifty bets of RandomBatchWithBets, so that the two settle the same table.
BettingPlan FiftyBetPlan(Progression progression) {
    BettingPlan plan;
    plan.kind = RouletteKind::French;
    const std::pair<BetKind, int> families[] = {
        {BetKind::Plein, 20},     {BetKind::Cheval, 10},   {BetKind::Transversale, 5},
        {BetKind::Carre, 5},      {BetKind::Sizain, 3},    {BetKind::Colonne, 2},
        {BetKind::Douzaine, 2},   {BetKind::RougeNoir, 1}, {BetKind::PairImpair, 1},
        {BetKind::ManquePasse, 1}};
    for (const auto& [kind, count] : families)
        for (int i = 1; i <= count; ++i) plan.bets.push_back({{kind, i}, 100 * i});
    plan.progression.kind = progression;
    return plan;
}

// A Martingale played over n recorded draws, with a bankroll, a table maximum and a stop-win
// so that sessions end and start again all along (some twenty spins each).
void BM_Backtest(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    BettingPlan plan = FiftyBetPlan(Progression::Martingale);
    plan.rules.bankroll = 100'000'000;
    plan.rules.tableMax = 1'000'000;
    plan.rules.stopWin = 1'000'000;
    const PlanTable table(plan);
    RandomSource rng(1);
    std::vector<std::uint8_t> pockets(n);
    for (auto& p : pockets) p = static_cast<std::uint8_t>(rng.Next(plan.kind));
    std::size_t sessions = 0;
    for (auto _ : state) {
        const BacktestResult result = RunBacktest(table, pockets);
        benchmark::DoNotOptimize(result.balance);
        sessions = result.sessions.size();
    }
    state.counters["sessions"] = static_cast<double>(sessions);
    state.counters["ns_per_spin"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * static_cast<double>(n),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Backtest)->Name("Backtest/martingale")->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The sleeping dozen with a streak rule beside it, under the same Martingale and money rules:
// what the rules cost a spin beside the fixed bets above.
PlanTable RulesTable(std::string_view money) {
    const std::string text = std::string(
                                 "--rule absent any douzaine >= 12 => that=1\n"
                                 "--rule streak red >= 3 => black=1\n"
                                 "--progression martingale\n") +
                             std::string(money);
    return PlanTable(*BindSystem(*ParseSystem(text).system, RouletteKind::French).plan);
}

void BM_BacktestRules(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const PlanTable table = RulesTable("--bankroll 1000000\n--table-max 10000\n--stop-win 10000\n");
    RandomSource rng(1);
    std::vector<std::uint8_t> pockets(n);
    for (auto& p : pockets) p = static_cast<std::uint8_t>(rng.Next(RouletteKind::French));
    std::size_t sessions = 0;
    for (auto _ : state) {
        const BacktestResult result = RunBacktest(table, pockets);
        benchmark::DoNotOptimize(result.balance);
        sessions = result.sessions.size();
    }
    state.counters["sessions"] = static_cast<double>(sessions);
    state.counters["ns_per_spin"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * static_cast<double>(n),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BacktestRules)->Name("Backtest/rules")->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// 10,000 sessions of 100 spins each (no rule ends one sooner), on one and on two threads.
void BM_MonteCarlo(benchmark::State& state) {
    BettingPlan plan = FiftyBetPlan(Progression::Martingale);
    plan.rules.maxSpins = 100;
    const PlanTable table(plan);
    MonteCarloRequest request;
    request.sessions = 10'000;
    request.threads = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        const auto result = RunMonteCarlo(table, request);
        benchmark::DoNotOptimize(result->returnPerUnit.value);
    }
    state.counters["ns_per_spin"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 1e6,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MonteCarlo)
    ->Name("MonteCarlo")
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The same runs with the rules of Backtest/rules: each thread keeps its own watch.
void BM_MonteCarloRules(benchmark::State& state) {
    const PlanTable table = RulesTable("--max-spins 100\n");
    MonteCarloRequest request;
    request.sessions = 10'000;
    request.threads = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        const auto result = RunMonteCarlo(table, request);
        benchmark::DoNotOptimize(result->returnPerUnit.value);
    }
    state.counters["ns_per_spin"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 1e6,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MonteCarloRules)
    ->Name("MonteCarlo/rules")
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace spinalyst
