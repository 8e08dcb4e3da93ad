#pragma once

#include <QObject>
#include <optional>

#include "core/betting/bet_ledger.h"
#include "core/draws/croupier_table.h"
#include "core/draws/game.h"
#include "core/draws/random_source.h"

namespace spinalyst {

// Owns the core game and its betting ledger, and tells the views what changed. Every
// operation emits its signal once, after the core has done its work; draws added during a
// batch are settled one by one but announced together when the batch ends.
class GameSession final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GameSession)

public:
    explicit GameSession(RouletteKind kind = defaultKind, QObject* parent = nullptr);

    const Game& game() const { return game_; }
    Game& game() { return game_; }
    RouletteKind kind() const { return game_.kind(); }
    int drawCount() const { return game_.drawCount(); }

    void NewGame();
    // Always starts a new game, also for the current kind.
    void SwitchKind(RouletteKind kind);
    // False, and nothing announced, for a pocket the kind does not have.
    bool AddDraw(Pocket p);
    void UndoDraw();

    // Draws added between BeginBatch and EndBatch are announced once, by EndBatch.
    void BeginBatch();
    void EndBatch();
    // Appends n pseudo-random draws as one batch, from a generator reseeded from the clock.
    // Returns how many were drawn (none unless the source is the program's generator).
    int DrawRandomBatch(int n);

    const BetLedger& ledger() const { return ledger_; }
    // A click on the table picture of the bets, at (x, y) in its pixels; with neighbours n > 0
    // a straight-up bet also goes on the n pockets either side on the wheel. Returns the slot
    // the click landed on.
    std::optional<BetSlot> ClickTable(int x, int y, MouseButton button, int neighbours = 0);
    void ClearBets();
    // The amount one click stakes; false, and no change, for a value no chip can have.
    bool SetChipValue(Cents value);

    // Replaces the game with one read from a file: announced as a new game, then as one batch
    // of all its draws.
    void LoadGame(RouletteKind kind, DrawLog log);
    // Appends the pockets of a spin list, without time or croupier, as one batch.
    void ImportDraws(const std::vector<Pocket>& pockets);

    CroupierTable& croupiers() { return croupiers_; }
    const CroupierTable& croupiers() const { return croupiers_; }
    // Creates a croupier, writes the croupier file and makes it the croupier of the next draws.
    std::int32_t AddCroupier(const QString& name);

signals:
    void gameReset();
    void drawsAdded(int count);
    void drawUndone();
    void croupiersChanged();
    // The stakes on the table changed (not by a new game, which gameReset announces).
    void betsChanged();

private:
    Game game_;
    BetLedger ledger_;
    CroupierTable croupiers_;
    RandomSource random_;
    int batchStartCount_ = 0;
};

}  // namespace spinalyst
