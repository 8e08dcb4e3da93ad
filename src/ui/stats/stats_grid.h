#pragma once

class QAbstractItemModel;
class QTableView;
class QWidget;

namespace spinalyst {

// A statistics grid as every page shows it: the model behind a proxy that sorts by the
// numbers of sortRole and sorts again whenever the figures change, so the user's column and
// direction survive every refresh; a bold header that sorts on a click, starting with
// sortColumn ascending; read-only rows 18 pixels high on one line, without row numbers.
QTableView* NewStatsGrid(QAbstractItemModel* model, int sortRole, const char* objectName,
                         int sortColumn, QWidget* parent);

}  // namespace spinalyst
