#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/draws/game.h"
#include "core/stats/analysis_window.h"
#include "core/stats/running_tally.h"
#include "core/stats/slot_stats.h"
#include "core/stats/wheel_stats.h"

namespace spinalyst {
namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> pockets) {
    return {pockets.begin(), pockets.end()};
}

// A step that says the first draws are kept is believed: only the draws after them are
// counted, which is what makes a new draw cheap.
TEST(RunningTally, CountsOnlyTheDrawsAStepBrings) {
    RunningTally<FamilyTally> running;
    const FamilyTally::Key key{StatFamily::Pleins, RouletteKind::French};
    running.Follow(key, Bytes({1, 2, 3}), {1, 0});
    // The first three draws are said to be kept: the 9s stand in for draws not read again.
    const auto figures = running.Follow(key, Bytes({9, 9, 3, 4}), {2, 3}).Figures();
    EXPECT_EQ(figures,
              ComputeFamilyStats(StatFamily::Pleins, RouletteKind::French, Bytes({1, 2, 3, 4})));
    // A selection that skips a number (a refresh the page missed) keeps nothing.
    EXPECT_EQ(running.Follow(key, Bytes({9, 9, 3, 4}), {4, 4}).Figures(),
              ComputeFamilyStats(StatFamily::Pleins, RouletteKind::French, Bytes({9, 9, 3, 4})));
}

struct UnchangedCase {
    const char* name;
    std::vector<std::string> actions;  // "add", "undo", "new", "load" after the note
    int expected;
};

TEST(Game, TellsWhichDrawsAViewReadAreStillInPlace) {
    const UnchangedCase cases[] = {
        {"nothing", {}, 5},
        {"new draws", {"add", "add"}, 5},
        {"an undo", {"undo"}, 4},
        {"an undo, then a new draw in its place", {"undo", "add"}, 4},
        {"a draw, then an undo: counted as the worst order", {"add", "undo"}, 4},
        {"every draw undone", {"undo", "undo", "undo", "undo", "undo", "add"}, 0},
        {"a new game", {"new", "add"}, 0},
        {"a loaded game", {"load"}, 0},
    };
    for (const UnchangedCase& c : cases) {
        Game game(RouletteKind::French);
        for (int p = 1; p <= 5; ++p) game.AddDraw(p);
        const Game::Changes seen = game.changes();
        const int count = game.drawCount();
        for (const std::string& action : c.actions) {
            if (action == "add") game.AddDraw(7);
            if (action == "undo") game.UndoDraw();
            if (action == "new") game.NewGame();
            if (action == "load") {
                DrawLog log;
                for (int p = 1; p <= 9; ++p) log.Append(p, std::nullopt, 0);
                game.LoadGame(RouletteKind::French, std::move(log));
            }
        }
        EXPECT_EQ(game.UnchangedDraws(seen, count), c.expected) << c.name;
    }
}

// The program's refresh, replayed: random draws, undos, new games and changes of every
// analysis setting, with refreshes sometimes missed (a page that was not showing). After each
// refresh the running figures must be those of one pass over the analysed draws, and the draws
// a step says are kept must be the same draws. Every other game notes wheels and directions,
// from some draw on, and the settings then filter by them too.
TEST(RunningTally, AgreesWithOnePassThroughDrawsUndosAndSettingChanges) {
    for (unsigned seed = 1; seed <= 16; ++seed) {
        const bool spinDetails = seed % 2 == 0;
        std::mt19937 rng(seed);
        auto pick = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(rng);
        };
        Game game(RouletteKind::French);
        AnalysisControls controls;
        const StatFamily family = allStatFamilies[seed % allStatFamilies.size()];
        RunningTally<FamilyTally> familyRunning;
        RunningTally<WheelTally> wheelRunning;

        std::optional<AnalysisWindow> window;
        std::vector<std::uint8_t> analysed;
        std::vector<std::uint8_t> buffer;
        std::vector<SpinDirection> directions;
        std::vector<SpinDirection> directionBuffer;
        std::vector<SpinDirection> runningDirections;
        Game::Changes seen = game.changes();
        int seenCount = 0;
        std::uint64_t selection = 0;
        int lastOfFamily = 0;
        int lastOfWheel = 0;

        for (int action = 0; action < 400; ++action) {
            const int what = pick(0, 99);
            std::string done;
            if (what < 55) {
                // Once a game notes them, the wheel and the direction change now and then, and
                // some draws have neither.
                if (spinDetails && pick(0, 9) == 0) game.SetCurrentWheel(pick(0, 2));
                if (spinDetails && pick(0, 9) == 0) {
                    game.SetCurrentDirection(static_cast<SpinDirection>(pick(0, 2)));
                    game.SetAlternating(pick(0, 2) != 0);
                }
                const int n = pick(0, 9) == 0 ? pick(2, 30) : 1;
                for (int i = 0; i < n; ++i) game.AddDraw(pick(0, 36));
                done = "add " + std::to_string(n);
            } else if (what < 70) {
                const int n = pick(1, 3);
                for (int i = 0; i < n; ++i) game.UndoDraw();
                done = "undo " + std::to_string(n);
            } else if (what < 75) {
                // Draws taken back and others in their place before the next selection.
                const int n = pick(1, 3);
                for (int i = 0; i < n; ++i) game.UndoDraw();
                for (int i = 0; i < n; ++i) game.AddDraw(pick(0, 36));
                done = "replace " + std::to_string(n);
            } else if (what < 78) {
                game.SwitchKind(pick(0, 1) ? RouletteKind::French : RouletteKind::American);
                done = "new game";
            } else {
                // One setting at a time, as the panel changes them; most often back to the
                // plain range to the newest draw.
                const int setting = pick(0, spinDetails ? 9 : 7);
                controls.useRange = true;
                controls.useLast = false;
                if (setting == 0) controls.rangeStart = pick(1, 5);
                if (setting == 1) controls.rangeEnd = pick(1, game.drawCount() + 2);
                if (setting == 2) {
                    controls.useRange = false;
                    controls.useLast = true;
                    controls.lastCount = pick(1, 40);
                }
                if (setting == 3) controls.stepEntry = pick(0, 2);
                if (setting == 4) {
                    controls.useFollowing = !controls.useFollowing;
                    controls.followFamily = FollowFamilyAt(pick(0, followFamilyCount - 1));
                    controls.followEntry = pick(0, 2);
                }
                if (setting == 5) controls.useCroupier = !controls.useCroupier;
                if (setting == 6 || setting == 7) {
                    controls = AnalysisControls{};
                    controls.rangeEnd = game.drawCount();
                }
                if (setting == 8) {
                    controls.useWheel = !controls.useWheel;
                    controls.wheelName = std::to_string(pick(1, 2));
                }
                if (setting == 9) {
                    controls.useDirection = !controls.useDirection;
                    controls.direction =
                        pick(0, 1) ? SpinDirection::Clockwise : SpinDirection::Anticlockwise;
                }
                done = "setting " + std::to_string(setting);
            }
            // As the analysis settings do: the range end follows the newest draw.
            if (what < 55 || (what >= 70 && what < 75)) controls.rangeEnd = game.drawCount();
            if (game.drawCount() > 0)
                controls.rangeEnd = std::min(std::max(controls.rangeEnd, 1), game.drawCount());
            game.SetCurrentCroupier(pick(0, 3) == 0 ? 2 : 1);

            // The selection.
            // Wheels are named by their numbers.
            const auto resolved = ResolveAnalysisWindow(
                controls, game.log(), game.kind(),
                [](std::string_view) { return std::optional<std::int32_t>(1); },
                [](std::string_view name) {
                    return std::optional<std::int32_t>(std::stoi(std::string(name)));
                });
            std::vector<std::uint8_t> next;
            std::vector<SpinDirection> nextDirections;
            if (resolved) {
                for (std::uint8_t d :
                     SelectAnalysedDraws(game.log(), game.kind(), resolved->window, buffer))
                    next.push_back(d);
                for (SpinDirection d : SelectAnalysedDirections(game.log(), game.kind(),
                                                                resolved->window, directionBuffer))
                    nextDirections.push_back(d);
            }
            ASSERT_TRUE(nextDirections.empty() || nextDirections.size() == next.size());
            const int unchanged = game.UnchangedDraws(seen, seenCount);
            const std::size_t kept =
                window && resolved ? KeptAnalysedDraws(*window, analysed.size(), resolved->window,
                                                       next.size(), unchanged)
                                   : 0;
            const std::string where = "seed " + std::to_string(seed) + ", action " +
                                      std::to_string(action) + " (" + done + ")";
            ASSERT_LE(kept, std::min(analysed.size(), next.size())) << where;
            // The directions, read again only after the draws kept, are those of the
            // selection.
            if (directions.empty()) runningDirections.clear();
            const auto updated =
                resolved ? UpdateAnalysedDirections(game.log(), game.kind(), resolved->window, kept,
                                                    runningDirections)
                         : std::span<const SpinDirection>();
            ASSERT_EQ(std::vector<SpinDirection>(updated.begin(), updated.end()), nextDirections)
                << where;
            for (std::size_t i = 0; i < kept; ++i) {
                ASSERT_EQ(analysed[i], next[i]) << where;
                // A draw kept keeps its direction; one without is Unknown on either side.
                const auto direction = [](const std::vector<SpinDirection>& all, std::size_t k) {
                    return all.empty() ? SpinDirection::Unknown : all[k];
                };
                ASSERT_EQ(direction(directions, i), direction(nextDirections, i)) << where;
            }
            window = resolved ? std::optional(resolved->window) : std::nullopt;
            analysed = next;
            directions = nextDirections;
            seen = game.changes();
            seenCount = game.drawCount();
            const AnalysedStep step{++selection, kept};

            // The pages that show refresh; the others miss this selection.
            if (pick(0, 5) != 0) {
                const auto expected = ComputeFamilyStats(family, game.kind(), analysed);
                const auto running =
                    familyRunning.Follow({family, game.kind()}, analysed, step).Figures();
                ASSERT_EQ(running, expected) << where << ", last refresh " << lastOfFamily;
                lastOfFamily = action;
            }
            if (pick(0, 5) != 0) {
                const WheelStats expected = ComputeWheelStats(game.kind(), analysed, directions);
                const WheelStats running =
                    wheelRunning.Follow(game.kind(), analysed, step, directions).Figures();
                ASSERT_EQ(running.pocketHits, expected.pocketHits)
                    << where << ", last refresh " << lastOfWheel;
                ASSERT_EQ(running.distanceStats, expected.distanceStats) << where;
                ASSERT_EQ(running.repeatStats, expected.repeatStats) << where;
                ASSERT_EQ(running.neighbourhoodStats, expected.neighbourhoodStats) << where;
                ASSERT_EQ(running.analysedCount, expected.analysedCount) << where;
                ASSERT_EQ(running.lowestHits, expected.lowestHits) << where;
                lastOfWheel = action;
            }
        }
    }
}

}  // namespace
}  // namespace spinalyst
