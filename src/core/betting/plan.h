#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/betting/bet_list.h"
#include "core/betting/plan_rules.h"
#include "core/betting/spin_table.h"
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

// The base bets (the stakes at one unit), a progression and the money rules. The base bets are
// either `bets`, staked on every spin, or the bets of the `betRules` that hold before each spin
// (a system); a plan has one or the other.
struct BettingPlan {
    RouletteKind kind = defaultKind;
    std::vector<PlacedBet> bets;
    std::vector<PlanRule> betRules;
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
    // A slot the table does not offer, twice the same slot, an amount outside
    // 0,01 ... maxSlotStake, both bets and rules, or more than maxPlanRules rules.
    BadBet,
    BadLine,
    BadSequence,
    // An amount rule that is not positive, or a table maximum above maxSlotStake.
    BadAmount,
    BadMaxSpins,
    LaPartageNotFrench,
    // A base bet, or an amount a rule stakes on one slot, passes the table maximum.
    BaseAboveTableMax,
    // The progression's first units already pass the table maximum (on some rule's slot).
    StartAboveTableMax,
    // The first spin is not idle and the bankroll does not cover its stake.
    BankrollBelowFirstStake,
};

// What keeps the plan from being played, checked before the first spin; nullopt when it can be.
std::optional<PlanError> CheckPlan(const BettingPlan& plan);

// The largest stake a rule puts on one slot at one unit: each target's amount on a slot of it,
// the named slots summed; rules that fire together add up only as they are played.
Cents LargestRuleStake(const PlanRule& rule);
// The base bets of the first spin of a session with no spin before it: the plan's bets, or
// the bets of its rules that always hold (none: the first spin is idle).
std::vector<PlacedBet> FirstSpinBets(const BettingPlan& plan);

class RuleBook;

// A checked plan as its sessions play it: its rules made ready for the spins (RuleBook), and
// for a plan whose bets never change (plain bets, or rules that always hold) the one table of
// every spin.
class PlanTable {
public:
    // The plan must pass CheckPlan.
    explicit PlanTable(BettingPlan plan);
    ~PlanTable();
    PlanTable(const PlanTable&) = delete;
    PlanTable& operator=(const PlanTable&) = delete;

    const BettingPlan& plan() const { return plan_; }
    RouletteKind kind() const { return plan_.kind; }
    // The most one slot may hold: the table maximum, or the table's own limit.
    Cents slotLimit() const { return slotLimit_; }
    // Whether every spin stakes the same bets: then fixedTable() is each spin's table, and no
    // spin needs to be watched.
    bool fixedBets() const { return fixed_.has_value(); }
    const SpinTable& fixedTable() const { return *fixed_; }
    const RuleBook& ruleBook() const { return *book_; }

    // The plan's own bets (empty for a system), as before systems: the total stake and the
    // most units at one unit, what a pocket pays back, the expected return.
    Cents baseStake() const { return plain_.baseStake(); }
    Units unitLimit() const { return plain_.unitLimit(); }
    Cents Stake(Units u) const { return plain_.Stake(u); }
    Cents Win(Pocket p, Units u) const { return plain_.Win(p, u); }
    double ExpectedReturn(std::span<const double> weights = {}) const {
        return plain_.ExpectedReturn(weights);
    }

private:
    BettingPlan plan_;
    Cents slotLimit_ = 0;
    SpinTable plain_;
    std::optional<SpinTable> fixed_;
    std::unique_ptr<const RuleBook> book_;
};

}  // namespace spinalyst
