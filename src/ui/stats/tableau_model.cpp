#include "ui/stats/tableau_model.h"

#include <limits>

namespace spinalyst {

int TableauModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : tableauRowCount;
}

int TableauModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : tableauColumnCount;
}

QVariant TableauModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= tableauRowCount || index.column() >= tableauColumnCount)
        return {};
    const auto column = static_cast<TableauColumn>(index.column());
    const TableauRow* row =
        tableau_ ? &(*tableau_)[static_cast<std::size_t>(index.row())] : nullptr;
    switch (role) {
        case Qt::DisplayRole:
            return row ? QString::fromStdString(TableauCellText(*row, column, ',')) : QString();
        case sortRole: {
            const std::optional<double> value = row ? TableauCellValue(*row, column) : std::nullopt;
            return value.value_or(std::numeric_limits<double>::infinity());
        }
        case Qt::TextAlignmentRole:
            return int(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
    }
}

void TableauModel::SetTableau(std::optional<Tableau> tableau) {
    tableau_ = std::move(tableau);
    emit dataChanged(index(0, 0), index(tableauRowCount - 1, tableauColumnCount - 1),
                     {Qt::DisplayRole, sortRole});
}

}  // namespace spinalyst
