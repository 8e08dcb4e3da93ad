#include "ui/common/game_session.h"

#include <QString>

#include "core/betting/betting_game.h"
#include "core/draws/game_journal.h"

namespace spinalyst {

GameSession::GameSession(RouletteKind kind, QObject* parent)
    : QObject(parent), game_(kind), ledger_(kind) {}

GameSession::~GameSession() = default;

void GameSession::NewGame() {
    spinalyst::NewGame(game_, ledger_);
    JournalNewGame();
    emit gameReset();
}

void GameSession::SwitchKind(RouletteKind kind) {
    spinalyst::SwitchKind(game_, ledger_, kind);
    JournalNewGame();
    emit gameReset();
}

bool GameSession::AddDraw(Pocket p) {
    const SpinDirection direction = game_.currentDirection();
    if (!spinalyst::AddDraw(game_, ledger_, p)) return false;
    if (batchInProgress()) return true;
    JournalDraws();
    emit drawsAdded(1);
    NoteCurrentDirection(direction);
    return true;
}

void GameSession::UndoDraw() {
    if (!spinalyst::UndoDraw(game_, ledger_)) return;
    JournalDraws();
    emit drawUndone();
}

GameSession::Batch::Batch(GameSession& session) : session_(session) {
    if (session_.batchDepth_++ == 0) session_.batchStartCount_ = session_.game_.drawCount();
}

GameSession::Batch::~Batch() {
    if (--session_.batchDepth_ > 0) return;
    const int added = session_.game_.drawCount() - session_.batchStartCount_;
    if (added <= 0) return;
    session_.JournalDraws();
    emit session_.drawsAdded(added);
}

int GameSession::DrawRandomBatch(int n) {
    const std::int32_t croupier = game_.currentCroupier();
    random_.SeedFromClock();
    int drawn = 0;
    {
        const Batch batch(*this);
        drawn = AppendRandomDraws(game_, ledger_, random_, n);
    }
    NoteCurrentCroupier(croupier);
    return drawn;
}

void GameSession::ImportDraws(const std::vector<Pocket>& pockets) {
    const Batch batch(*this);
    AppendImportedDraws(game_, ledger_, pockets);
}

void GameSession::ReplaceGame(GameFile file, const QString& gameFile) {
    // The game being replaced, or a leftover journal, becomes the previous game.
    if (journal_) journal_->Retire();
    leftover_ = false;
    Replace(std::move(file), gameFile);
}

void GameSession::RestoreGame(GameFile file) {
    // The leftover is not retired: the journal starts over from its game in its place.
    leftover_ = false;
    Replace(std::move(file), {});
}

void GameSession::Replace(GameFile file, const QString& gameFile) {
    const bool adopted = AdoptCroupiers(file.log, file.croupierNames, croupiers_) > 0;
    const bool wheelsAdopted = AdoptWheels(file.log, file.wheelNames, wheels_) > 0;
    // A new game for the file's kind: the old game's bets go, and the file's stake notes
    // bring back its own, with their history.
    spinalyst::SwitchKind(game_, ledger_, file.kind);
    game_.LoadGame(file.kind, std::move(file.log), std::nullopt, std::move(file.notes));
    ReplayBets(game_, ledger_);
    if (!gameFile.isEmpty()) game_.SetNote(fileNoteKey, gameFile.toStdString());
    // A whole game written again could take a moment: the journal's thread writes a copy of
    // it, and says how it went as it does for a batch.
    if (journal_ && !journal_->StartInBackground(game_.log(), game_.kind(), game_.notes()))
        NoteJournalWorking(false);
    if (adopted) emit croupiersChanged();
    if (wheelsAdopted) emit wheelsChanged();
    emit gameReplaced();
}

std::optional<BetSlot> GameSession::ClickTable(int x, int y, MouseButton button, int neighbours) {
    const auto slot = ledger_.ClickTable(x, y, button, neighbours);
    if (slot) BetsChanged();
    return slot;
}

void GameSession::ClearBets() {
    ledger_.ClearBets();
    BetsChanged();
}

void GameSession::BetsChanged() {
    JournalStakes();
    emit betsChanged();
}

void GameSession::JournalStakes() {
    // Every change of the stakes is in the game's notes and the journal before it is told, so
    // that a game read back settles its draws as they were settled.
    if (NoteStakes(game_, ledger_)) JournalDraws();
}

bool GameSession::FreezePockets(const std::vector<Pocket>& pockets) {
    if (!game_.Freeze(pockets)) return false;
    JournalDraws();
    emit freezeChanged();
    return true;
}

void GameSession::ClearFreeze() {
    if (!game_.freeze()) return;
    game_.ClearFreeze();
    JournalDraws();
    emit freezeChanged();
}

bool GameSession::SetChipValue(Cents value) {
    return ledger_.SetChipValue(value);
}

std::optional<PlanError> GameSession::StartPlan(const ProgressionSettings& progression,
                                                const MoneyRules& rules) {
    const auto error = ledger_.StartPlan(progression, rules, game_.drawCount() + 1);
    if (error) return error;
    JournalStakes();
    emit planChanged();
    emit betsChanged();
    return std::nullopt;
}

void GameSession::StopPlan() {
    if (!ledger_.live().active()) return;
    ledger_.StopPlan();
    JournalStakes();
    emit planChanged();
    emit betsChanged();
}

CroupierTable::LoadResult GameSession::LoadCroupiers(const std::filesystem::path& file) {
    const auto result = croupiers_.Load(file);
    emit croupiersChanged();
    return result;
}

std::int32_t GameSession::AddCroupier(const QString& name) {
    const std::int32_t before = game_.currentCroupier();
    const std::int32_t idx = croupiers_.AddCroupier(name.toStdString());
    game_.SetCurrentCroupier(idx);
    emit croupiersChanged();
    NoteCurrentCroupier(before);
    return idx;
}

void GameSession::SetCurrentCroupier(std::int32_t croupier) {
    const std::int32_t before = game_.currentCroupier();
    game_.SetCurrentCroupier(croupier);
    NoteCurrentCroupier(before);
}

void GameSession::NoteCurrentCroupier(std::int32_t before) {
    if (game_.currentCroupier() != before) emit currentCroupierChanged(game_.currentCroupier());
}

WheelNameTable::LoadResult GameSession::LoadWheels(const std::filesystem::path& file) {
    const auto result = wheels_.Load(file);
    emit wheelsChanged();
    return result;
}

std::int32_t GameSession::AddWheel(const QString& name) {
    const std::int32_t idx = wheels_.AddWheel(name.toStdString());
    if (idx == 0) return 0;
    emit wheelsChanged();
    SetCurrentWheel(idx);
    return idx;
}

void GameSession::SetCurrentWheel(std::int32_t wheel) {
    if (wheel == game_.currentWheel()) return;
    game_.SetCurrentWheel(wheel);
    emit currentWheelChanged(wheel);
}

void GameSession::SetCurrentDirection(SpinDirection direction) {
    const SpinDirection before = game_.currentDirection();
    game_.SetCurrentDirection(direction);
    NoteCurrentDirection(before);
}

void GameSession::TurnDirection() {
    const SpinDirection d = game_.currentDirection();
    SetCurrentDirection(d == SpinDirection::Unknown ? SpinDirection::Clockwise : Flipped(d));
}

void GameSession::SetAlternating(bool on) {
    if (on == game_.alternating()) return;
    game_.SetAlternating(on);
    emit alternatingChanged(on);
}

void GameSession::NoteCurrentDirection(SpinDirection before) {
    if (game_.currentDirection() != before) emit currentDirectionChanged(game_.currentDirection());
}

void GameSession::SetRandomSource(int source) {
    if (source == game_.randomSource()) return;
    game_.SetRandomSource(source);
    emit randomSourceChanged(source);
}

void GameSession::SetGameFile(const QString& file) {
    if (game_.SetNote(fileNoteKey, file.toStdString())) JournalDraws();
}

void GameSession::KeepJournal(const std::filesystem::path& dir) {
    journal_ = std::make_unique<GameJournal>(
        dir, [this](std::int32_t c) { return croupiers_.CroupierName(c); },
        [this](std::int32_t w) { return wheels_.WheelName(w); });
    std::error_code ec;
    leftover_ = std::filesystem::is_regular_file(journal_->file(), ec);
    journal_->SetBatchListener([this](bool written, int draws) {
        QMetaObject::invokeMethod(
            this, [this, written, draws] { OnBatchWritten(written, draws); }, Qt::QueuedConnection);
    });
}

void GameSession::OnBatchWritten(bool written, int draws) {
    if (!journal_) return;
    // A change since may have written the whole game again, this batch with it.
    const bool working = !journal_->failed();
    NoteJournalWorking(working);
    if (!written && !working && draws > 0) emit batchNotJournaled(draws);
}

void GameSession::NoteJournalWorking(bool working) {
    if (working == journalWorking_) return;
    journalWorking_ = working;
    emit journalStateChanged(working);
}

void GameSession::DeclineLeftover() {
    if (!journal_ || !leftover_) return;
    leftover_ = false;
    journal_->Retire();
}

void GameSession::RetireJournal() {
    if (journal_ && !leftover_) journal_->Retire();
}

void GameSession::JournalNewGame() {
    // The journal of a game without draws is written with its first draw.
    if (journal_ && !leftover_) journal_->Retire();
}

void GameSession::JournalDraws() {
    if (!journal_) return;
    if (leftover_) {
        // The game changed before anyone decided on the leftover: it is kept as the previous
        // game rather than overwritten.
        journal_->Retire();
        leftover_ = false;
    }
    NoteJournalWorking(journal_->Sync(game_.log(), game_.kind(), game_.notes()));
}

}  // namespace spinalyst
