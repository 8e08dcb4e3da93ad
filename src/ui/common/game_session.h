#pragma once

#include <QObject>
#include <filesystem>
#include <memory>
#include <optional>

#include "core/betting/bet_ledger.h"
#include "core/draws/croupier_table.h"
#include "core/draws/game.h"
#include "core/draws/game_file.h"
#include "core/draws/random_source.h"
#include "core/draws/wheel_name_table.h"

class QString;

namespace spinalyst {

class GameJournal;

// Owns the core game, its betting ledger, the croupiers, the wheels and the journal, and is
// the one writer of them: the rest of the program reads them through const access and changes
// them through the operations below. Every operation does its work in the core, writes the
// journal, and only then emits the one signal that says what happened, so no view depends
// on the order in which the views were connected. Draws added during a batch are settled one
// by one but journaled and announced together when the batch ends.
class GameSession final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GameSession)

public:
    explicit GameSession(RouletteKind kind = defaultKind, QObject* parent = nullptr);
    ~GameSession() override;

    const Game& game() const { return game_; }
    RouletteKind kind() const { return game_.kind(); }
    int drawCount() const { return game_.drawCount(); }
    const BetLedger& ledger() const { return ledger_; }
    const CroupierTable& croupiers() const { return croupiers_; }
    const WheelNameTable& wheels() const { return wheels_; }

    void NewGame();
    // Always starts a new game, also for the current kind.
    void SwitchKind(RouletteKind kind);
    // False, and nothing announced, for a pocket the kind does not have.
    bool AddDraw(Pocket p);
    void UndoDraw();

    // While a Batch lives, draws are stored and journaled but announced only once, when the
    // last batch open ends: the views are left alone meanwhile. Scoped, so that no batch can
    // be left open.
    class Batch {
    public:
        explicit Batch(GameSession& session);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        GameSession& session_;
    };
    bool batchInProgress() const { return batchDepth_ > 0; }
    // Appends n pseudo-random draws as one batch, from a generator reseeded from the clock.
    // Returns how many were drawn (none unless the source is the program's generator).
    int DrawRandomBatch(int n);
    // Appends the pockets of a spin list, without time or croupier, as one batch.
    void ImportDraws(const std::vector<Pocket>& pockets);
    // Replaces the game with one read from a file, of the file's kind: the bets and their
    // history go with the old game, the file's croupiers join the table, and the game being
    // replaced is kept as the previous game. `gameFile` is the file the game is kept in from
    // now on, as SetGameFile notes it; empty for none.
    void ReplaceGame(GameFile file, const QString& gameFile = {});
    // Replaces the game with the one the journal an earlier run left holds; the journal goes
    // on from it.
    void RestoreGame(GameFile file);

    // A click on the table picture of the bets, at (x, y) in its pixels; with neighbours n > 0
    // a straight-up bet also goes on the n pockets either side on the wheel. Returns the slot
    // the click landed on.
    std::optional<BetSlot> ClickTable(int x, int y, MouseButton button, int neighbours = 0);
    void ClearBets();
    // The amount one click stakes; false, and no change, for a value no chip can have.
    bool SetChipValue(Cents value);
    // Starts a session of the progression on the chips on the table (or the last plan's base
    // bets), from the next draw on; the error that keeps it from starting, if any.
    std::optional<PlanError> StartPlan(const ProgressionSettings& progression,
                                       const MoneyRules& rules);
    // The table is the player's again: a running session's chips go back to its base bets.
    void StopPlan();

    // Freezes pockets at the current draw count, to be tested on the draws that come after;
    // false, and nothing announced, for a set that cannot be frozen (none, a pocket the kind
    // does not have or one twice). A new freeze replaces the last one.
    bool FreezePockets(const std::vector<Pocket>& pockets);
    void ClearFreeze();

    // Reads the croupier file, which new croupiers are written to from then on.
    CroupierTable::LoadResult LoadCroupiers(const std::filesystem::path& file);
    // Creates a croupier, writes the croupier file and makes it the croupier of the next draws.
    std::int32_t AddCroupier(const QString& name);
    // The croupier of the next draws; 0 for none.
    void SetCurrentCroupier(std::int32_t croupier);
    // Reads the wheel file, which new wheels are written to from then on.
    WheelNameTable::LoadResult LoadWheels(const std::filesystem::path& file);
    // Creates a wheel, writes the wheel file and makes it the wheel of the next draws; 0, and
    // nothing changed, when the table is full.
    std::int32_t AddWheel(const QString& name);
    // The wheel of the next draws; 0 for none.
    void SetCurrentWheel(std::int32_t wheel);
    // The direction of the next spin.
    void SetCurrentDirection(SpinDirection direction);
    // Turns the direction of the next spin round; one not noted yet becomes clockwise.
    void TurnDirection();
    // Whether each draw turns the direction round for the next (on until switched off).
    void SetAlternating(bool on);
    // randomFromProgram or randomFromFile.
    void SetRandomSource(int source);

    // The file the game is kept in, noted in the journal so that a restored game knows it;
    // empty for none.
    void SetGameFile(const QString& file);

    // Keeps the game in the journal of dir (current-game.csv) from now on. A journal an
    // earlier run left there stays as it is until the game first changes, a game replaces it,
    // or DeclineLeftover; a new game alone leaves it alone, so that the restore question can
    // still be asked.
    void KeepJournal(const std::filesystem::path& dir);
    // nullptr until KeepJournal.
    const GameJournal* journal() const { return journal_.get(); }
    bool leftoverJournal() const { return leftover_; }
    // The leftover journal is not restored: it is kept as the previous game.
    void DeclineLeftover();
    // A clean end: the journal is kept as the previous game; a leftover journal nobody has
    // decided on stays for the next start.
    void RetireJournal();
    // False from a failed journal write until one succeeds again.
    bool journalWorking() const { return journalWorking_; }

signals:
    // A new game without draws, perhaps of another kind.
    void gameReset();
    // Another game, perhaps of another kind, with all its draws: nothing of the old one stays.
    void gameReplaced();
    void drawsAdded(int count);
    void drawUndone();
    void croupiersChanged();
    void currentCroupierChanged(std::int32_t croupier);
    void wheelsChanged();
    void currentWheelChanged(std::int32_t wheel);
    // The direction of the next spin changed: set, turned round, or alternated by a draw
    // (after the drawsAdded of that draw).
    void currentDirectionChanged(SpinDirection direction);
    void alternatingChanged(bool on);
    void randomSourceChanged(int source);
    // The stakes on the table changed (not by a new game, which gameReset announces). The
    // stakes a plan puts down after each draw come with that draw's signal.
    void betsChanged();
    // A plan was started or stopped.
    void planChanged();
    // Pockets were frozen or the freeze cleared (a new or another game announces its own).
    void freezeChanged();
    // The journal stopped being written (false) or works again (true); emitted before the
    // signal of the change whose write it was.
    void journalStateChanged(bool working);
    // A batch of draws, already announced, could not be written to the journal: they are not
    // safe on disk. Told as soon as the write failed, after journalStateChanged.
    void batchNotJournaled(int draws);

private:
    // The end of a batch write, back on the session's thread.
    void OnBatchWritten(bool written, int draws);
    void NoteJournalWorking(bool working);
    // After every change of the stakes.
    void BetsChanged();
    // Notes the stakes on the table in the game and the journal, when they changed.
    void JournalStakes();
    void JournalNewGame();
    void JournalDraws();
    void Replace(GameFile file, const QString& gameFile);
    void NoteCurrentCroupier(std::int32_t before);
    void NoteCurrentDirection(SpinDirection before);

    Game game_;
    BetLedger ledger_;
    CroupierTable croupiers_;
    WheelNameTable wheels_;
    RandomSource random_;
    std::unique_ptr<GameJournal> journal_;
    int batchStartCount_ = 0;
    int batchDepth_ = 0;
    bool leftover_ = false;
    bool journalWorking_ = true;
};

}  // namespace spinalyst
