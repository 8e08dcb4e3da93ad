#include "ui/common/row_window_view.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

namespace spinalyst {

RowWindowModel::RowWindowModel(QAbstractItemModel* source, QObject* parent)
    : QAbstractTableModel(parent), source_(source) {
    columns_ = source_->columnCount();
    connect(source_, &QAbstractItemModel::modelReset, this, &RowWindowModel::Refresh);
    connect(source_, &QAbstractItemModel::layoutChanged, this, &RowWindowModel::Refresh);
    connect(source_, &QAbstractItemModel::rowsInserted, this, &RowWindowModel::Refresh);
    connect(source_, &QAbstractItemModel::rowsRemoved, this, &RowWindowModel::Refresh);
    connect(source_, &QAbstractItemModel::dataChanged, this, [this] {
        if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
    });
    connect(source_, &QAbstractItemModel::headerDataChanged, this,
            &QAbstractItemModel::headerDataChanged);
}

void RowWindowModel::SetWindow(int first, int count) {
    first_ = std::max(first, 0);
    count_ = std::max(count, 0);
    Refresh();
}

void RowWindowModel::Refresh() {
    beginResetModel();
    columns_ = source_ ? source_->columnCount() : 0;
    rows_ = source_ ? std::clamp(source_->rowCount() - first_, 0, count_) : 0;
    endResetModel();
}

int RowWindowModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int RowWindowModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant RowWindowModel::data(const QModelIndex& index, int role) const {
    if (!source_ || !index.isValid() || index.row() >= rows_) return {};
    return source_->index(first_ + index.row(), index.column()).data(role);
}

QVariant RowWindowModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (!source_) return {};
    // Rows are numbered as in the source.
    if (orientation == Qt::Vertical) section += first_;
    return source_->headerData(section, orientation, role);
}

Qt::ItemFlags RowWindowModel::flags(const QModelIndex& index) const {
    if (!source_ || !index.isValid()) return Qt::NoItemFlags;
    return source_->flags(source_->index(first_ + index.row(), index.column()));
}

RowWindowView::RowWindowView(QAbstractItemModel* source, QTableView* table, QWidget* parent)
    : QFrame(parent), source_(source), table_(table) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    table_->setParent(this);
    table_->setFrameShape(QFrame::NoFrame);
    window_ = new RowWindowModel(source_, this);
    table_->setModel(window_);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // The table never scrolls itself: the window moves instead.
    table_->setAutoScroll(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->viewport()->installEventFilter(this);
    table_->installEventFilter(this);
    connect(table_->verticalScrollBar(), &QScrollBar::valueChanged, table_, [this](int value) {
        if (value != 0) table_->verticalScrollBar()->setValue(0);
    });
    connect(table_, &QAbstractItemView::pressed, this,
            [this](const QModelIndex& index) { SelectRow(window_->first() + index.row()); });

    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this] { UpdateWindow(); });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(frameWidth(), frameWidth(), frameWidth(), frameWidth());
    layout->setSpacing(0);
    layout->addWidget(table_, 1);
    scrollColumn_ = new QVBoxLayout;
    scrollColumn_->setContentsMargins(0, 0, 0, 0);
    scrollColumn_->addWidget(scrollBar_);
    layout->addLayout(scrollColumn_);

    connect(source_, &QAbstractItemModel::modelReset, this, [this] {
        selected_ = -1;
        SourceChanged();
    });
    connect(source_, &QAbstractItemModel::layoutChanged, this, &RowWindowView::SourceChanged);
    // The selection stays on its row when rows come or go before it, as in a plain table.
    connect(source_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                if (selected_ >= first) selected_ += last - first + 1;
                SourceChanged();
            });
    connect(source_, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int last) {
                if (selected_ > last)
                    selected_ -= last - first + 1;
                else if (selected_ >= first)
                    selected_ = -1;
                SourceChanged();
            });
    SourceChanged();
}

void RowWindowView::SetScrollBarBesideRows(bool besideRows) {
    besideRows_ = besideRows;
    table_->horizontalHeader()->installEventFilter(this);
    FitScrollBar();
}

void RowWindowView::FitScrollBar() {
    const QHeaderView* header = table_->horizontalHeader();
    const int top = besideRows_ && !header->isHidden() ? header->height() : 0;
    scrollColumn_->setContentsMargins(0, top, 0, 0);
}

int RowWindowView::rowHeight() const {
    return std::max(1, table_->verticalHeader()->defaultSectionSize());
}

int RowWindowView::FullRows() const {
    return std::max(1, table_->viewport()->height() / rowHeight());
}

int RowWindowView::firstRow() const {
    return scrollBar_->value();
}

void RowWindowView::ScrollTo(int first) {
    scrollBar_->setValue(first);
}

void RowWindowView::SourceChanged() {
    const int rows = source_->rowCount();
    if (selected_ >= rows) selected_ = -1;
    const int full = FullRows();
    const QSignalBlocker blocker(scrollBar_);
    scrollBar_->setRange(0, std::max(0, rows - full));
    scrollBar_->setPageStep(full);
    scrollBar_->setSingleStep(1);
    UpdateWindow();
}

void RowWindowView::UpdateWindow() {
    // One more row than fits, so that the last one shows cut rather than a blank strip.
    window_->SetWindow(scrollBar_->value(), FullRows() + 1);
    const int row = selected_ - window_->first();
    if (selected_ >= 0 && row >= 0 && row < window_->rowCount()) table_->selectRow(row);
}

void RowWindowView::SelectRow(int row) {
    const int rows = source_->rowCount();
    if (rows == 0) {
        selected_ = -1;
        return;
    }
    selected_ = std::clamp(row, 0, rows - 1);
    const int full = FullRows();
    int first = scrollBar_->value();
    if (selected_ < first) first = selected_;
    if (selected_ >= first + full) first = selected_ - full + 1;
    if (first != scrollBar_->value()) {
        scrollBar_->setValue(first);
    } else {
        UpdateWindow();
    }
}

void RowWindowView::ShowFirstRows() {
    scrollBar_->setValue(0);
    SelectRow(0);
}

void RowWindowView::MoveSelection(int key) {
    const int full = FullRows();
    const int from = selected_ < 0 ? firstRow() : selected_;
    switch (key) {
        case Qt::Key_Up:
            return SelectRow(from - 1);
        case Qt::Key_Down:
            return SelectRow(selected_ < 0 ? from : from + 1);
        case Qt::Key_PageUp:
            return SelectRow(from - full);
        case Qt::Key_PageDown:
            return SelectRow(from + full);
        case Qt::Key_Home:
            return SelectRow(0);
        case Qt::Key_End:
            return SelectRow(source_->rowCount() - 1);
        default:
            return;
    }
}

bool RowWindowView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_->viewport()) {
        if (event->type() == QEvent::Wheel) {
            QApplication::sendEvent(scrollBar_, event);
            return true;
        }
        if (event->type() == QEvent::Resize) SourceChanged();
    } else if (watched == table_->horizontalHeader() && event->type() == QEvent::Resize) {
        FitScrollBar();
    } else if (watched == table_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End) {
            MoveSelection(key);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

}  // namespace spinalyst
