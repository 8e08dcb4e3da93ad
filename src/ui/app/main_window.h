#pragma once

#include <QMainWindow>

#include "store/data_paths.h"
#include "store/settings.h"

class QAction;
class QMenu;
class QWidget;

namespace spinalyst {

class GameSession;

// The program's working window. It assembles the pages and wires them to the session; the
// logic of each view lives in its page and in the core.
class TfrmMain final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TfrmMain)

public:
    explicit TfrmMain(DataPaths paths, QWidget* parent = nullptr);
    ~TfrmMain() override;

    GameSession& session() { return *session_; }
    const DataPaths& paths() const { return paths_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildCentralArea();
    void CheckKindItem();
    void NoZero1Click(QAction* item);
    void SaveSettings();

    DataPaths paths_;
    Settings settings_;
    GameSession* session_ = nullptr;

    QMenu* Fichier1 = nullptr;
    QAction* Nouveau1 = nullptr;
    QAction* Quitter1 = nullptr;
    QMenu* Prfrences1 = nullptr;
    QMenu* Roulette1 = nullptr;
    QAction* Americaine1 = nullptr;
    QAction* Francaise1 = nullptr;
    QAction* NoZero1 = nullptr;

    QWidget* entryArea_ = nullptr;
    QWidget* drawsArea_ = nullptr;
    QWidget* rightSide_ = nullptr;
};

}  // namespace spinalyst
