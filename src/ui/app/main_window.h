#pragma once

#include <QMainWindow>
#include <QString>

#include "store/data_paths.h"
#include "store/settings.h"

class QAction;
class QMenu;
class QWidget;

namespace spinalyst {

class DrawsPanel;
class EntryArea;
class GameSession;
class KeyboardEntry;
class StatsArea;

// The program's working window. It assembles the pages and wires them to the session; the
// logic of each view lives in its page and in the core.
class TfrmMain final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmMain)

public:
    explicit TfrmMain(DataPaths paths, QWidget* parent = nullptr);
    ~TfrmMain() override;

    GameSession& session() { return *session_; }
    // False when the language file could not be read: the design captions then stay.
    bool languageLoaded() const { return languageLoaded_; }
    const DataPaths& paths() const { return paths_; }
    StatsArea& statsArea() { return *statsArea_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void LoadLanguage();
    void ApplyCaptions();
    void BuildMenus();
    void BuildCentralArea();
    void CheckKindItem();
    void NoZero1Click(QAction* item);
    void SaveSettings();

    DataPaths paths_;
    Settings settings_;
    GameSession* session_ = nullptr;
    bool languageLoaded_ = false;
    QString randomSourceFile_;

    QMenu* Fichier1 = nullptr;
    QAction* Nouveau1 = nullptr;
    QAction* Quitter1 = nullptr;
    QMenu* Prfrences1 = nullptr;
    QMenu* Roulette1 = nullptr;
    QAction* Americaine1 = nullptr;
    QAction* Francaise1 = nullptr;
    QAction* NoZero1 = nullptr;

    QAction* Sourcealeatoire1 = nullptr;

    KeyboardEntry* keyboardEntry_ = nullptr;
    EntryArea* entryArea_ = nullptr;
    DrawsPanel* drawsPanel_ = nullptr;
    StatsArea* statsArea_ = nullptr;
};

}  // namespace spinalyst
