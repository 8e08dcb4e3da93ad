#pragma once

#include <QWidget>

class QPushButton;
class QTableView;

namespace spinalyst {

class DrawsModel;
class GameSession;

// The draws list under the input panel, with the buttons that page through its columns.
class DrawsPanel final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DrawsPanel)

public:
    explicit DrawsPanel(GameSession* session, QWidget* parent = nullptr);

    // Shows page 1 ... drawsPageCount of the columns (a page beyond them, the nearest).
    void GoToPage(int page);
    QTableView* view() const { return drawsView_; }
    DrawsModel* model() const { return model_; }

private:
    void ShowPageWidths(int page);

    int drawsPage_ = 1;
    DrawsModel* model_ = nullptr;
    QTableView* drawsView_ = nullptr;
    QPushButton* firstPageButton_ = nullptr;
    QPushButton* priorPageButton_ = nullptr;
    QPushButton* nextPageButton_ = nullptr;
    QPushButton* lastPageButton_ = nullptr;
};

}  // namespace spinalyst
