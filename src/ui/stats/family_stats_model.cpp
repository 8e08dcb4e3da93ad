#include "ui/stats/family_stats_model.h"

namespace spinalyst {

int FamilyStatsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(labels_.size());
}

int FamilyStatsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 5;
}

QVariant FamilyStatsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= labels_.size()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    const SlotStats& s = row < stats_.size() ? stats_[row] : SlotStats{};
    const int figures[] = {0, s.hits, s.sinceLast, s.maxGap, s.repeats};
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            if (column == 0) return labels_[index.row()];
            // The current wait is always written; the other figures only when not 0.
            if (figures[column] == 0 && column != 2) return QString();
            return QString::number(figures[column]);
        case sortRole:
            return column == 0 ? index.row() : figures[column];
        case Qt::TextAlignmentRole:
            return int((column == 0 && !labelsCentred_ ? Qt::AlignLeft : Qt::AlignHCenter) |
                       Qt::AlignVCenter);
        default:
            return {};
    }
}

void FamilyStatsModel::SetSlots(const QStringList& labels, std::vector<SlotStats> stats) {
    if (labels != labels_) {
        beginResetModel();
        labels_ = labels;
        stats_ = std::move(stats);
        endResetModel();
        return;
    }
    stats_ = std::move(stats);
    if (!labels_.isEmpty()) emit dataChanged(index(0, 1), index(rowCount() - 1, 4));
}

}  // namespace spinalyst
