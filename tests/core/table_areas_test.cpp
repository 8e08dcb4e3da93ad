#include "core/betting/table_areas.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

namespace spinalyst {
namespace {

constexpr auto American = RouletteKind::American;
constexpr auto French = RouletteKind::French;
constexpr auto NoZero = RouletteKind::NoZero;

std::string Describe(const std::optional<TableHit>& hit) {
    if (!hit) return "none";
    return std::to_string(static_cast<int>(hit->slot.kind)) + "/" +
           std::to_string(hit->slot.index) + " at " + std::to_string(hit->snapPoint.x) + "," +
           std::to_string(hit->snapPoint.y);
}

TEST(TableAreas, HitTestBandsGapsAndBoxes) {
    struct Case {
        RouletteKind kind;
        int x, y;
        std::optional<TableHit> expected;
    } cases[] = {
        {French, 55, 23, TableHit{{BetKind::Plein, 3}, {55, 23}}},
        {French, 73, 42, TableHit{{BetKind::Carre, 2}, {73, 42}}},
        {French, 73, 4, TableHit{{BetKind::Sizain, 1}, {73, 4}}},
        {French, 55, 118, TableHit{{BetKind::Transversale, 1}, {55, 118}}},
        // Inclusive bands, dead gaps between them.
        {French, 48, 14, TableHit{{BetKind::Plein, 3}, {55, 23}}},
        {French, 60, 26, TableHit{{BetKind::Plein, 3}, {55, 23}}},
        {French, 61, 23, std::nullopt},
        {French, 47, 23, std::nullopt},
        {French, 55, 13, std::nullopt},
        {French, 55, 29, std::nullopt},
        {French, 55, 30, TableHit{{BetKind::Cheval, 2}, {55, 42}}},
        {French, 55, 103, std::nullopt},
        {French, 55, 4, std::nullopt},
        {French, 73, 118, std::nullopt},
        {French, 456, 99, TableHit{{BetKind::Plein, 34}, {451, 99}}},
        // The line between the third and fourth streets ends at 149.
        {French, 138, 61, TableHit{{BetKind::Cheval, 14}, {145, 61}}},
        {French, 149, 61, TableHit{{BetKind::Cheval, 14}, {145, 61}}},
        {French, 150, 61, std::nullopt},
        {French, 114, 61, TableHit{{BetKind::Cheval, 9}, {109, 61}}},
        {French, 438, 61, TableHit{{BetKind::Cheval, 54}, {433, 61}}},
        {French, 439, 61, std::nullopt},
        {French, 426, 0, TableHit{{BetKind::Sizain, 11}, {433, 4}}},
        // The zero area and the line beside it.
        {French, 37, 99, TableHit{{BetKind::Cheval, 58}, {37, 99}}},
        {American, 37, 99, std::nullopt},
        {NoZero, 37, 99, std::nullopt},
        {French, 30, 0, TableHit{{BetKind::Carre, 23}, {37, 4}}},
        {French, 42, 80, TableHit{{BetKind::Transversale, 13}, {37, 80}}},
        {French, 12, 0, TableHit{{BetKind::Plein, 0}, {19, 61}}},
        {French, 24, 193, TableHit{{BetKind::Plein, 0}, {19, 61}}},
        {French, 25, 61, std::nullopt},
        {American, 19, 60, TableHit{{BetKind::Plein, DoubleZero}, {19, 30}}},
        {American, 19, 61, TableHit{{BetKind::Plein, 0}, {19, 92}}},
        {NoZero, 19, 61, std::nullopt},
        // Column boxes, dozens and even chances.
        {French, 475, 23, TableHit{{BetKind::Colonne, 3}, {490, 23}}},
        {NoZero, 500, 102, TableHit{{BetKind::Colonne, 1}, {490, 99}}},
        {French, 501, 99, std::nullopt},
        {French, 490, 42, std::nullopt},
        {French, 170, 150, TableHit{{BetKind::Douzaine, 1}, {110, 137}}},
        {French, 171, 135, std::nullopt},
        {French, 110, 119, std::nullopt},
        {American, 187, 120, TableHit{{BetKind::Douzaine, 2}, {253, 137}}},
        {French, 460, 137, TableHit{{BetKind::Douzaine, 3}, {396, 137}}},
        {French, 42, 170, std::nullopt},
        {French, 43, 170, TableHit{{BetKind::ManquePasse, 1}, {72, 176}}},
        {French, 115, 160, TableHit{{BetKind::PairImpair, 1}, {144, 176}}},
        {French, 245, 190, TableHit{{BetKind::RougeNoir, 1}, {216, 176}}},
        {French, 246, 176, std::nullopt},
        {French, 259, 160, TableHit{{BetKind::RougeNoir, 2}, {288, 176}}},
        {French, 389, 176, TableHit{{BetKind::PairImpair, 2}, {360, 176}}},
        {NoZero, 462, 190, TableHit{{BetKind::ManquePasse, 2}, {432, 176}}},
        {French, 300, 191, std::nullopt},
        // Outside the picture, where a released drag may end.
        {French, -1, 61, std::nullopt},
        {French, 19, 194, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << KindName(c.kind) << " (" << c.x << ", " << c.y << ")");
        EXPECT_EQ(Describe(HitTest(c.x, c.y, c.kind)), Describe(c.expected));
    }
}

// Scanning every pixel finds each slot the table offers, at its one snap point, and no other.
TEST(TableAreas, EveryOfferedSlotAndNoOtherIsReachable) {
    for (RouletteKind kind : allKinds) {
        SCOPED_TRACE(KindName(kind));
        std::map<std::pair<int, int>, TablePoint> reached;
        for (int x = 0; x < tablePictureWidth; ++x)
            for (int y = 0; y < tablePictureHeight; ++y)
                if (const auto hit = HitTest(x, y, kind)) {
                    const std::pair key{static_cast<int>(hit->slot.kind), hit->slot.index};
                    const auto [it, added] = reached.emplace(key, hit->snapPoint);
                    EXPECT_EQ(it->second, hit->snapPoint) << key.first << "/" << key.second;
                }
        std::size_t offered = 0;
        for (int code = 1; code <= betKindCount; ++code)
            for (int index = 0; index <= maxSlotIndex; ++index) {
                const BetSlot slot{static_cast<BetKind>(code), index};
                const auto it = reached.find({code, index});
                const auto snap = SnapPoint(slot, kind);
                EXPECT_EQ(TableOffers(kind, slot), it != reached.end()) << code << "/" << index;
                EXPECT_EQ(snap.has_value(), it != reached.end()) << code << "/" << index;
                if (snap && it != reached.end()) {
                    EXPECT_EQ(*snap, it->second);
                }
                offered += TableOffers(kind, slot);
            }
        // 157 French slots; the American table lacks the six zero combinations but has 00.
        const std::size_t expected = kind == French ? 157 : kind == American ? 152 : 150;
        EXPECT_EQ(offered, expected);
    }
}

// The hover shows a slot's hit area: exactly the points where a click finds it.
TEST(TableAreas, HitAreasHoldExactlyThePointsThatFindTheirSlot) {
    for (RouletteKind kind : allKinds) {
        SCOPED_TRACE(KindName(kind));
        std::map<std::pair<int, int>, int> pointsOf;
        for (int x = 0; x < tablePictureWidth; ++x)
            for (int y = 0; y < tablePictureHeight; ++y)
                if (const auto hit = HitTest(x, y, kind)) {
                    const auto area = HitArea(hit->slot, kind);
                    ASSERT_TRUE(area) << Describe(hit);
                    EXPECT_TRUE(area->Contains(x, y)) << Describe(hit) << " at " << x << "," << y;
                    ++pointsOf[{static_cast<int>(hit->slot.kind), hit->slot.index}];
                }
        for (int code = 1; code <= betKindCount; ++code)
            for (int index = 0; index <= maxSlotIndex; ++index) {
                const BetSlot slot{static_cast<BetKind>(code), index};
                const auto area = HitArea(slot, kind);
                EXPECT_EQ(area.has_value(), TableOffers(kind, slot)) << code << "/" << index;
                if (area)
                    EXPECT_EQ(area->width * area->height, (pointsOf[{code, index}]))
                        << code << "/" << index;
            }
    }
    struct Case {
        BetSlot slot;
        TableRect area;
    } cases[] = {
        {{BetKind::Plein, 3}, {48, 14, 13, 13}},
        {{BetKind::Cheval, 4}, {66, 52, 13, 13}},
        {{BetKind::Carre, 6}, {138, 30, 12, 21}},
        {{BetKind::Sizain, 1}, {66, 0, 13, 13}},
        {{BetKind::Carre, 23}, {30, 0, 13, 13}},
        {{BetKind::Plein, 0}, {12, 0, 13, tablePictureHeight}},
        {{BetKind::RougeNoir, 2}, {259, 160, 59, 31}},
    };
    for (const Case& c : cases) {
        const auto area = HitArea(c.slot, French);
        ASSERT_TRUE(area);
        EXPECT_EQ(std::tie(area->x, area->y, area->width, area->height),
                  std::tie(c.area.x, c.area.y, c.area.width, c.area.height))
            << static_cast<int>(c.slot.kind) << "/" << c.slot.index;
    }
}

// What the picture draws matches what a click finds: every pixel of a boxed slot's area lies
// in its box, and the box holds the slot's chip.
TEST(TableAreas, PictureBoxesHoldTheirSlotsAreas) {
    for (RouletteKind kind : allKinds) {
        SCOPED_TRACE(KindName(kind));
        const std::vector<TableBox> boxes = TablePictureBoxes(kind);
        std::map<std::pair<int, int>, TableRect> boxOf;
        for (const TableBox& box : boxes) {
            const std::pair key{static_cast<int>(box.slot.kind), box.slot.index};
            EXPECT_TRUE(boxOf.emplace(key, box.rect).second) << key.first << "/" << key.second;
            const auto snap = SnapPoint(box.slot, kind);
            ASSERT_TRUE(snap) << key.first << "/" << key.second;
            EXPECT_TRUE(box.rect.Contains(snap->x, snap->y)) << key.first << "/" << key.second;
            EXPECT_GE(box.rect.x, 0);
            EXPECT_LE(box.rect.y + box.rect.height, tablePictureHeight);
            EXPECT_LE(box.rect.x + box.rect.width, tablePictureWidth);
        }
        // 36 numbers, the zeros of the kind, 3 columns, 3 dozens, 6 even chances.
        const std::size_t zeros = kind == American ? 2 : kind == French ? 1 : 0;
        EXPECT_EQ(boxes.size(), 48 + zeros);
        for (int x = 0; x < tablePictureWidth; ++x)
            for (int y = 0; y < tablePictureHeight; ++y) {
                const auto hit = HitTest(x, y, kind);
                if (!hit) continue;
                const auto it = boxOf.find({static_cast<int>(hit->slot.kind), hit->slot.index});
                if (it != boxOf.end()) {
                    EXPECT_TRUE(it->second.Contains(x, y)) << x << "," << y;
                }
            }
    }
}

TEST(TableAreas, NeighboursFollowTheKindsWheel) {
    struct Case {
        RouletteKind kind;
        Pocket p;
        int n;
        std::vector<Pocket> expected;
    } cases[] = {
        {French, 0, 2, {32, 15, 3, 26}},
        {NoZero, 26, 1, {32, 3}},
        // The no-zero wheel wraps round its own 36 pockets; there is no 0 to fall on.
        {NoZero, 3, 1, {26, 35}},
        {American, 1, 1, {DoubleZero, 13}},
        {American, 2, 1, {0, 14}},
        {French, 5, 0, {}},
        {French, DoubleZero, 3, {}},
        {NoZero, 0, 3, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << KindName(c.kind) << " " << c.p << " n=" << c.n);
        EXPECT_EQ(NeighbourPockets(c.kind, c.p, c.n), c.expected);
    }
    for (RouletteKind kind : allKinds) {
        const Pocket p = kind == NoZero ? 26 : 0;
        for (int n : {17, 40}) {
            const auto around = NeighbourPockets(kind, p, n);
            std::set<Pocket> distinct(around.begin(), around.end());
            distinct.insert(p);
            EXPECT_EQ(around.size(), 34u) << KindName(kind);
            EXPECT_EQ(distinct.size(), 35u) << KindName(kind);
        }
    }
}

}  // namespace
}  // namespace spinalyst
