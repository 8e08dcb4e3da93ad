#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <string>

class QWidget;

namespace spinalyst {

class AppSettings;
class GameSession;

// The files of the current game: the game file it was opened from or saved to, whether it
// has unsaved draws, the save question, the restore question for a journal a crashed run
// left, and the recent games list. The journal itself is the session's.
class GameKeeper final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GameKeeper)

public:
    GameKeeper(GameSession* session, AppSettings* settings, QWidget* window);

    const QString& currentFile() const { return currentFile_; }
    bool unsaved() const;
    // The window's title: "evening.csv — Spinalyst", or "Spinalyst" for a game without a
    // file, with Qt's mark of a modified document ("[*]") where unsaved draws show a "*".
    QString Title() const;
    QStringList RecentGames() const;

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

signals:
    void titleChanged(const QString& title);
    // One line for the status bar.
    void problem(const QString& message);

private:
    // A new game, or one that did not come from a file of the user's: no file, and unsaved
    // exactly when it holds draws.
    void ForgetFile(bool unsaved);
    // A game read back from a journal belongs to the file the journal noted, if any.
    void TakeFileFromGame();
    // Reads a game file into the session; false, with a message, when it cannot be read.
    bool LoadFile(const QString& file, bool asCurrentFile);
    void RememberRecent(const QString& file);
    void SetUnsaved(bool unsaved);
    void OnJournalStateChanged(bool working);
    // Says at once that a batch is not safe on disk, and offers Save As.
    void OnBatchNotJournaled(int draws);

    GameSession* session_;
    AppSettings* settings_;
    QWidget* window_;
    QString currentFile_;
    bool unsaved_ = false;
};

}  // namespace spinalyst
