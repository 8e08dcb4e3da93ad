#include "core/betting/rule_watch.h"

#include <algorithm>
#include <bit>
#include <map>

#include "core/betting/money.h"
#include "core/betting/plan.h"

namespace spinalyst {

namespace {

// Past this many different sets of bets, a watch stops keeping their tables.
constexpr std::size_t maxCachedTables = 4096;

constexpr std::uint64_t Bit(int i) {
    return std::uint64_t{1} << i;
}

}  // namespace

RuleBook::RuleBook(const BettingPlan& plan)
    : kind_(plan.kind),
      slotLimit_(std::min(plan.rules.tableMax.value_or(maxSlotStake), maxSlotStake)),
      laPartage_(plan.rules.laPartage),
      planRules_(&plan.betRules) {
    std::map<PocketMask, int> subjects;
    std::vector<PocketMask> masks;
    const auto subjectOf = [&](PocketMask pockets) {
        const auto [at, added] = subjects.emplace(pockets, static_cast<int>(masks.size()));
        if (added) masks.push_back(pockets);
        return at->second;
    };
    for (const PlanRule& planRule : plan.betRules) {
        Rule rule;
        rule.thatCondition = planRule.thatCondition;
        const auto hasBets = [](const std::vector<std::vector<PlacedBet>>& perMember) {
            return std::any_of(perMember.begin(), perMember.end(),
                               [](const auto& bets) { return !bets.empty(); });
        };
        rule.usesThat = hasBets(planRule.thatBets) || hasBets(planRule.oppositeBets);
        for (const PlanCondition& pc : planRule.when) {
            Condition c;
            c.kind = pc.kind;
            c.count = pc.count;
            c.window = pc.window;
            c.only = pc.only;
            if (pc.kind == ConditionKind::HitsAtMost || pc.kind == ConditionKind::HitsAtLeast) {
                auto at = std::find(windows_.begin(), windows_.end(), pc.window);
                if (at == windows_.end()) at = windows_.insert(windows_.end(), pc.window);
                c.windowIndex = static_cast<int>(at - windows_.begin());
            }
            if (pc.kind != ConditionKind::Always)
                for (std::size_t i = 0; i < pc.members.size(); ++i)
                    c.memberSubjects.push_back(pc.only < 0 || static_cast<int>(i) == pc.only
                                                   ? subjectOf(pc.members[i].pockets)
                                                   : -1);
            rule.when.push_back(std::move(c));
        }
        rules_.push_back(std::move(rule));
    }
    subjectCount_ = static_cast<int>(masks.size());
    for (Pocket p = 0; p < maxPocketCount; ++p) {
        first_.push_back(static_cast<int>(subjectsOf_.size()));
        for (int s = 0; s < subjectCount_; ++s)
            if (masks[static_cast<std::size_t>(s)] & Bit(p)) subjectsOf_.push_back(s);
    }
    first_.push_back(static_cast<int>(subjectsOf_.size()));
    std::int64_t longest = 0;
    for (std::int64_t w : windows_) longest = std::max(longest, w);
    while (ringSize_ <= static_cast<std::size_t>(longest)) ringSize_ *= 2;
}

std::size_t RuleWatch::KeyHash::operator()(const std::vector<std::uint64_t>& key) const {
    std::uint64_t h = 0x9e3779b97f4a7c15;
    for (std::uint64_t word : key) h = (h ^ word) * 0x100000001b3 + (h >> 29);
    return static_cast<std::size_t>(h);
}

RuleWatch::RuleWatch(const RuleBook& book, std::span<const double> weights)
    : book_(&book), weights_(weights.begin(), weights.end()) {
    const auto subjects = static_cast<std::size_t>(book.subjectCount_);
    lastHit_.assign(subjects, -1);
    runStart_.assign(subjects, -1);
    counts_.assign(subjects * book.windows_.size(), 0);
    ring_.assign(book.windows_.empty() ? 1 : book.ringSize_, 0);
    key_.reserve(1 + book.rules_.size());
}

RuleWatch::RuleWatch(const RuleWatch& other) {
    CopyFrom(other);
}

RuleWatch& RuleWatch::operator=(const RuleWatch& other) {
    if (this != &other) CopyFrom(other);
    return *this;
}

RuleWatch::~RuleWatch() = default;

void RuleWatch::CopyFrom(const RuleWatch& other) {
    book_ = other.book_;
    weights_ = other.weights_;
    seen_ = other.seen_;
    lastHit_ = other.lastHit_;
    runStart_ = other.runStart_;
    counts_ = other.counts_;
    ring_ = other.ring_;
    key_ = other.key_;
    lastKey_ = other.lastKey_;
    fired_ = other.fired_;
    meanWin_ = other.meanWin_;
    cache_.clear();
    for (const auto& [key, entry] : other.cache_)
        cache_.emplace(key, std::make_unique<Entry>(*entry));
    scratch_ = other.scratch_;
    idle_ = other.idle_;
    sums_ = StakeTable();
    touched_.clear();
    current_ = nullptr;
    if (other.current_ == &other.idle_)
        current_ = &idle_;
    else if (other.current_ == &other.scratch_)
        current_ = &scratch_;
    else if (other.current_)
        current_ = cache_.at(lastKey_).get();
}

void RuleWatch::Reset() {
    seen_ = 0;
    std::fill(lastHit_.begin(), lastHit_.end(), -1);
    std::fill(runStart_.begin(), runStart_.end(), -1);
    std::fill(counts_.begin(), counts_.end(), 0);
    lastKey_.clear();
    current_ = nullptr;
}

void RuleWatch::Observe(Pocket p) {
    const RuleBook& book = *book_;
    const std::int64_t at = seen_;
    const std::size_t windows = book.windows_.size();
    const auto pocket = static_cast<std::size_t>(p);
    for (int i = book.first_[pocket]; i < book.first_[pocket + 1]; ++i) {
        const auto s = static_cast<std::size_t>(book.subjectsOf_[static_cast<std::size_t>(i)]);
        // Without a branch: whether a run goes on is as random as the wheel.
        runStart_[s] = lastHit_[s] == at - 1 ? runStart_[s] : at;
        lastHit_[s] = at;
        for (std::size_t w = 0; w < windows; ++w) ++counts_[s * windows + w];
    }
    seen_ = at + 1;
    if (windows == 0) return;
    const std::size_t ringMask = ring_.size() - 1;
    ring_[static_cast<std::size_t>(at) & ringMask] = static_cast<std::uint8_t>(p);
    // The pocket that has just left each window stops counting there.
    for (std::size_t w = 0; w < windows; ++w) {
        const std::int64_t leaving = seen_ - 1 - book.windows_[w];
        if (leaving < 0) continue;
        const auto q =
            static_cast<std::size_t>(ring_[static_cast<std::size_t>(leaving) & ringMask]);
        for (int i = book.first_[q]; i < book.first_[q + 1]; ++i) {
            const auto s = static_cast<std::size_t>(book.subjectsOf_[static_cast<std::size_t>(i)]);
            --counts_[s * windows + w];
        }
    }
}

bool RuleWatch::Holds(const RuleBook::Condition& c, int subject) const {
    const auto s = static_cast<std::size_t>(subject);
    const std::int64_t n = seen_;
    switch (c.kind) {
        case ConditionKind::Always:
            return true;
        case ConditionKind::Last:
            return n >= 1 && lastHit_[s] == n - 1;
        case ConditionKind::Streak:
            return n >= c.count && lastHit_[s] == n - 1 && n - runStart_[s] >= c.count;
        case ConditionKind::Absent:
            return n >= c.count && lastHit_[s] < n - c.count;
        case ConditionKind::HitsAtMost:
        case ConditionKind::HitsAtLeast:
            break;
    }
    if (n < c.window) return false;
    const std::int32_t hits =
        counts_[s * book_->windows_.size() + static_cast<std::size_t>(c.windowIndex)];
    return c.kind == ConditionKind::HitsAtMost ? hits <= c.count : hits >= c.count;
}

const SpinTable& RuleWatch::Decide() {
    const RuleBook& book = *book_;
    key_.clear();
    key_.push_back(0);
    std::uint64_t fired = 0;
    for (std::size_t r = 0; r < book.rules_.size(); ++r) {
        const RuleBook::Rule& rule = book.rules_[r];
        std::uint64_t that = 0;
        bool holds = true;
        for (std::size_t ci = 0; ci < rule.when.size() && holds; ++ci) {
            const RuleBook::Condition& c = rule.when[ci];
            if (c.kind == ConditionKind::Always) continue;
            std::uint64_t members = 0;
            if (c.only >= 0) {
                if (Holds(c, c.memberSubjects[static_cast<std::size_t>(c.only)]))
                    members = Bit(c.only);
            } else {
                for (std::size_t i = 0; i < c.memberSubjects.size(); ++i)
                    if (Holds(c, c.memberSubjects[i])) members |= Bit(static_cast<int>(i));
            }
            holds = members != 0;
            if (static_cast<int>(ci) == rule.thatCondition) that = members;
        }
        if (!holds) continue;
        fired |= Bit(static_cast<int>(r));
        if (rule.usesThat) key_.push_back(that);
    }
    key_.front() = fired;
    fired_ = fired;
    // Keys are a few words: compared in place, not through a call per spin.
    bool same = current_ && key_.size() == lastKey_.size();
    for (std::size_t i = 0; same && i < key_.size(); ++i) same = key_[i] == lastKey_[i];
    if (!same) {
        lastKey_ = key_;
        if (fired == 0) {
            current_ = &idle_;
        } else if (const auto found = cache_.find(key_); found != cache_.end()) {
            current_ = found->second.get();
        } else {
            current_ = &Build(key_);
        }
    }
    meanWin_ = current_->meanWin;
    return current_->table;
}

const RuleWatch::Entry& RuleWatch::Build(const std::vector<std::uint64_t>& key) {
    const RuleBook& book = *book_;
    const std::vector<PlanRule>& rules = *book.planRules_;
    const auto add = [&](const std::vector<PlacedBet>& bets) {
        for (const PlacedBet& bet : bets) {
            if (sums_[bet.slot] == 0) touched_.push_back(bet.slot);
            sums_[bet.slot] += bet.stake;
        }
    };
    std::size_t next = 1;
    for (std::uint64_t fired = key.front(); fired != 0; fired &= fired - 1) {
        const auto r = static_cast<std::size_t>(std::countr_zero(fired));
        const PlanRule& rule = rules[r];
        add(rule.fixed);
        if (!book.rules_[r].usesThat) continue;
        const std::uint64_t that = key[next++];
        const PlanCondition& c = rule.when[static_cast<std::size_t>(rule.thatCondition)];
        std::uint64_t opposite = 0;
        for (std::uint64_t m = that; m != 0; m &= m - 1) {
            const auto i = static_cast<std::size_t>(std::countr_zero(m));
            add(rule.thatBets[i]);
            if (i < c.opposites.size()) opposite |= c.opposites[i];
        }
        opposite &= ~that;
        for (std::uint64_t m = opposite; m != 0; m &= m - 1)
            add(rule.oppositeBets[static_cast<std::size_t>(std::countr_zero(m))]);
    }
    std::vector<PlacedBet> bets;
    bets.reserve(touched_.size());
    for (BetSlot slot : touched_) {
        bets.push_back({slot, sums_[slot]});
        sums_[slot] = 0;
    }
    touched_.clear();
    Entry entry{SpinTable(book.kind_, std::move(bets), book.slotLimit_, book.laPartage_), 0};
    entry.meanWin = entry.table.MeanWin(weights_);
    if (cache_.size() < maxCachedTables) {
        auto stored = std::make_unique<Entry>(std::move(entry));
        const Entry& ref = *stored;
        cache_.emplace(key, std::move(stored));
        return ref;
    }
    scratch_ = std::move(entry);
    return scratch_;
}

}  // namespace spinalyst
