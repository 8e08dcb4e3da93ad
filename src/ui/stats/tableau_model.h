#pragma once

#include <QStringList>
#include <optional>

#include "core/stats/tableau.h"
#include "ui/stats/captioned_model.h"

namespace spinalyst {

// The grid of the tableau: a row for each number 1 ... 36 with its scores, gap, neighbours
// score and ratio. Sorting goes through a proxy; this model keeps the numbers in order.
class TableauModel final : public CaptionedModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TableauModel)

public:
    // The number a cell is sorted by. An empty cell (the gap and the ratio of a number that
    // did not come out) sorts above every figure: such a number has waited longest of all.
    static constexpr int sortRole = Qt::UserRole;

    using CaptionedModel::CaptionedModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Changes the figures in place, so the view keeps its sort order and selection.
    // nullopt: a game without draws, every cell blank.
    void SetTableau(std::optional<Tableau> tableau);
    // Whether the rows hold figures yet; until the first fill they are empty.
    bool filled() const { return tableau_.has_value(); }

private:
    std::optional<Tableau> tableau_;
};

}  // namespace spinalyst
