#include "core/model/bet_slots.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace spinalyst {
namespace {

std::vector<BetSlot> AllSlots() {
    std::vector<BetSlot> slots;
    for (int code = 1; code <= betKindCount; ++code) {
        const auto kind = static_cast<BetKind>(code);
        for (int i = SlotIndexRange(kind).first; i <= SlotIndexRange(kind).last; ++i)
            slots.push_back({kind, i});
    }
    return slots;
}

std::set<std::pair<int, int>> WinningSlots(Pocket p) {
    std::set<std::pair<int, int>> wins;
    for (BetSlot s : AllSlots())
        if (Covers(s, p)) wins.insert({static_cast<int>(s.kind), s.index});
    return wins;
}

TEST(BetSlots, ZeroAndDoubleZeroWinOnlyTheZeroBets) {
    const std::set<std::pair<int, int>> zeroWins = {{1, 0},  {2, 58}, {2, 59}, {2, 60},
                                                    {3, 13}, {3, 14}, {4, 23}};
    EXPECT_EQ(WinningSlots(0), zeroWins);
    EXPECT_EQ(WinningSlots(DoubleZero), (std::set<std::pair<int, int>>{{1, 37}}));
}

TEST(BetSlots, ZeroTriosAndEvenChances) {
    struct Case {
        BetSlot slot;
        Pocket p;
        bool wins;
    } cases[] = {
        {{BetKind::Transversale, 13}, 1, true},   {{BetKind::Transversale, 14}, 1, false},
        {{BetKind::Transversale, 13}, 3, false},  {{BetKind::Transversale, 14}, 3, true},
        {{BetKind::PairImpair, 1}, 2, true},      {{BetKind::PairImpair, 1}, 36, true},
        {{BetKind::PairImpair, 2}, 35, true},     {{BetKind::PairImpair, 1}, 0, false},
        {{BetKind::ManquePasse, 1}, 18, true},    {{BetKind::ManquePasse, 2}, 19, true},
        {{BetKind::Colonne, 1}, 34, true},        {{BetKind::Colonne, 3}, 36, true},
        {{BetKind::Douzaine, 2}, 13, true},       {{BetKind::Douzaine, 2}, 25, false},
        {{BetKind::Sizain, 11}, 36, true},        {{BetKind::Sizain, 11}, 30, false},
        {{BetKind::Cheval, 3}, 4, true},          {{BetKind::Carre, 1}, 5, true},
        {{BetKind::Plein, 37}, DoubleZero, true}, {{BetKind::Plein, 38}, DoubleZero, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << static_cast<int>(c.slot.kind) << "/" << c.slot.index << " on " << c.p);
        EXPECT_EQ(Covers(c.slot, c.p), c.wins);
    }
}

TEST(BetSlots, EveryNumberIsCoveredOnceByEachPartition) {
    for (Pocket p = 1; p <= 36; ++p) {
        for (BetKind kind : {BetKind::Transversale, BetKind::Colonne, BetKind::Douzaine,
                             BetKind::RougeNoir, BetKind::PairImpair, BetKind::ManquePasse}) {
            int covering = 0;
            for (int i = SlotIndexRange(kind).first; i <= std::min(SlotIndexRange(kind).last, 12);
                 ++i)
                covering += Covers({kind, i}, p);
            EXPECT_EQ(covering, 1) << static_cast<int>(kind) << " " << p;
        }
    }
}

TEST(BetSlots, PayoutFactors) {
    const int expected[] = {36, 18, 12, 9, 6, 3, 3, 2, 2, 2};
    for (int code = 1; code <= betKindCount; ++code)
        EXPECT_EQ(payoutFactor(static_cast<BetKind>(code)), expected[code - 1]);
}

TEST(BetSlots, SplitAndCornerBetsJoinNeighbours) {
    for (int i = 1; i <= 57; ++i) {
        const auto [a, b] = chevalPairs[i];
        EXPECT_TRUE((b - a == 1 && a % 3 != 0) || b - a == 3) << i;
    }
    std::set<PocketPair> distinct(chevalPairs.begin() + 1, chevalPairs.end());
    EXPECT_EQ(distinct.size(), 60u);
    for (int i = 1; i <= 22; ++i) {
        const auto q = carreQuads[i];
        EXPECT_EQ(q[1], q[0] + 1);
        EXPECT_EQ(q[2], q[0] + 3);
        EXPECT_EQ(q[3], q[0] + 4);
    }
}

TEST(StatisticsLists, SplitsAndCornersPerKind) {
    EXPECT_EQ(splitList(RouletteKind::NoZero).size(), 57u);
    EXPECT_EQ(splitList(RouletteKind::French).size(), 60u);
    EXPECT_EQ(splitList(RouletteKind::American).size(), 60u);
    EXPECT_EQ(splitList(RouletteKind::French)[0], (PocketPair{0, 1}));
    EXPECT_EQ(splitList(RouletteKind::French)[3], (PocketPair{1, 2}));
    EXPECT_EQ(splitList(RouletteKind::American)[0], (PocketPair{0, DoubleZero}));
    EXPECT_EQ(splitList(RouletteKind::American)[1], (PocketPair{0, 1}));
    EXPECT_EQ(splitList(RouletteKind::American)[2], (PocketPair{DoubleZero, 3}));
    const PocketPair start[] = {{1, 2}, {1, 4}, {2, 3}, {2, 5}, {3, 6}, {4, 5}, {4, 7}, {5, 6}};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(splitList(RouletteKind::NoZero)[i], start[i]);

    EXPECT_EQ(cornerList(RouletteKind::French).size(), 23u);
    EXPECT_EQ(cornerList(RouletteKind::French)[0], (PocketQuad{0, 1, 2, 3}));
    EXPECT_EQ(cornerList(RouletteKind::French)[1], (PocketQuad{1, 2, 4, 5}));
    for (RouletteKind kind : {RouletteKind::American, RouletteKind::NoZero}) {
        EXPECT_EQ(cornerList(kind).size(), 22u);
        EXPECT_EQ(cornerList(kind)[0], (PocketQuad{1, 2, 4, 5}));
        EXPECT_EQ(cornerList(kind)[21], (PocketQuad{32, 33, 35, 36}));
    }
}

}  // namespace
}  // namespace spinalyst
