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
    freeze_.reset();
}

void Game::SwitchKind(RouletteKind kind) {
    kind_ = kind;
    NewGame();
}

void Game::LoadGame(RouletteKind kind, DrawLog log, std::optional<FrozenSet> freeze) {
    kind_ = kind;
    log_ = std::move(log);
    ++changes_.games;
    freeze_.reset();
    if (freeze && ValidFrozenPockets(freeze->pockets, kind)) {
        freeze_ = std::move(freeze);
        freeze_->drawCount = std::clamp(freeze_->drawCount, 0, log_.drawCount());
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
    if (freeze_) freeze_->drawCount = std::min(freeze_->drawCount, log_.drawCount());
    return true;
}

bool Game::Freeze(const std::vector<Pocket>& pockets) {
    if (!ValidFrozenPockets(pockets, kind_)) return false;
    freeze_ = FrozenSet{log_.drawCount(), pockets};
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

}  // namespace spinalyst
