#pragma once

#include <QAbstractTableModel>

#include "core/stats/power_planner.h"

namespace spinalyst {

// The figures of the power plan, one row each, for the sizes planned in columns: a single
// pocket, then sectors of 3, 5 and 9.
enum class PlanRow {
    Leader,
    LeaderExcess,
    SpinsForLeader,
    MoreForLeader,
    Detectable,
    SpinsFor10,
    SpinsFor20,
    SpinsFor50,
    SpinsForBreakEven,
};
inline constexpr int planRowCount = 9;

class PowerPlanModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PowerPlanModel)

public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void SetPlan(PowerPlan plan);
    const PowerPlan& plan() const { return plan_; }
    // The texts are the language's: shown again after a change.
    void ApplyCaptions();

private:
    QString Cell(PlanRow row, const SizePlan& size) const;

    PowerPlan plan_;
};

}  // namespace spinalyst
