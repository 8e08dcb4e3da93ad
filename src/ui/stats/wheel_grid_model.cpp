#include "ui/stats/wheel_grid_model.h"

#include <QColor>
#include <QFont>

#include "core/model/roulette.h"

namespace spinalyst {

WheelGridModel::WheelGridModel(Layout layout, QObject* parent)
    : CaptionedModel(parent), layout_(layout) {}

int WheelGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int WheelGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : layout_.keyColumns + 3;
}

QVariant WheelGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    const Row& r = rows_[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    const bool key = column < layout_.keyColumns;
    int value = 0;
    if (key) {
        value = r.keys[static_cast<std::size_t>(column)];
    } else if (r.figures) {
        const int figures[] = {r.figures->hits, r.figures->sinceLast, r.figures->maxGap};
        value = figures[column - layout_.keyColumns];
    }
    switch (role) {
        case Qt::DisplayRole:
            if (key)
                return layout_.pocketKeys ? QString::fromStdString(PocketText(value))
                                          : QString::number(value);
            if (!r.figures) return QString();
            // The current wait is always written.
            if (layout_.blankZeros && value == 0 && column != layout_.keyColumns + 1)
                return QString();
            return QString::number(value);
        case sortRole:
            return value;
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        case Qt::FontRole:
            if (column == layout_.pocketColumn) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        case Qt::ForegroundRole:
            if (column == layout_.pocketColumn) {
                const Rgb c = DisplayColour(value);
                return QColor(c.r, c.g, c.b);
            }
            return {};
        default:
            return {};
    }
}

void WheelGridModel::SetRows(std::vector<Row> rows) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < rows_.size() || j < rows.size()) {
        const auto gone = [&](std::size_t k) {
            return k < rows_.size() && (j == rows.size() || rows_[k].id < rows[j].id);
        };
        const auto added = [&](std::size_t k) {
            return k < rows.size() && (i == rows_.size() || rows[k].id < rows_[i].id);
        };
        if (gone(i)) {
            std::size_t end = i;
            while (gone(end)) ++end;
            beginRemoveRows({}, static_cast<int>(i), static_cast<int>(end) - 1);
            rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(i),
                        rows_.begin() + static_cast<std::ptrdiff_t>(end));
            endRemoveRows();
        } else if (added(j)) {
            std::size_t end = j;
            while (added(end)) ++end;
            beginInsertRows({}, static_cast<int>(i), static_cast<int>(i + end - j) - 1);
            rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(i),
                         rows.begin() + static_cast<std::ptrdiff_t>(j),
                         rows.begin() + static_cast<std::ptrdiff_t>(end));
            endInsertRows();
            i += end - j;
            j = end;
        } else {
            rows_[i++] = rows[j++];
        }
    }
    if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

}  // namespace spinalyst
