#include "app/game_session.h"

#include "draws/random_batch.h"

namespace spinalyst {

GameSession::GameSession(RouletteKind kind, QObject* parent) : QObject(parent), game_(kind) {}

void GameSession::NewGame() {
    game_.NewGame();
    emit gameReset();
}

void GameSession::SwitchKind(RouletteKind kind) {
    game_.SwitchKind(kind);
    emit gameReset();
}

bool GameSession::AddDraw(Pocket p) {
    if (!game_.AddDraw(p)) return false;
    if (!game_.batchInProgress()) emit drawsAdded(1);
    return true;
}

void GameSession::UndoDraw() {
    if (game_.UndoDraw()) emit drawUndone();
}

void GameSession::BeginBatch() {
    batchStartCount_ = game_.drawCount();
    game_.SetBatchInProgress(true);
}

int GameSession::DrawRandomBatch(int n) {
    random_.SeedFromClock();
    BeginBatch();
    const int drawn = AppendRandomDraws(game_, random_, n);
    EndBatch();
    return drawn;
}

std::int32_t GameSession::AddCroupier(const QString& name) {
    const std::int32_t idx = croupiers_.AddCroupier(name.toStdString());
    game_.SetCurrentCroupier(idx);
    emit croupiersChanged();
    return idx;
}

void GameSession::EndBatch() {
    game_.SetBatchInProgress(false);
    const int added = game_.drawCount() - batchStartCount_;
    if (added > 0) emit drawsAdded(added);
}

void GameSession::LoadGame(RouletteKind kind, DrawLog log) {
    game_.SwitchKind(kind);
    emit gameReset();
    game_.LoadGame(kind, std::move(log));
    if (game_.drawCount() > 0) emit drawsAdded(game_.drawCount());
}

void GameSession::ImportDraws(const std::vector<Pocket>& pockets) {
    BeginBatch();
    game_.Reserve(static_cast<std::size_t>(game_.drawCount()) + pockets.size());
    for (Pocket p : pockets) game_.AddUntimedDraw(p);
    EndBatch();
}

}  // namespace spinalyst
