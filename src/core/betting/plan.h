#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/betting/bet_list.h"
#include "core/model/roulette.h"

namespace spinalyst {

// How the units of the next spin follow from the last one.
enum class Progression {
    Flat,
    Martingale,
    GrandMartingale,
    Dalembert,
    Fibonacci,
    Labouchere,
    Paroli,
    Sequence,
};
inline constexpr std::array allProgressions = {
    Progression::Flat,      Progression::Martingale, Progression::GrandMartingale,
    Progression::Dalembert, Progression::Fibonacci,  Progression::Labouchere,
    Progression::Paroli,    Progression::Sequence};

// Names on the command line and in the settings: flat, martingale, grand-martingale,
// dalembert, fibonacci, labouchere, paroli, sequence.
std::string_view ProgressionName(Progression progression);
std::optional<Progression> ProgressionFromName(std::string_view name);

enum class AdvanceOn { Loss, Win };
// What happens when the progression asks for more than the table maximum.
enum class AtLimit { Reset, Cap, Stop };
std::string_view AdvanceOnName(AdvanceOn advance);
std::optional<AdvanceOn> AdvanceOnFromName(std::string_view name);
std::string_view AtLimitName(AtLimit atLimit);
std::optional<AtLimit> AtLimitFromName(std::string_view name);

using Units = std::int64_t;

struct ProgressionSettings {
    Progression kind = Progression::Flat;
    // Labouchère's starting line and the sequence's entries, in units.
    std::vector<Units> line = {1, 2, 3, 4};
    std::vector<Units> sequence = {1, 2, 4, 8, 16};
    AdvanceOn advanceOn = AdvanceOn::Loss;
    friend bool operator==(const ProgressionSettings&, const ProgressionSettings&) = default;
};

// The money rules; each is off when empty.
struct MoneyRules {
    std::optional<Cents> bankroll;
    // The largest stake on one slot. The table itself never takes more than maxSlotStake.
    std::optional<Cents> tableMax;
    AtLimit atLimit = AtLimit::Reset;
    std::optional<Cents> stopWin;
    std::optional<Cents> stopLoss;
    std::optional<std::int64_t> maxSpins;
    // On a zero, even-chance bets give back half their stake (French table only).
    bool laPartage = false;
    friend bool operator==(const MoneyRules&, const MoneyRules&) = default;
};

// The base bets (the stakes at one unit), a progression and the money rules.
struct BettingPlan {
    RouletteKind kind = defaultKind;
    std::vector<PlacedBet> bets;
    ProgressionSettings progression;
    MoneyRules rules;
    friend bool operator==(const BettingPlan&, const BettingPlan&) = default;
};

// The longest line or sequence, and the largest entry of either.
inline constexpr std::size_t maxProgressionEntries = 100;
inline constexpr Units maxProgressionEntry = 1'000'000;
// The largest bankroll, stop or table amount: 10^12 units, as amounts are read.
inline constexpr Cents maxPlanAmount = 100'000'000'000'000;

enum class PlanError {
    NoBets,
    // A slot the table does not offer, twice the same slot, or an amount outside
    // 0,01 ... maxSlotStake.
    BadBet,
    BadLine,
    BadSequence,
    // An amount rule that is not positive, or a table maximum above maxSlotStake.
    BadAmount,
    BadMaxSpins,
    LaPartageNotFrench,
    BaseAboveTableMax,
    // The progression's first units already pass the table maximum.
    StartAboveTableMax,
    BankrollBelowFirstStake,
};

// What keeps the plan from being played, checked before the first spin; nullopt when it can be.
std::optional<PlanError> CheckPlan(const BettingPlan& plan);

// A checked plan as a spin settles it: the stake and what each pocket pays back at one unit,
// which the units only rescale, so a spin costs a look-up and a multiplication however many
// bets there are.
class PlanTable {
public:
    // The plan must pass CheckPlan.
    explicit PlanTable(BettingPlan plan);

    const BettingPlan& plan() const { return plan_; }
    RouletteKind kind() const { return plan_.kind; }
    // The total stake at one unit.
    Cents baseStake() const { return baseStake_; }
    // The most units the table maximum (or the table's own limit) lets the largest bet take.
    Units unitLimit() const { return unitLimit_; }

    Cents Stake(Units u) const { return baseStake_ * u; }
    // What pocket p pays back at u units, the stakes of the winning bets included.
    Cents Win(Pocket p, Units u) const {
        Cents win = baseWin_[static_cast<std::size_t>(p)] * u;
        if (p == 0 && !partageBases_.empty())
            for (Cents base : partageBases_) win += base * u / 2;
        return win;
    }

    // The expected result per unit staked of one spin, on a wheel that draws pocket p with
    // weight weights[p] (indexed by pocket); an empty span is the fair wheel. La partage gives
    // back exact halves here; the settlement rounds each half down to the cent, which costs
    // at most half a cent per even-chance bet and zero.
    double ExpectedReturn(std::span<const double> weights = {}) const;

private:
    BettingPlan plan_;
    Cents baseStake_ = 0;
    // The largest slot stake at one unit.
    Cents largestBase_ = 0;
    Units unitLimit_ = 1;
    std::array<Cents, maxPocketCount> baseWin_{};
    // The even-chance base amounts when la partage applies, else empty.
    std::vector<Cents> partageBases_;
};

}  // namespace spinalyst
