#pragma once

#include <QWidget>

#include "core/betting/bet_ledger.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTableView;

namespace spinalyst {

class AppSettings;
class BalanceChartView;
class ChipSelector;
class GameSession;
class HistoryModel;
class ProgressionBox;
class RowWindowView;
class TablePicture;

// The betting tab: the table picture with the chips, the chip selector, the neighbours
// option and the clear button above; the history of the settled draws and the balance
// chart below. It shows the session's ledger and follows the session's signals; it is no
// statistics page, and the analysed draws play no part in it.
class BetsPage final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BetsPage)

public:
    BetsPage(GameSession* session, AppSettings* settings, QWidget* parent = nullptr);

    void ApplyCaptions();
    // As the statistics pages: the state of a live session wraps within the page's height.
    bool hasHeightForWidth() const override { return false; }

    TablePicture* picture() const { return picture_; }
    ChipSelector* chipSelector() const { return chips_; }
    HistoryModel* historyModel() const { return model_; }
    RowWindowView* historyView() const { return historyView_; }
    QTableView* historyTable() const;
    BalanceChartView* balanceChart() const { return chart_; }
    QLabel* totalLabel() const { return totalLabel_; }
    ProgressionBox* progressionBox() const { return progressionBox_; }
    // The neighbours a straight-up click also stakes: 0 while the option is off.
    int neighbours() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildTablePanel();
    QWidget* BuildHistoryPanel();
    void OnPictureReleased(QPoint point, MouseButton button);
    void OnHistoryChanged();
    void OnGameReset();
    void ToggleHistoryRows();
    void ShowCollapseCaption();
    // Widens the amounts' and the draw numbers' columns to what they show.
    void FitColumns();
    // The chips, the totals and the progression's state after the table changed.
    void ShowTable();

    GameSession* session_;
    // Set while the page is hidden and the game or the table moved on: it catches up when
    // shown, so that a hidden page costs a draw nothing.
    bool stale_ = false;
    TablePicture* picture_ = nullptr;
    ChipSelector* chips_ = nullptr;
    QCheckBox* neighboursCheck_ = nullptr;
    QSpinBox* neighboursEdit_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QLabel* totalLabel_ = nullptr;
    HistoryModel* model_ = nullptr;
    RowWindowView* historyView_ = nullptr;
    QPushButton* collapseButton_ = nullptr;
    BalanceChartView* chart_ = nullptr;
    QSplitter* splitter_ = nullptr;
    ProgressionBox* progressionBox_ = nullptr;
    int amountColumnWidth_ = 0;
};

}  // namespace spinalyst
