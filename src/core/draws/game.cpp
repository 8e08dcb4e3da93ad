#include "core/draws/game.h"

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
}

void Game::SwitchKind(RouletteKind kind) {
    kind_ = kind;
    NewGame();
}

void Game::LoadGame(RouletteKind kind, DrawLog log) {
    kind_ = kind;
    log_ = std::move(log);
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
    return true;
}

}  // namespace spinalyst
