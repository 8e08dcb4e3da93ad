#include "core/betting/bet_ledger.h"

#include <algorithm>

namespace spinalyst {

bool BetLedger::SetChipValue(Cents value) {
    if (value < 1 || value > maxSlotStake) return false;
    chipValue_ = value;
    return true;
}

std::optional<BetSlot> BetLedger::ChipAt(int x, int y) const {
    for (auto it = chips_.rbegin(); it != chips_.rend(); ++it)
        if (const auto snap = SnapPoint(*it, kind_); snap && ChipRect(*snap).Contains(x, y))
            return *it;
    return std::nullopt;
}

std::optional<BetSlot> BetLedger::SlotAt(int x, int y) const {
    if (const auto chip = ChipAt(x, y)) return chip;
    if (const auto hit = HitTest(x, y, kind_)) return hit->slot;
    return std::nullopt;
}

bool BetLedger::LeftClickPassesCap(BetSlot slot, int neighbours) const {
    if (!TableOffers(kind_, slot)) return false;
    const auto passes = [this](BetSlot s) { return stakes_[s] > maxSlotStake - chipValue_; };
    if (passes(slot)) return true;
    if (slot.kind != BetKind::Plein || neighbours <= 0) return false;
    for (Pocket q : NeighbourPockets(kind_, slot.index, neighbours))
        if (const BetSlot s{BetKind::Plein, q}; TableOffers(kind_, s) && passes(s)) return true;
    return false;
}

std::optional<BetSlot> BetLedger::ClickTable(int x, int y, MouseButton button, int neighbours) {
    if (planHoldsTable()) return std::nullopt;
    if (const auto chip = ChipAt(x, y)) return ClickChip(*chip, button, neighbours);
    const auto hit = HitTest(x, y, kind_);
    if (!hit) return std::nullopt;
    PlaceChip(hit->slot, button, Via::Picture);
    PlaceOnNeighbours(hit->slot, button, neighbours);
    RebuildList();
    return hit->slot;
}

std::optional<BetSlot> BetLedger::ClickChip(BetSlot slot, MouseButton button, int neighbours) {
    if (!TableOffers(kind_, slot) || planHoldsTable()) return std::nullopt;
    PlaceChip(slot, button, Via::Chip);
    PlaceOnNeighbours(slot, button, neighbours);
    RebuildList();
    return slot;
}

void BetLedger::PlaceChip(BetSlot slot, MouseButton button, Via via) {
    Cents stake = stakes_[slot];
    if (via == Via::Chip && button == MouseButton::Right)
        stake = std::max<Cents>(stake - chipValue_, 0);
    if (button == MouseButton::Left) stake = std::min(stake + chipValue_, maxSlotStake);
    SetStake(slot, stake);
}

void BetLedger::PlaceOnNeighbours(BetSlot handled, MouseButton button, int neighbours) {
    if (handled.kind != BetKind::Plein || neighbours <= 0) return;
    for (Pocket q : NeighbourPockets(kind_, handled.index, neighbours))
        if (const BetSlot slot{BetKind::Plein, q}; TableOffers(kind_, slot))
            PlaceChip(slot, button, Via::Picture);
}

bool BetLedger::AddStake(BetSlot slot, Cents amount, int neighbours) {
    if (!TableOffers(kind_, slot) || amount <= 0 || planHoldsTable()) return false;
    std::vector<BetSlot> targets = {slot};
    if (slot.kind == BetKind::Plein && neighbours > 0)
        for (Pocket q : NeighbourPockets(kind_, slot.index, neighbours))
            if (const BetSlot s{BetKind::Plein, q}; TableOffers(kind_, s)) targets.push_back(s);
    for (BetSlot s : targets)
        if (amount > maxSlotStake - stakes_[s]) return false;
    for (BetSlot s : targets) SetStake(s, stakes_[s] + amount);
    RebuildList();
    return true;
}

void BetLedger::SetStake(BetSlot slot, Cents stake) {
    Cents& current = stakes_[slot];
    if (current == stake) return;
    if (current == 0) chips_.push_back(slot);
    if (stake == 0) std::erase(chips_, slot);
    current = stake;
    ++stakesVersion_;
}

void BetLedger::ClearBets() {
    if (chips_.empty() || planHoldsTable()) return;
    stakes_ = StakeTable();
    chips_.clear();
    ++stakesVersion_;
    RebuildList();
}

void BetLedger::PutStakes(std::span<const PlacedBet> bets, bool laPartage) {
    stakes_ = StakeTable();
    chips_.clear();
    for (const PlacedBet& bet : bets)
        if (TableOffers(kind_, bet.slot) && bet.stake >= 1 && bet.stake <= maxSlotStake &&
            stakes_[bet.slot] == 0)
            SetStake(bet.slot, bet.stake);
    ++stakesVersion_;
    RebuildList();
    if (laPartage) AddLaPartage();
}

void BetLedger::RebuildList() {
    list_ = RebuildBetList(stakes_);
    laPartage_ = false;
}

void BetLedger::AddLaPartage() {
    // Only the French table plays it.
    if (kind_ != RouletteKind::French) return;
    laPartage_ = true;
    for (const PlacedBet& bet : list_.bets)
        if (bet.slot.kind == BetKind::RougeNoir || bet.slot.kind == BetKind::PairImpair ||
            bet.slot.kind == BetKind::ManquePasse)
            list_.winPerPocket[0] += bet.stake / 2;
}

void BetLedger::NewGame(RouletteKind kind) {
    kind_ = kind;
    history_.Clear();
    balance_ = 0;
    drawWin_ = 0;
    live_.Stop();
    ClearBets();
}

std::optional<PlanError> BetLedger::StartPlan(const ProgressionSettings& progression,
                                              const MoneyRules& rules, int nextDraw) {
    BettingPlan plan;
    plan.kind = kind_;
    // A running session's chips are its units, not the base: it gives its base bets back.
    if (live_.running())
        plan.bets = live_.plan()->bets;
    else if (!list_.empty())
        plan.bets = list_.bets;
    else if (live_.lastPlan() && live_.lastPlan()->kind == kind_)
        plan.bets = live_.lastPlan()->bets;
    plan.progression = progression;
    plan.rules = rules;
    if (const auto error = CheckPlan(plan)) return error;
    live_.Start(std::move(plan), nextDraw);
    // The list is built anew even where the stakes stay, since la partage may change it.
    ++stakesVersion_;
    ApplyPlanStakes();
    return std::nullopt;
}

std::optional<PlanError> BetLedger::StartSystem(BettingPlan plan,
                                                std::span<const std::uint8_t> draws) {
    plan.kind = kind_;
    if (const auto error = CheckPlan(plan)) return error;
    live_.Start(std::move(plan), static_cast<int>(draws.size()) + 1, draws);
    ++stakesVersion_;
    ApplyPlanStakes();
    return std::nullopt;
}

void BetLedger::StopPlan() {
    const std::vector<PlacedBet> base =
        live_.running() ? live_.plan()->bets : std::vector<PlacedBet>(list_.bets);
    live_.Stop();
    ++stakesVersion_;
    SetStakes(base);
}

void BetLedger::ApplyPlanStakes() {
    if (live_.active()) SetStakes(live_.Stakes());
}

void BetLedger::SetStakes(const std::vector<PlacedBet>& stakes) {
    StakeTable wanted;
    for (const PlacedBet& bet : stakes) wanted[bet.slot] = bet.stake;
    for (const PlacedBet& bet : std::vector<PlacedBet>(list_.bets))
        if (wanted[bet.slot] == 0) SetStake(bet.slot, 0);
    for (const PlacedBet& bet : stakes) SetStake(bet.slot, bet.stake);
    RebuildList();
    // La partage is the plan's table rule: a zero pays back half of each even-chance stake.
    if (live_.running() && live_.plan()->rules.laPartage) AddLaPartage();
}

void BetLedger::StoreListIfChanged() {
    if (history_.newestListVersion() != stakesVersion_)
        history_.StartBetList(list_, stakesVersion_);
}

bool BetLedger::SettleBets(int drawNumber, Pocket p) {
    if (!IsPocketOf(kind_, p)) return false;
    if (list_.empty()) {
        if (live_.running()) {
            live_.Play(p);
            ApplyPlanStakes();
        }
        return false;
    }
    Settle(drawNumber, p);
    if (live_.running()) {
        live_.Play(p);
        ApplyPlanStakes();
    }
    return true;
}

void BetLedger::Settle(int drawNumber, Pocket p) {
    StoreListIfChanged();
    drawWin_ = list_.winPerPocket[p];
    balance_ += drawWin_ - list_.totalStake;
    history_.Append(drawNumber, p, balance_);
}

void BetLedger::SettleBets(std::span<const std::uint8_t> pockets, int firstDrawNumber) {
    if (pockets.empty()) return;
    if (live_.running()) {
        // The stakes change after every draw: one at a time.
        int drawNumber = firstDrawNumber;
        for (const std::uint8_t p : pockets) SettleBets(drawNumber++, p);
        return;
    }
    if (list_.empty()) return;
    StoreListIfChanged();
    const Pocket first = firstPocket(kind_);
    const Pocket last = lastPocket(kind_);
    // Locals, so that the loop does not reload what the history's stores might have touched.
    const auto& winPerPocket = list_.winPerPocket;
    const Cents totalStake = list_.totalStake;
    Cents balance = balance_;
    Cents win = drawWin_;
    int drawNumber = firstDrawNumber;
    std::size_t next = 0;
    while (next < pockets.size()) {
        // A block of the history at a time, filled through local pointers.
        const BetHistory::Slots slots = history_.NextSlots();
        std::size_t filled = 0;
        for (; next < pockets.size() && filled < slots.room; ++next, ++drawNumber) {
            const std::uint8_t p = pockets[next];
            if (p < first || p > last) continue;
            win = winPerPocket[p];
            balance += win - totalStake;
            slots.balances[filled] = balance;
            slots.drawNumbers[filled] = drawNumber;
            slots.pockets[filled] = p;
            ++filled;
        }
        history_.Commit(filled);
    }
    balance_ = balance;
    drawWin_ = win;
}

void BetLedger::UndoDraw(int drawNumber, std::span<const std::uint8_t> draws) {
    history_.RemoveDraw(drawNumber);
    if (live_.active()) {
        live_.Rewind(history_, drawNumber, draws);
        ApplyPlanStakes();
    }
    if (history_.empty()) {
        balance_ = 0;
        drawWin_ = 0;
        return;
    }
    balance_ = history_.balance(history_.size() - 1);
    drawWin_ = history_.win(history_.size() - 1);
}

}  // namespace spinalyst
