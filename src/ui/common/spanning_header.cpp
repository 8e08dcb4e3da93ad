#include "ui/common/spanning_header.h"

#include <QPainter>
#include <QStyleOptionHeaderV2>

namespace spinalyst {

SpanningHeader::SpanningHeader(std::vector<Span> spans, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), spans_(std::move(spans)) {}

SpanningHeader::Span SpanningHeader::SpanOf(int logicalIndex) const {
    for (const Span& s : spans_)
        if (logicalIndex >= s.first && logicalIndex < s.first + s.count) return s;
    return {logicalIndex, 1};
}

void SpanningHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    const Span span = SpanOf(logicalIndex);
    if (span.count == 1) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    // Each column paints its slice of the whole span, so the text sits centred across it; a
    // sort on any of its columns shows on the span.
    int width = 0;
    for (int i = span.first; i < span.first + span.count; ++i)
        if (!isSectionHidden(i)) width += sectionSize(i);
    QStyleOptionHeaderV2 option;
    initStyleOption(&option);
    initStyleOptionForIndex(&option, span.first);
    option.rect = QRect(sectionViewportPosition(span.first), rect.top(), width, rect.height());
    const int sorted = sortIndicatorSection();
    if (isSortIndicatorShown() && sorted >= span.first && sorted < span.first + span.count)
        option.sortIndicator = sortIndicatorOrder() == Qt::AscendingOrder
                                   ? QStyleOptionHeader::SortDown
                                   : QStyleOptionHeader::SortUp;
    painter->save();
    painter->setClipRect(rect);
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
    painter->restore();
}

}  // namespace spinalyst
