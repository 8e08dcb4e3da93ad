#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/betting/bet_history.h"
#include "core/betting/bet_list.h"
#include "core/betting/chips.h"
#include "core/betting/live_play.h"
#include "core/betting/money.h"
#include "core/betting/table_areas.h"
#include "core/model/roulette.h"

namespace spinalyst {

enum class MouseButton { Left, Right, Middle };

// The account of the betting simulator for one game: the stakes on the table and their chips,
// the chip value of a click, the running balance and the history of settled draws. It sits
// next to the game's draw log; betting_game.h calls it in step with the log.
class BetLedger {
public:
    explicit BetLedger(RouletteKind kind = defaultKind) : kind_(kind) {}

    RouletteKind kind() const { return kind_; }

    Cents chipValue() const { return chipValue_; }
    // False, and no change, for a value outside 1 ... maxSlotStake.
    bool SetChipValue(Cents value);

    // 0 for a slot without a bet, and for no slot at all.
    Cents stake(BetSlot slot) const { return IsValidSlot(slot) ? stakes_[slot] : 0; }
    const BetList& betList() const { return list_; }
    std::span<const PlacedBet> placedBets() const { return list_.bets; }
    int placedCount() const { return list_.placedCount(); }
    Cents totalStake() const { return list_.totalStake; }

    // The slots that show a chip, in the order the chips were put down: a later chip lies
    // above an earlier one.
    std::span<const BetSlot> chips() const { return chips_; }
    // The topmost chip whose picture holds the point.
    std::optional<BetSlot> ChipAt(int x, int y) const;
    // The slot a click at (x, y) lands on, as ClickTable finds it: the chip under the point, or
    // else the area under it. What the pointer hovers shows through it.
    std::optional<BetSlot> SlotAt(int x, int y) const;
    // Whether a left click on the slot, with neighbours, would take some stake past
    // maxSlotStake, where it stops instead.
    bool LeftClickPassesCap(BetSlot slot, int neighbours = 0) const;

    // A click on the table picture at (x, y): the chip under the point takes it, or else the
    // area under it. The left button adds the chip value, the right one takes it off a chip
    // (never below 0; the chip goes at 0), the middle one changes nothing. With neighbours
    // n > 0, a straight-up bet also puts the same click on the n pockets either side on the
    // wheel, as clicks on their areas; so a right click takes off the clicked chip only.
    // Returns the slot the click landed on.
    std::optional<BetSlot> ClickTable(int x, int y, MouseButton button, int neighbours = 0);
    // The same click landing on the chip of `slot`.
    std::optional<BetSlot> ClickChip(BetSlot slot, MouseButton button, int neighbours = 0);
    // Adds a positive amount to the slot and, with neighbours, to each neighbour's straight-up
    // bet. False, and no change, when the table does not offer the slot or a stake would pass
    // maxSlotStake.
    bool AddStake(BetSlot slot, Cents amount, int neighbours = 0);
    // Takes every chip off; the balance and the history stay.
    void ClearBets();
    // Puts exactly these stakes on the table, their chips down in the order given, as a game
    // read back had them. The slots must be ones the table offers, each once, with stakes from
    // 1 to maxSlotStake (as ParseStakesNote gives them); others are left out. With laPartage
    // (French only), a zero pays back half of each even-chance stake, as under a plan's rule.
    void PutStakes(std::span<const PlacedBet> bets, bool laPartage = false);
    // Whether a zero pays back half of the even-chance stakes now on the table.
    bool laPartageOn() const { return laPartage_; }

    // A new game of `kind`: no history, balance 0, no bet. The chip value stays.
    void NewGame(RouletteKind kind);
    // Settles the placed bets against draw `drawNumber`, just added to the log, and records
    // it. False, and nothing recorded, without bets or for a pocket the kind does not have; a
    // running system still sees a draw without bets, its idle spin.
    bool SettleBets(int drawNumber, Pocket p);
    // The same for consecutive draws, the first of them numbered firstDrawNumber.
    void SettleBets(std::span<const std::uint8_t> pockets, int firstDrawNumber);
    // Draw `drawNumber`, the newest, is being taken back: its record goes, and the balance is
    // that after the newest remaining record (0 when none remains). `draws` are the game's draws
    // before it, which a system's rules see again.
    void UndoDraw(int drawNumber, std::span<const std::uint8_t> draws = {});

    // A plan played live: the chips on the table (or, with none, the last plan's bets) become
    // its base bets, and from draw `nextDraw` on the stakes follow its progression. The error
    // that keeps the plan from starting, if any, and then nothing changes.
    std::optional<PlanError> StartPlan(const ProgressionSettings& progression,
                                       const MoneyRules& rules, int nextDraw);
    // A system played live (a plan bound by BindSystem, with betRules): before each draw its
    // rules, which see `draws` (the game's draws so far) and every draw after, put down the next
    // spin's bets, none on an idle spin. The error that keeps it from starting, if any, and
    // then nothing changes.
    std::optional<PlanError> StartSystem(BettingPlan plan, std::span<const std::uint8_t> draws);
    // The table is the player's again; a running session's chips go back to its base bets.
    void StopPlan();
    const LivePlay& live() const { return live_; }
    // Whether the chips are the plan's: clicks, added stakes and clearing change nothing then.
    bool planHoldsTable() const { return live_.running(); }

    Cents balance() const { return balance_; }
    // What the newest settled draw paid back, the stakes of its winning bets included.
    Cents drawWin() const { return drawWin_; }
    const BetHistory& history() const { return history_; }

private:
    enum class Via { Picture, Chip };
    void PlaceChip(BetSlot slot, MouseButton button, Via via);
    void PlaceOnNeighbours(BetSlot handled, MouseButton button, int neighbours);
    void SetStake(BetSlot slot, Cents stake);
    void StoreListIfChanged();
    void Settle(int drawNumber, Pocket p);
    // Puts the live plan's stakes on the table.
    void ApplyPlanStakes();
    void SetStakes(const std::vector<PlacedBet>& stakes);
    // The list of the stakes on the table, without la partage.
    void RebuildList();
    // A zero pays back half of each even-chance stake on the table.
    void AddLaPartage();

    RouletteKind kind_;
    Cents chipValue_ = defaultChipValue;
    StakeTable stakes_;
    BetList list_;
    std::vector<BetSlot> chips_;
    // Counts the changes of the stakes, so the history stores a list once per change.
    std::uint64_t stakesVersion_ = 1;
    Cents balance_ = 0;
    Cents drawWin_ = 0;
    BetHistory history_;
    LivePlay live_;
    // Whether the list holds la partage's half-back on zero.
    bool laPartage_ = false;
};

}  // namespace spinalyst
