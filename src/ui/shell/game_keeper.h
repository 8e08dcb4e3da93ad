#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>

#include "core/draws/game_journal.h"
#include "core/store/settings.h"

class QWidget;

namespace spinalyst {

class GameSession;

// Keeps the current game on disk: the journal that follows every draw, the game file it was
// opened from or saved to, whether it has unsaved draws, and the recent games list. It must
// be created before the views connect to the session, so that a draw is on disk before any
// view shows it.
class GameKeeper final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GameKeeper)

public:
    GameKeeper(GameSession* session, const std::filesystem::path& dataDir, Settings settings,
               QWidget* window);

    const QString& currentFile() const { return currentFile_; }
    bool unsaved() const;
    // "Spinalyst", with the game file's name and a "*" for unsaved draws.
    QString Title() const;
    QStringList RecentGames() const;
    const GameJournal& journal() const { return journal_; }

    // Asks whether to save unsaved draws first; false when the user cancels or the save fails.
    bool ConfirmDiscard();
    // Each asks for the file with the file picker; false when nothing was done.
    bool Open();
    bool Save();
    bool SaveAs();
    bool ImportSpins();
    // Writes csv to a file the user picks.
    bool Export(const std::string& csv);
    // These take the file as given (the recent games list, tests).
    bool OpenFile(const QString& file);
    bool SaveTo(const QString& file);
    bool ImportFile(const QString& file);
    void RestorePrevious();
    // Offers to restore a game a crashed run left in the journal.
    void OfferRestore();
    // A clean end: the journal is kept as the previous game.
    void Retire();

signals:
    void titleChanged(const QString& title);
    // A game was read from a file: the kind may have changed.
    void gameLoaded();
    // One line for the status bar.
    void problem(const QString& message);

private:
    void OnGameReset();
    void OnDrawsChanged();
    void Journal();
    // Reads a game file into the session; false, with a message, when it cannot be read.
    bool LoadFile(const QString& file, bool asCurrentFile);
    void LoadIntoSession(GameFile game);
    void RememberRecent(const QString& file);
    // What the user must hear of a journal read back: its damaged lines and where the journal
    // as it was is kept (a copy made here), a batch left out.
    static QStringList RecoveryNotes(const JournalRecovery& left,
                                     const std::filesystem::path& journalFile);
    void SetUnsaved(bool unsaved);

    GameSession* session_;
    Settings settings_;
    QWidget* window_;
    GameJournal journal_;
    QString currentFile_;
    bool unsaved_ = false;
    bool loading_ = false;
    // A journal left by an earlier run that nobody has decided on yet: left alone until then.
    bool leftoverPending_ = false;
    bool restoring_ = false;
    bool journalProblemShown_ = false;
};

}  // namespace spinalyst
