#include "ui/stats/stats_grid.h"

#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QTableView>

#include "ui/common/cell_delegate.h"

namespace spinalyst {

QTableView* NewStatsGrid(QAbstractItemModel* model, int sortRole, const char* objectName,
                         int sortColumn, QWidget* parent) {
    auto* proxy = new QSortFilterProxyModel(parent);
    proxy->setSourceModel(model);
    proxy->setSortRole(sortRole);
    proxy->setDynamicSortFilter(true);

    auto* grid = new QTableView(parent);
    grid->setObjectName(objectName);
    grid->setModel(proxy);
    grid->setItemDelegate(new CellDelegate(grid));
    grid->setSortingEnabled(true);
    grid->sortByColumn(sortColumn, Qt::AscendingOrder);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(18);
    grid->horizontalHeader()->setSortIndicatorShown(true);
    QFont bold = grid->horizontalHeader()->font();
    bold.setBold(true);
    grid->horizontalHeader()->setFont(bold);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    return grid;
}

}  // namespace spinalyst
