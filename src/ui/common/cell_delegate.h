#pragma once

#include <QFont>
#include <QString>
#include <QStyledItemDelegate>
#include <array>

namespace spinalyst {

// Paints grid cells as QStyledItemDelegate does, but keeps each painted cell as a picture and
// copies it the next time a cell looks the same (same text, size, face, colours and state).
// Laying out and shaping a cell's text costs tens of times more than copying its pixels, and a
// refresh repaints whole grids whose cells mostly show what they showed before, or what
// another cell showed. Cells the picture could not stand for (an icon, a check box, the focus
// frame, a selected or alternate row, a background that is not one plain colour) are painted
// by the style each time. Subclasses adjust the look in initStyleOption as usual.
class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    // A grid paints most of its cells in one or two faces: their names are worked out once.
    const QString& FontName(const QFont& font) const;

    struct NamedFont {
        QFont font;
        QString name;
    };
    mutable std::array<NamedFont, 4> fonts_;
    mutable std::size_t nextFont_ = 0;
};

// A cell whose text is too long keeps its start and ends in "...", as names in narrow columns.
class ElidingCellDelegate final : public CellDelegate {
public:
    using CellDelegate::CellDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        CellDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideRight;
    }
};

}  // namespace spinalyst
