#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/draws/draw_log.h"
#include "core/draws/frozen_set.h"
#include "core/draws/game_file.h"
#include "core/model/roulette.h"

namespace spinalyst {

// Where random draws come from: the program's generator, or a file (stored, not yet read).
inline constexpr int randomFromProgram = 1;
inline constexpr int randomFromFile = 2;

// The current game: its kind of roulette, its draw log, and the state that decides what a new
// draw records. Pure domain state; the desktop program observes it through a session object.
class Game {
public:
    using Clock = DrawTime (*)();

    explicit Game(RouletteKind kind = defaultKind) : kind_(kind) {}

    RouletteKind kind() const { return kind_; }
    const DrawLog& log() const { return log_; }
    int drawCount() const { return log_.drawCount(); }

    // Empties the log and clears the freeze; the kind, the croupier and the random source
    // stay.
    void NewGame();
    // Switches the kind and always starts a new game, also for the current kind.
    void SwitchKind(RouletteKind kind);
    // Replaces the game with draws read from a file, whose pockets belong to the kind, and the
    // freeze and the notes the file holds (none unless given).
    void LoadGame(RouletteKind kind, DrawLog log, std::optional<FrozenSet> freeze = {},
                  std::vector<GameFileNote> notes = {});

    // Facts kept beside the draws ("stakes", "file"): each change is a note at the place in
    // the game where it happened, so that a game read back knows what held at every draw.
    // Only the last note of a key at one place counts, and an undo moves the notes of the
    // draw it takes back to the place before it. A new game has none.
    const std::vector<GameFileNote>& notes() const { return notes_; }
    // The value of a key now; nullopt when it has no note.
    std::optional<std::string> note(std::string_view key) const;
    // Notes a new value of a key after the newest draw, or after draw `afterDraw` when no note
    // is further on (a batch noting as it is settled); false when it is already its value.
    bool SetNote(std::string_view key, std::string value, std::optional<int> afterDraw = {});

    // Appends p with the clock's time, currentCroupier, currentWheel and currentDirection (only
    // while randomSource > 0), then turns the direction round when the dealer alternates.
    // A pocket the kind does not have is refused: false, and nothing changes.
    bool AddDraw(Pocket p);
    // The same with a time read once by the caller.
    bool AddDraw(Pocket p, DrawTime now);
    // A draw of a random batch: the current croupier and wheel, no direction, which stays.
    bool AddRandomDraw(Pocket p, DrawTime now);
    // Appends p without time or croupier, as a draw from a spin list; false for a pocket the
    // kind does not have.
    bool AddUntimedDraw(Pocket p);
    // Room for n draws in all, so a batch appends without reallocating.
    void Reserve(std::size_t n) { log_.Reserve(n); }
    // Removes the newest draw; false on an empty log. A freeze after the draw taken back
    // moves back with it: every draw left was seen when the set was chosen.
    bool UndoDraw();

    // Counts of the changes that take draws out of the log, which only ever grow: a view that
    // noted them, and the number of draws, knows which draws are still those it read.
    struct Changes {
        // New games, switches of kind and games loaded.
        std::uint64_t games = 0;
        // Draws undone.
        std::uint64_t undone = 0;
        friend constexpr bool operator==(Changes, Changes) = default;
    };
    Changes changes() const { return changes_; }
    // How many of the first `drawCount` draws seen when `seen` was noted are still in place.
    int UnchangedDraws(Changes seen, int drawCount) const;
    // The pockets frozen to be tested on the draws after them; nullopt when none are.
    const std::optional<FrozenSet>& freeze() const { return freeze_; }
    // Freezes distinct pockets of the kind at the current draw count; false, and no change,
    // for an empty set or one with a pocket the kind does not have or twice. The freeze and
    // its clearing are noted, so that a saved or journaled game keeps them.
    bool Freeze(const std::vector<Pocket>& pockets);
    void ClearFreeze();

    std::int32_t currentCroupier() const { return currentCroupier_; }
    void SetCurrentCroupier(std::int32_t c) { currentCroupier_ = c; }

    // The wheel the next draws are spun on; 0 for none.
    std::int32_t currentWheel() const { return currentWheel_; }
    void SetCurrentWheel(std::int32_t w) { currentWheel_ = w; }
    // The direction of the next spin. While alternating, a draw with a known direction turns
    // it round for the next: dealers change direction at every spin.
    SpinDirection currentDirection() const { return currentDirection_; }
    void SetCurrentDirection(SpinDirection d) { currentDirection_ = d; }
    bool alternating() const { return alternating_; }
    void SetAlternating(bool on) { alternating_ = on; }

    int randomSource() const { return randomSource_; }
    void SetRandomSource(int source) { randomSource_ = source; }

    void SetClock(Clock clock) { clock_ = clock; }
    DrawTime Now() const { return clock_(); }

private:
    static DrawTime SystemNow();

    // Drops the notes after the newest draw, keeping each key's last value there.
    void PullNotesBack();
    // Removes the note of `key` at place `at`, the newest place, if there is one.
    void DropNoteAt(std::string_view key, int at);

    RouletteKind kind_;
    DrawLog log_;
    Changes changes_;
    std::vector<GameFileNote> notes_;
    std::int32_t currentCroupier_ = 0;
    std::int32_t currentWheel_ = 0;
    SpinDirection currentDirection_ = SpinDirection::Unknown;
    bool alternating_ = true;
    int randomSource_ = randomFromProgram;
    Clock clock_ = &SystemNow;
    std::optional<FrozenSet> freeze_;
};

// The game as a file of the user's: its draws and its notes, less the note of where the game
// is kept, which only the journal needs.
std::string SavedGameText(const Game& game, const CroupierNameLookup& croupierName,
                          const WheelNameLookup& wheelName = {});

}  // namespace spinalyst
