#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "core/betting/bet_list.h"
#include "core/model/roulette.h"

namespace spinalyst {

// One line of the history as shown newest first: a draw's summary, or one of the bets that
// draw settled (bet rows follow their summary, the last bet of the list first).
struct HistoryRow {
    std::size_t record = 0;
    // The index in the record's bet list; -1 for the summary row.
    int bet = -1;
    bool isSummary() const { return bet < 0; }
    friend bool operator==(HistoryRow, HistoryRow) = default;
};

// The settled draws of a game. A record holds the draw's number, its pocket and the balance
// after it (13 bytes); its stake, win and bet rows come from the bet list in force when it was
// settled, which is stored once for all the draws that list settled.
class BetHistory {
public:
    BetHistory() = default;
    BetHistory(const BetHistory& other);
    BetHistory& operator=(const BetHistory& other);
    BetHistory(BetHistory&&) noexcept = default;
    BetHistory& operator=(BetHistory&&) noexcept = default;
    ~BetHistory() = default;

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    int drawNumber(std::size_t record) const { return BlockOf(record).drawNumbers[At(record)]; }
    Pocket pocket(std::size_t record) const { return BlockOf(record).pockets[At(record)]; }
    Cents balance(std::size_t record) const { return BlockOf(record).balances[At(record)]; }
    Cents stake(std::size_t record) const { return ListOf(record).totalStake; }
    Cents win(std::size_t record) const { return ListOf(record).winPerPocket[pocket(record)]; }
    std::span<const PlacedBet> bets(std::size_t record) const { return ListOf(record).bets; }

    // The stakes version of the newest stored list; 0 when none is stored.
    std::uint64_t newestListVersion() const { return lists_.empty() ? 0 : lists_.back().version; }
    // Makes `list` the one the records appended from now on were settled with. `version`
    // tells the stakes it was built from apart.
    void StartBetList(const BetList& list, std::uint64_t version);
    // Appends a settled draw (after StartBetList).
    void Append(int drawNumber, Pocket p, Cents balanceAfter) {
        if (size_ == blocks_.size() * blockSize)
            blocks_.push_back(std::make_unique_for_overwrite<Block>());
        Block& block = *blocks_[size_ / blockSize];
        const std::size_t at = At(size_);
        block.drawNumbers[at] = drawNumber;
        block.pockets[at] = static_cast<std::uint8_t>(p);
        block.balances[at] = balanceAfter;
        ++size_;
    }
    // Room for appending many records at once: the places from the next record to the end of
    // its block, to be filled in order and then counted with Commit. Cheaper than Append in a
    // long loop, where every byte stored could otherwise alias the history's own fields.
    struct Slots {
        Cents* balances;
        std::int32_t* drawNumbers;
        std::uint8_t* pockets;
        std::size_t room;
    };
    Slots NextSlots() {
        if (size_ == blocks_.size() * blockSize)
            blocks_.push_back(std::make_unique_for_overwrite<Block>());
        Block& block = *blocks_[size_ / blockSize];
        const std::size_t at = At(size_);
        return {block.balances.data() + at, block.drawNumbers.data() + at,
                block.pockets.data() + at, blockSize - at};
    }
    void Commit(std::size_t count) { size_ += count; }
    // Removes the newest record when it is that of draw `drawNumber`; true when one went.
    bool RemoveDraw(int drawNumber);
    void Clear();

    // The rows newest first, with or without the bet rows; index < rowCount(withBets).
    std::size_t rowCount(bool withBets) const;
    HistoryRow row(std::size_t index, bool withBets) const;
    // The rows, bet rows included, of the records older than `record`.
    std::size_t rowsBefore(std::size_t record) const;

    struct BalanceRange {
        Cents low = 0;
        Cents high = 0;
        friend bool operator==(BalanceRange, BalanceRange) = default;
    };
    // The lowest and highest balance of the records first ... end - 1 (first < end <= size()).
    // Long spans read a summary per chunk of records rather than every record.
    BalanceRange balanceRange(std::size_t first, std::size_t end) const;

private:
    struct StoredList {
        BetList list;
        std::uint64_t version = 0;
        std::size_t firstRecord = 0;
        // Rows, bet rows included, of the records before firstRecord.
        std::size_t rowsBefore = 0;
    };
    std::size_t ListIndexOf(std::size_t record) const;
    const BetList& ListOf(std::size_t record) const { return lists_[ListIndexOf(record)].list; }

    // Records live in blocks of a fixed size rather than in growing arrays: a long game grows
    // without copying, and holds little more memory than its records need.
    static constexpr std::size_t blockSize = 4096;
    struct Block {
        std::array<Cents, blockSize> balances;
        std::array<std::int32_t, blockSize> drawNumbers;
        std::array<std::uint8_t, blockSize> pockets;
    };
    const Block& BlockOf(std::size_t record) const { return *blocks_[record / blockSize]; }
    static std::size_t At(std::size_t record) { return record % blockSize; }

    std::vector<std::unique_ptr<Block>> blocks_;
    std::size_t size_ = 0;
    // The balance range of each complete chunk of records from the oldest on, filled as
    // balanceRange needs it and cut back when records go.
    static constexpr std::size_t chunkSize = 64;
    mutable std::vector<BalanceRange> chunkRanges_;
    // The same for chunks 0 to c together: the range of the whole history, asked at every draw,
    // costs one look-up.
    mutable std::vector<BalanceRange> prefixRanges_;
    // Every stored list settled at least one record; their records follow one another.
    std::vector<StoredList> lists_;
};

}  // namespace spinalyst
