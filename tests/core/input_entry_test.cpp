#include <gtest/gtest.h>

#include <set>

#include "core/draws/input_panel_layout.h"
#include "core/draws/pocket_entry.h"

namespace spinalyst {
namespace {

InputLabelPlace PlaceOf(RouletteKind kind, Pocket p) {
    for (const auto& place : InputPanelLayout(kind))
        if (place.pocket == p) return place;
    ADD_FAILURE() << "no label for " << p;
    return {};
}

TEST(InputPanelLayout, OneLabelPerPocketAtTheTablePlaces) {
    struct Case {
        RouletteKind kind;
        Pocket p;
        int left, top;
    } cases[] = {
        {RouletteKind::French, 1, 36, 56},
        {RouletteKind::French, 36, 278, 12},
        {RouletteKind::French, 0, 14, 34},
        {RouletteKind::French, 2, 36, 34},
        {RouletteKind::American, DoubleZero, 14, 24},
        {RouletteKind::American, 0, 14, 46},
        {RouletteKind::American, 1, 36, 56},
        {RouletteKind::NoZero, 1, 24, 56},
        {RouletteKind::NoZero, 36, 266, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << KindName(c.kind) << " " << c.p);
        EXPECT_EQ(PlaceOf(c.kind, c.p), (InputLabelPlace{c.p, c.left, c.top}));
    }
    for (RouletteKind kind : allKinds) {
        const auto places = InputPanelLayout(kind);
        std::set<Pocket> pockets;
        std::set<std::pair<int, int>> spots;
        for (const auto& place : places) {
            pockets.insert(place.pocket);
            spots.insert({place.left, place.top});
            EXPECT_LE(place.left + inputLabelSize, inputPanelWidth);
            EXPECT_LE(place.top + inputLabelSize, inputPanelHeight);
        }
        EXPECT_EQ(static_cast<int>(places.size()), pocketCount(kind));
        EXPECT_EQ(static_cast<int>(pockets.size()), pocketCount(kind));
        EXPECT_EQ(spots.size(), places.size());
        EXPECT_EQ(*pockets.begin(), firstPocket(kind));
        EXPECT_EQ(*pockets.rbegin(), lastPocket(kind));
    }
    // Creation order: zeros, then the top row from 3.
    const auto american = InputPanelLayout(RouletteKind::American);
    EXPECT_EQ(american[0].pocket, 0);
    EXPECT_EQ(american[1].pocket, DoubleZero);
    EXPECT_EQ(american[2].pocket, 3);
}

TEST(PocketEntry, TypedNumbersBecomePocketsOfTheKind) {
    struct Case {
        const char* keys;
        RouletteKind kind;
        PocketEntry::Result result;
        Pocket pocket;
    } cases[] = {
        {"00", RouletteKind::American, PocketEntry::Result::Accepted, DoubleZero},
        {"0", RouletteKind::American, PocketEntry::Result::Accepted, 0},
        {"36", RouletteKind::French, PocketEntry::Result::Accepted, 36},
        {"37", RouletteKind::French, PocketEntry::Result::Refused, -1},
        {"00", RouletteKind::French, PocketEntry::Result::Refused, -1},
        {"0", RouletteKind::NoZero, PocketEntry::Result::Refused, -1},
        {"007", RouletteKind::American, PocketEntry::Result::Refused, -1},
        {"", RouletteKind::French, PocketEntry::Result::Nothing, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        PocketEntry entry;
        for (const char* k = c.keys; *k; ++k) EXPECT_TRUE(entry.Type(*k));
        Pocket p = -1;
        EXPECT_EQ(entry.Commit(c.kind, p), c.result);
        EXPECT_EQ(p, c.pocket);
        EXPECT_TRUE(entry.typed().empty());
    }
    PocketEntry entry;
    EXPECT_FALSE(entry.Type('a'));
    entry.Type('1');
    entry.Type('7');
    entry.Backspace();
    entry.Type('2');
    EXPECT_EQ(entry.typed(), "12");
    entry.Type('3');
    EXPECT_FALSE(entry.Type('4'));  // three digits at most
}

}  // namespace
}  // namespace spinalyst
