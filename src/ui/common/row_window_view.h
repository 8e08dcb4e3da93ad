#pragma once

#include <QAbstractTableModel>
#include <QFrame>
#include <QPointer>

class QScrollBar;
class QTableView;
class QVBoxLayout;

namespace spinalyst {

// A window of consecutive rows of a model. An item view keeps a record per row it shows;
// over this window it keeps one per visible row, however many rows the model holds.
class RowWindowModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RowWindowModel)

public:
    explicit RowWindowModel(QAbstractItemModel* source, QObject* parent = nullptr);

    // Shows the source rows first ... first + count - 1 (those that exist).
    void SetWindow(int first, int count);
    int first() const { return first_; }
    QAbstractItemModel* source() const { return source_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void Refresh();

    QPointer<QAbstractItemModel> source_;
    int first_ = 0;
    int count_ = 0;
    int rows_ = 0;
    int columns_ = 0;
};

// A table of fixed-height rows for a model of any length: the table shows a window of the
// model, and the scroll bar beside it moves the window. Scrolling, the wheel, the keys and
// the selection behave as in a plain table.
class RowWindowView final : public QFrame {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RowWindowView)

public:
    RowWindowView(QAbstractItemModel* source, QTableView* table, QWidget* parent = nullptr);

    QTableView* table() const { return table_; }
    QScrollBar* scrollBar() const { return scrollBar_; }
    RowWindowModel* window() const { return window_; }
    int rowHeight() const;

    // The source row at the top of the table.
    int firstRow() const;
    void ScrollTo(int first);
    // The selected source row; -1 for none.
    int selectedRow() const { return selected_; }
    void SelectRow(int row);
    // Shows the first rows, the first of them selected.
    void ShowFirstRows();
    // The scroll bar runs beside the rows only, below the header, as a plain table's does;
    // otherwise it runs the whole height.
    void SetScrollBarBesideRows(bool besideRows);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Rows wholly in sight, and rows the table paints (one more, cut at the bottom).
    int FullRows() const;
    void SourceChanged();
    void UpdateWindow();
    void MoveSelection(int key);
    void FitScrollBar();

    QAbstractItemModel* source_;
    QTableView* table_;
    QScrollBar* scrollBar_;
    RowWindowModel* window_;
    QVBoxLayout* scrollColumn_ = nullptr;
    int selected_ = -1;
    bool besideRows_ = false;
};

}  // namespace spinalyst
