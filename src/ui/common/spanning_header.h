#pragma once

#include <QHeaderView>
#include <vector>

namespace spinalyst {

// A horizontal header whose cells may span several columns: the text of a span is the
// header text of its first column, drawn once across all of them.
class SpanningHeader final : public QHeaderView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SpanningHeader)

public:
    struct Span {
        int first;
        int count;
    };
    SpanningHeader(std::vector<Span> spans, QWidget* parent = nullptr);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    Span SpanOf(int logicalIndex) const;

    std::vector<Span> spans_;
};

}  // namespace spinalyst
