#pragma once

#include <QStringList>
#include <vector>

#include "core/stats/slot_stats.h"
#include "ui/stats/captioned_model.h"

namespace spinalyst {

// The grid of one bet family: a row per slot with its label, hits, current wait, longest wait
// and repeats. Sorting goes through a proxy; this model keeps slot order.
class FamilyStatsModel final : public CaptionedModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FamilyStatsModel)

public:
    // Numbers for the proxy to sort by: the slot index in column 0, the figure elsewhere.
    static constexpr int sortRole = Qt::UserRole;

    using CaptionedModel::CaptionedModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // New labels reset the rows; the same labels only change the figures, so the view keeps
    // its sort order and selection.
    void SetSlots(const QStringList& labels, std::vector<SlotStats> stats);
    // Short labels (pockets, corners, splits) sit centred like the figures.
    void SetLabelsCentred(bool centred) { labelsCentred_ = centred; }

private:
    QStringList labels_;
    std::vector<SlotStats> stats_;
    bool labelsCentred_ = false;
};

}  // namespace spinalyst
