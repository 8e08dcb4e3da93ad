#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

#include "core/betting/bet_list.h"
#include "core/betting/plan_rules.h"
#include "core/betting/spin_table.h"

namespace spinalyst {

struct BettingPlan;

// A plan's rules made ready for the spins: the bets its conditions watch (its subjects, each
// set of pockets once), which of them each pocket hits, and the windows of its `hits`
// conditions. Shared, unchanged, by every watch of the plan.
class RuleBook {
public:
    explicit RuleBook(const BettingPlan& plan);

    // Whether no condition watches a subject, so every spin stakes the same bets.
    bool fixedBets() const { return subjectCount_ == 0; }

    struct Condition {
        ConditionKind kind = ConditionKind::Always;
        std::int64_t count = 0;
        std::int64_t window = 0;
        int windowIndex = -1;
        // The subject of each member, and the one member watched (-1: all, `any`).
        std::vector<int> memberSubjects;
        int only = -1;
    };
    struct Rule {
        std::vector<Condition> when;
        int thatCondition = -1;
        // Whether its bets depend on the members of that.
        bool usesThat = false;
    };

private:
    friend class RuleWatch;

    RouletteKind kind_;
    Cents slotLimit_;
    bool laPartage_;
    const std::vector<PlanRule>* planRules_;
    std::vector<Rule> rules_;
    int subjectCount_ = 0;
    // For pocket p, the subjects it hits: subjectsOf_[first_[p] ... first_[p + 1]).
    std::vector<int> first_;
    std::vector<int> subjectsOf_;
    std::vector<std::int64_t> windows_;
    // A power of two above the longest window.
    std::size_t ringSize_ = 1;
};

// What the rules of a plan see of the spins so far, kept up to date one pocket at a time, and
// the base bets they give the next spin. A spin costs the subjects its pocket hits and, to
// decide, the rules and the subjects they name: never a pass over the history.
class RuleWatch {
public:
    // The book must outlive the watch. `weights` (by pocket; empty for a fair wheel) give the
    // mean win of each spin's bets.
    explicit RuleWatch(const RuleBook& book, std::span<const double> weights = {});
    // A copy sees the same history and has decided the same bets, in tables of its own.
    RuleWatch(const RuleWatch& other);
    RuleWatch& operator=(const RuleWatch& other);
    ~RuleWatch();

    // An empty history, as a new session of a simulated wheel starts.
    void Reset();
    void Observe(Pocket p);
    std::int64_t seen() const { return seen_; }

    // Evaluates the rules on the history seen: the table of the next spin's base bets (idle
    // when no rule holds), valid until the next Decide or Reset.
    const SpinTable& Decide();
    // The rules that held at the last Decide: bit i for rule i.
    std::uint64_t fired() const { return fired_; }
    // What one unit of the decided bets pays back on average on the watch's wheel.
    double meanWin() const { return meanWin_; }
    // The table the last Decide gave; nullptr before any.
    const SpinTable* decided() const { return current_ ? &current_->table : nullptr; }

private:
    struct Entry {
        SpinTable table;
        double meanWin = 0;
    };
    struct KeyHash {
        std::size_t operator()(const std::vector<std::uint64_t>& key) const;
    };

    void CopyFrom(const RuleWatch& other);
    bool Holds(const RuleBook::Condition& c, int subject) const;
    const Entry& Build(const std::vector<std::uint64_t>& key);

    const RuleBook* book_;
    std::vector<double> weights_;
    std::int64_t seen_ = 0;
    // Per subject: the index of its last hit and of the first hit of its current run (-1:
    // none), and its hits in each window (subject * windows + window).
    std::vector<std::int64_t> lastHit_;
    std::vector<std::int64_t> runStart_;
    std::vector<std::int32_t> counts_;
    std::vector<std::uint8_t> ring_;

    // The rules that held and their that-sets: what the decided bets follow from.
    std::vector<std::uint64_t> key_;
    std::vector<std::uint64_t> lastKey_;
    const Entry* current_ = nullptr;
    std::uint64_t fired_ = 0;
    double meanWin_ = 0;
    // Tables of the keys met so far, up to a bound; past it, one scratch table.
    std::unordered_map<std::vector<std::uint64_t>, std::unique_ptr<Entry>, KeyHash> cache_;
    Entry scratch_;
    Entry idle_;
    StakeTable sums_;
    std::vector<BetSlot> touched_;
};

}  // namespace spinalyst
