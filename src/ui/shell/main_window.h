#pragma once

#include <QMainWindow>
#include <QString>

#include "core/store/data_paths.h"

class QAction;
class QLabel;
class QMenu;
class QWidget;

namespace spinalyst {

class AppSettings;
class BetsPage;
class DrawsPanel;
class EntryArea;
class GameKeeper;
class GameSession;
class KeyboardEntry;
class StatsArea;

// The program's working window. It assembles the pages and wires them to the session; the
// logic of each view lives in its page and in the core.
class MainWindow final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    // settings are those the start dialog read; without them the window reads the data
    // folder's own.
    explicit MainWindow(DataPaths paths, AppSettings* settings = nullptr,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    GameSession& session() { return *session_; }
    // False when the language file could not be read: the design captions then stay.
    bool languageLoaded() const { return languageLoaded_; }
    const DataPaths& paths() const { return paths_; }
    StatsArea& statsArea() { return *statsArea_; }
    GameKeeper& keeper() { return *keeper_; }
    AppSettings& settings() { return *settings_; }
    // Says in the status bar that a settings write failed, with the file and the reason.
    void ReportSettingsNotSaved();
    // Offers the game a crashed run left unsaved; called once the window shows.
    void OfferRestore();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void LoadLanguage();
    void ApplyCaptions();
    // The warning that stays in the status bar while the game is not kept on disk.
    void BuildJournalIndicator();
    void FillJournalIndicator();
    void BuildMenus();
    void BuildCentralArea();
    QSize StartSize() const;
    void CheckKindItem();
    void OnKindChosen(QAction* item);
    void OnNewGame();
    void OnExportStatistics();
    void FillRecentGames();
    // False when the settings file could not be written.
    bool SaveSettings();
    void ShowProblem(const QString& message);
    void OnHelp();

    DataPaths paths_;
    AppSettings* settings_ = nullptr;
    GameSession* session_ = nullptr;
    GameKeeper* keeper_ = nullptr;
    bool languageLoaded_ = false;

    QMenu* fileMenu_ = nullptr;
    QAction* newGameAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* importAction_ = nullptr;
    QAction* exportAction_ = nullptr;
    QAction* restorePreviousAction_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* quitAction_ = nullptr;
    QMenu* preferencesMenu_ = nullptr;
    QMenu* kindMenu_ = nullptr;
    QAction* americanAction_ = nullptr;
    QAction* frenchAction_ = nullptr;
    QAction* noZeroAction_ = nullptr;

    QAction* randomSourceAction_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* helpAction_ = nullptr;
    QAction* aboutAction_ = nullptr;

    KeyboardEntry* keyboardEntry_ = nullptr;
    EntryArea* entryArea_ = nullptr;
    DrawsPanel* drawsPanel_ = nullptr;
    StatsArea* statsArea_ = nullptr;
    QLabel* journalIndicator_ = nullptr;
    BetsPage* betsPage_ = nullptr;
};

}  // namespace spinalyst
