#include "core/betting/bet_history.h"

#include <algorithm>

namespace spinalyst {

BetHistory::BetHistory(const BetHistory& other) : size_(other.size_), lists_(other.lists_) {
    // Only the records are copied: the rest of the newest block was never written.
    for (std::size_t first = 0; first < size_; first += blockSize) {
        const Block& from = *other.blocks_[first / blockSize];
        auto& to = *blocks_.emplace_back(std::make_unique_for_overwrite<Block>());
        const std::size_t n = std::min(blockSize, size_ - first);
        std::copy_n(from.balances.begin(), n, to.balances.begin());
        std::copy_n(from.drawNumbers.begin(), n, to.drawNumbers.begin());
        std::copy_n(from.pockets.begin(), n, to.pockets.begin());
    }
}

BetHistory& BetHistory::operator=(const BetHistory& other) {
    if (this != &other) *this = BetHistory(other);
    return *this;
}

void BetHistory::StartBetList(const BetList& list, std::uint64_t version) {
    // A list that settled nothing is replaced rather than kept.
    if (!lists_.empty() && lists_.back().firstRecord == size()) lists_.pop_back();
    std::size_t rowsBefore = 0;
    if (!lists_.empty()) {
        const StoredList& previous = lists_.back();
        rowsBefore =
            previous.rowsBefore + (size() - previous.firstRecord) * (previous.list.bets.size() + 1);
    }
    lists_.push_back({list, version, size(), rowsBefore});
}

bool BetHistory::RemoveDraw(int drawNumber) {
    if (empty() || this->drawNumber(size_ - 1) != drawNumber) return false;
    --size_;
    if (chunkRanges_.size() > size_ / chunkSize) {
        chunkRanges_.resize(size_ / chunkSize);
        prefixRanges_.resize(size_ / chunkSize);
    }
    // One spare block stays, so undoing and redoing at a block's edge does not reallocate.
    while (blocks_.size() > size_ / blockSize + 1) blocks_.pop_back();
    if (!lists_.empty() && lists_.back().firstRecord >= size()) lists_.pop_back();
    return true;
}

void BetHistory::Clear() {
    blocks_.clear();
    size_ = 0;
    lists_.clear();
    chunkRanges_.clear();
    prefixRanges_.clear();
}

std::size_t BetHistory::ListIndexOf(std::size_t record) const {
    const auto after =
        std::upper_bound(lists_.begin(), lists_.end(), record,
                         [](std::size_t r, const StoredList& l) { return r < l.firstRecord; });
    return static_cast<std::size_t>(after - lists_.begin()) - 1;
}

std::size_t BetHistory::rowCount(bool withBets) const {
    if (!withBets || empty()) return size();
    const StoredList& newest = lists_.back();
    return newest.rowsBefore + (size() - newest.firstRecord) * (newest.list.bets.size() + 1);
}

HistoryRow BetHistory::row(std::size_t index, bool withBets) const {
    if (!withBets) return {size() - 1 - index, -1};
    // Counted from the oldest row, each record is its bet rows in list order, then its summary.
    const std::size_t fromOldest = rowCount(true) - 1 - index;
    const auto after =
        std::upper_bound(lists_.begin(), lists_.end(), fromOldest,
                         [](std::size_t r, const StoredList& l) { return r < l.rowsBefore; });
    const StoredList& stored = *(after - 1);
    const std::size_t rowsPerRecord = stored.list.bets.size() + 1;
    const std::size_t offset = fromOldest - stored.rowsBefore;
    const std::size_t inRecord = offset % rowsPerRecord;
    return {stored.firstRecord + offset / rowsPerRecord,
            inRecord + 1 == rowsPerRecord ? -1 : static_cast<int>(inRecord)};
}

std::size_t BetHistory::rowsBefore(std::size_t record) const {
    if (record >= size()) return rowCount(true);
    const StoredList& stored = lists_[ListIndexOf(record)];
    return stored.rowsBefore + (record - stored.firstRecord) * (stored.list.bets.size() + 1);
}

BetHistory::BalanceRange BetHistory::balanceRange(std::size_t first, std::size_t end) const {
    const auto scan = [this](BalanceRange& range, std::size_t from, std::size_t to) {
        for (std::size_t r = from; r < to; ++r) {
            const Cents b = balance(r);
            range.low = std::min(range.low, b);
            range.high = std::max(range.high, b);
        }
    };
    end = std::min(end, size());
    if (first >= end) return {};
    BalanceRange range{balance(first), balance(first)};
    const std::size_t firstChunk = (first + chunkSize - 1) / chunkSize;
    const std::size_t endChunk = end / chunkSize;
    if (firstChunk >= endChunk) {
        scan(range, first, end);
        return range;
    }
    while (chunkRanges_.size() < endChunk) {
        const std::size_t from = chunkRanges_.size() * chunkSize;
        BalanceRange chunk{balance(from), balance(from)};
        scan(chunk, from + 1, from + chunkSize);
        chunkRanges_.push_back(chunk);
        BalanceRange prefix = chunk;
        if (!prefixRanges_.empty()) {
            prefix.low = std::min(prefix.low, prefixRanges_.back().low);
            prefix.high = std::max(prefix.high, prefixRanges_.back().high);
        }
        prefixRanges_.push_back(prefix);
    }
    if (first == 0) {
        range = prefixRanges_[endChunk - 1];
        scan(range, endChunk * chunkSize, end);
        return range;
    }
    scan(range, first, firstChunk * chunkSize);
    for (std::size_t c = firstChunk; c < endChunk; ++c) {
        range.low = std::min(range.low, chunkRanges_[c].low);
        range.high = std::max(range.high, chunkRanges_[c].high);
    }
    scan(range, endChunk * chunkSize, end);
    return range;
}

}  // namespace spinalyst
