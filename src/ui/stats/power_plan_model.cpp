#include "ui/stats/power_plan_model.h"

#include "ui/common/texts.h"
#include "ui/stats/fairness_texts.h"
#include "ui/stats/play_texts.h"

namespace spinalyst {

int PowerPlanModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : planRowCount;
}

int PowerPlanModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(plan_.sizes.size());
}

void PowerPlanModel::SetPlan(PowerPlan plan) {
    const bool sameShape = plan.sizes.size() == plan_.sizes.size();
    if (!sameShape) beginResetModel();
    plan_ = std::move(plan);
    if (!sameShape) {
        endResetModel();
        return;
    }
    if (columnCount() > 0)
        emit dataChanged(index(0, 0), index(planRowCount - 1, columnCount() - 1));
    // The break-even row names the kind's excess.
    emit headerDataChanged(Qt::Vertical, 0, planRowCount - 1);
}

void PowerPlanModel::ApplyCaptions() {
    if (columnCount() > 0)
        emit dataChanged(index(0, 0), index(planRowCount - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, std::max(columnCount() - 1, 0));
    emit headerDataChanged(Qt::Vertical, 0, planRowCount - 1);
}

QString PowerPlanModel::Cell(PlanRow row, const SizePlan& s) const {
    switch (row) {
        case PlanRow::Leader:
            return SectorText(s.leader);
        case PlanRow::LeaderExcess:
            return s.leaderExcess ? PercentText(*s.leaderExcess, 1, true) : QString();
        case PlanRow::SpinsForLeader:
            return s.leaderExcess ? SpinsText(s.spinsForLeader, s.leaderExcess) : QString();
        case PlanRow::MoreForLeader:
            return s.moreForLeader  ? QString::number(*s.moreForLeader)
                   : s.leaderExcess ? SpinsText(std::nullopt, s.leaderExcess)
                                    : QString();
        case PlanRow::Detectable:
            return s.detectableExcess ? PercentText(*s.detectableExcess, 1, true)
                                      : QStringLiteral("—");
        case PlanRow::SpinsFor10:
        case PlanRow::SpinsFor20:
        case PlanRow::SpinsFor50: {
            const auto at =
                static_cast<std::size_t>(row) - static_cast<std::size_t>(PlanRow::SpinsFor10);
            return SpinsText(s.spinsFor[at], plannedExcesses[at]);
        }
        case PlanRow::SpinsForBreakEven:
            return SpinsText(s.spinsForBreakEven, plan_.breakEvenExcess);
    }
    return {};
}

QVariant PowerPlanModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    const auto row = static_cast<PlanRow>(index.row());
    const SizePlan& size = plan_.sizes[static_cast<std::size_t>(index.column())];
    switch (role) {
        case Qt::DisplayRole:
            return Cell(row, size);
        case Qt::ToolTipRole:
            // A sector of nine may not fit its column.
            return row == PlanRow::Leader ? Cell(row, size) : QVariant();
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant PowerPlanModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0) return {};
    if (orientation == Qt::Horizontal) {
        if (section >= columnCount()) return {};
        const int size = plan_.sizes[static_cast<std::size_t>(section)].size;
        return size == 1 ? Text(TextId::PlanPocketColumn)
                         : TextWith(TextId::PlanSectorColumn, size);
    }
    if (section >= planRowCount) return {};
    switch (static_cast<PlanRow>(section)) {
        case PlanRow::Leader:
            return Text(TextId::PlanLeaderRow);
        case PlanRow::LeaderExcess:
            return Text(TextId::PlanLeaderExcessRow);
        case PlanRow::SpinsForLeader:
            return Text(TextId::PlanLeaderSpinsRow);
        case PlanRow::MoreForLeader:
            return Text(TextId::PlanLeaderMoreRow);
        case PlanRow::Detectable:
            return Text(TextId::PlanDetectableRow);
        case PlanRow::SpinsFor10:
        case PlanRow::SpinsFor20:
        case PlanRow::SpinsFor50: {
            const auto at =
                static_cast<std::size_t>(section - static_cast<int>(PlanRow::SpinsFor10));
            return TextWith(TextId::PlanSpinsForRow, PercentText(plannedExcesses[at], 0, true));
        }
        case PlanRow::SpinsForBreakEven:
            return TextWith(TextId::PlanBreakEvenRow, PercentText(plan_.breakEvenExcess, 2, true));
    }
    return {};
}

}  // namespace spinalyst
