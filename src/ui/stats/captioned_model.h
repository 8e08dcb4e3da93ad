#pragma once

#include <QAbstractTableModel>
#include <QStringList>

namespace spinalyst {

// A table model of the statistics grids, whose column headers are language texts the page
// sets; it answers the header of every grid the same way.
class CaptionedModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The headers from the first column on; a column without one shows none.
    void SetHeaders(const QStringList& headers);

private:
    QStringList headers_;
};

}  // namespace spinalyst
