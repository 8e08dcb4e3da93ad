#include "ui/common/game_session.h"

#include "core/betting/betting_game.h"

namespace spinalyst {

GameSession::GameSession(RouletteKind kind, QObject* parent)
    : QObject(parent), game_(kind), ledger_(kind) {}

void GameSession::NewGame() {
    spinalyst::NewGame(game_, ledger_);
    emit gameReset();
}

void GameSession::SwitchKind(RouletteKind kind) {
    spinalyst::SwitchKind(game_, ledger_, kind);
    emit gameReset();
}

bool GameSession::AddDraw(Pocket p) {
    if (!spinalyst::AddDraw(game_, ledger_, p)) return false;
    if (!game_.batchInProgress()) emit drawsAdded(1);
    return true;
}

void GameSession::UndoDraw() {
    if (spinalyst::UndoDraw(game_, ledger_)) emit drawUndone();
}

void GameSession::BeginBatch() {
    batchStartCount_ = game_.drawCount();
    game_.SetBatchInProgress(true);
}

int GameSession::DrawRandomBatch(int n) {
    random_.SeedFromClock();
    BeginBatch();
    const int drawn = AppendRandomDraws(game_, ledger_, random_, n);
    EndBatch();
    return drawn;
}

std::optional<BetSlot> GameSession::ClickTable(int x, int y, MouseButton button, int neighbours) {
    const auto slot = ledger_.ClickTable(x, y, button, neighbours);
    if (slot) emit betsChanged();
    return slot;
}

void GameSession::ClearBets() {
    ledger_.ClearBets();
    emit betsChanged();
}

bool GameSession::SetChipValue(Cents value) {
    return ledger_.SetChipValue(value);
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
    // A new game for the file's kind: the bets and their history go with the old game.
    spinalyst::SwitchKind(game_, ledger_, kind);
    emit gameReset();
    game_.LoadGame(kind, std::move(log));
    if (game_.drawCount() > 0) emit drawsAdded(game_.drawCount());
}

void GameSession::ImportDraws(const std::vector<Pocket>& pockets) {
    BeginBatch();
    AppendImportedDraws(game_, ledger_, pockets);
    EndBatch();
}

}  // namespace spinalyst
