#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

#include "core/stats/slot_stats.h"

namespace spinalyst {

// The grid of one bet family: a row per slot with its label, hits, current wait, longest wait
// and repeats. Sorting goes through a proxy; this model keeps slot order.
class FamilyStatsModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FamilyStatsModel)

public:
    // Numbers for the proxy to sort by: the slot index in column 0, the figure elsewhere.
    static constexpr int sortRole = Qt::UserRole;

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // New labels reset the rows; the same labels only change the figures, so the view keeps
    // its sort order and selection.
    void SetSlots(const QStringList& labels, std::vector<SlotStats> stats);
    void SetHeaders(const QStringList& headers);
    // Short labels (pockets, corners, splits) sit centred like the figures.
    void SetLabelsCentred(bool centred) { labelsCentred_ = centred; }

private:
    QStringList labels_;
    QStringList headers_;
    std::vector<SlotStats> stats_;
    bool labelsCentred_ = false;
};

}  // namespace spinalyst
