#include "core/draws/game.h"

#include <algorithm>
#include <ctime>

namespace spinalyst {

DrawTime Game::SystemNow() {
    // Draws keep whole seconds: the coarse clock is precise enough and several times cheaper.
    timespec ts{};
    if (clock_gettime(CLOCK_REALTIME_COARSE, &ts) == 0) return ts.tv_sec;
    return std::time(nullptr);
}

void Game::NewGame() {
    log_.Clear();
    ++changes_.games;
    notes_.clear();
    freeze_.reset();
}

void Game::SwitchKind(RouletteKind kind) {
    kind_ = kind;
    NewGame();
}

void Game::LoadGame(RouletteKind kind, DrawLog log, std::optional<FrozenSet> freeze,
                    std::vector<GameFileNote> notes) {
    kind_ = kind;
    log_ = std::move(log);
    ++changes_.games;
    freeze_.reset();
    // Without one given, the freeze the file's notes leave in force.
    if (!freeze) freeze = FreezeOfNotes(notes, kind);
    if (freeze && ValidFrozenPockets(freeze->pockets, kind)) {
        freeze_ = std::move(freeze);
        freeze_->drawCount = std::clamp(freeze_->drawCount, 0, log_.drawCount());
    }
    notes_.clear();
    for (GameFileNote& n : notes) {
        n.afterDraw = std::clamp(n.afterDraw, 0, log_.drawCount());
        // Only the last note of a key at one place counts; places never go back.
        if (!notes_.empty() && n.afterDraw < notes_.back().afterDraw)
            n.afterDraw = notes_.back().afterDraw;
        DropNoteAt(n.key, n.afterDraw);
        notes_.push_back(std::move(n));
    }
}

std::optional<std::string> Game::note(std::string_view key) const {
    for (auto it = notes_.rbegin(); it != notes_.rend(); ++it)
        if (it->key == key) return it->value;
    return std::nullopt;
}

bool Game::SetNote(std::string_view key, std::string value, std::optional<int> afterDraw) {
    if (note(key) == value) return false;
    int at = std::clamp(afterDraw.value_or(log_.drawCount()), 0, log_.drawCount());
    // Places never go back.
    if (!notes_.empty()) at = std::max(at, notes_.back().afterDraw);
    DropNoteAt(key, at);
    // Back to the value before this place: the note of this place is no change at all.
    if (note(key) != value) notes_.push_back({std::string(key), std::move(value), at});
    return true;
}

void Game::PullNotesBack() {
    const int at = log_.drawCount();
    std::vector<GameFileNote> moved;
    while (!notes_.empty() && notes_.back().afterDraw > at) {
        GameFileNote n = std::move(notes_.back());
        notes_.pop_back();
        // Walking back from the newest: the first met of each key is its last value.
        if (std::none_of(moved.begin(), moved.end(),
                         [&](const GameFileNote& m) { return m.key == n.key; }))
            moved.push_back(std::move(n));
    }
    for (auto it = moved.rbegin(); it != moved.rend(); ++it) {
        GameFileNote n = std::move(*it);
        n.afterDraw = at;
        DropNoteAt(n.key, at);
        if (note(n.key) != n.value) notes_.push_back(std::move(n));
    }
}

void Game::DropNoteAt(std::string_view key, int at) {
    // Places never go back, so the notes at `at` are the last ones; a key has one per place.
    // A plan played live notes its stakes at every draw: the notes must not be walked.
    for (auto it = notes_.end(); it != notes_.begin() && std::prev(it)->afterDraw == at;)
        if ((--it)->key == key) {
            notes_.erase(it);
            return;
        }
}

bool Game::AddDraw(Pocket p) {
    if (!IsPocketOf(kind_, p)) return false;
    return AddDraw(p, randomSource_ > 0 ? clock_() : 0);
}

bool Game::AddDraw(Pocket p, DrawTime now) {
    if (!IsPocketOf(kind_, p)) return false;
    if (randomSource_ > 0) {
        log_.Append(p, now, currentCroupier_, currentWheel_, currentDirection_);
        if (alternating_) currentDirection_ = Flipped(currentDirection_);
    } else {
        log_.Append(p, std::nullopt, 0);
    }
    return true;
}

bool Game::AddRandomDraw(Pocket p, DrawTime now) {
    if (!IsPocketOf(kind_, p)) return false;
    if (randomSource_ > 0)
        log_.Append(p, now, currentCroupier_, currentWheel_);
    else
        log_.Append(p, std::nullopt, 0);
    return true;
}

bool Game::AddUntimedDraw(Pocket p) {
    if (!IsPocketOf(kind_, p)) return false;
    log_.Append(p, std::nullopt, 0);
    return true;
}

bool Game::UndoDraw() {
    if (log_.empty()) return false;
    log_.RemoveLast();
    ++changes_.undone;
    PullNotesBack();
    if (freeze_ && freeze_->drawCount > log_.drawCount()) {
        freeze_->drawCount = log_.drawCount();
        SetNote(freezeNoteKey, FreezeNoteValue(*freeze_));
    }
    return true;
}

bool Game::Freeze(const std::vector<Pocket>& pockets) {
    if (!ValidFrozenPockets(pockets, kind_)) return false;
    freeze_ = FrozenSet{log_.drawCount(), pockets};
    SetNote(freezeNoteKey, FreezeNoteValue(*freeze_));
    return true;
}

int Game::UnchangedDraws(Changes seen, int drawCount) const {
    if (seen.games != changes_.games || seen.undone > changes_.undone) return 0;
    // Had the draws been undone after new ones came, fewer would have changed: this much is
    // certain either way.
    const std::uint64_t undone = changes_.undone - seen.undone;
    const auto count = static_cast<std::uint64_t>(std::max(drawCount, 0));
    return static_cast<int>(std::min<std::uint64_t>(undone >= count ? 0 : count - undone,
                                                    std::max(0, log_.drawCount())));
}

void Game::ClearFreeze() {
    freeze_.reset();
    // "#freeze=" clears the one an earlier note put in force.
    if (note(freezeNoteKey)) SetNote(freezeNoteKey, "");
}

std::string SavedGameText(const Game& game, const CroupierNameLookup& croupierName,
                          const WheelNameLookup& wheelName) {
    std::vector<GameFileNote> notes;
    for (const GameFileNote& n : game.notes())
        if (n.key != fileNoteKey) notes.push_back(n);
    return WriteGameFile(game.log(), game.kind(), croupierName, wheelName, notes);
}

}  // namespace spinalyst
