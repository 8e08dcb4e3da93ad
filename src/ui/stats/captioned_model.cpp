#include "ui/stats/captioned_model.h"

namespace spinalyst {

QVariant CaptionedModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= headers_.size())
        return {};
    return headers_[section];
}

void CaptionedModel::SetHeaders(const QStringList& headers) {
    headers_ = headers;
    if (columnCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

}  // namespace spinalyst
