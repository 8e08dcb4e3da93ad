#include "ui/common/cell_delegate.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCache>
#include <QPainter>
#include <QPixmap>
#include <memory>
#include <optional>

namespace spinalyst {

namespace {

// Everything that shapes a cell's pixels when it has no icon, check box, focus or selection.
struct CellLook {
    QString text;
    QString font;
    QSize size;
    qreal ratio = 1;
    const QStyle* style = nullptr;
    // What lies under the cell, the cell's own background, and its ink in every colour group.
    QRgb underlay = 0;
    QRgb background = 0;
    bool hasBackground = false;
    QRgb ink[3] = {};
    int alignment = 0;
    int elide = 0;
    int features = 0;
    int state = 0;
    int direction = 0;
    int position = 0;
    int hints = 0;
    friend bool operator==(const CellLook&, const CellLook&) = default;
};

size_t qHash(const CellLook& look, size_t seed = 0) {
    return qHashMulti(seed, look.text, look.font, look.size.width(), look.size.height(),
                      look.underlay, look.background, look.ink[0], look.alignment, look.state);
}

// Shared by every grid; the cost is in pixels, so a few megabytes hold many screens of cells.
constexpr qsizetype pictureBudget = 2'000'000;
QCache<CellLook, QPixmap>* pictures = nullptr;

QCache<CellLook, QPixmap>& Pictures() {
    if (!pictures) {
        pictures = new QCache<CellLook, QPixmap>(pictureBudget);
        // Pixmaps must go before the application does.
        qAddPostRoutine([] {
            delete pictures;
            pictures = nullptr;
        });
    }
    return *pictures;
}

// The colour the view filled the cell's place with before the cell is painted, when it is one
// opaque colour.
std::optional<QRgb> Underlay(const QWidget* widget) {
    const auto* area = qobject_cast<const QAbstractScrollArea*>(widget);
    const QWidget* viewport = area ? area->viewport() : nullptr;
    if (!viewport || !viewport->autoFillBackground()) return std::nullopt;
    const QBrush brush = viewport->palette().brush(viewport->backgroundRole());
    if (brush.style() != Qt::SolidPattern || brush.color().alpha() != 255) return std::nullopt;
    return brush.color().rgba();
}

// The look of a cell the picture can stand for, or nullopt when the style must paint it.
std::optional<CellLook> LookOf(const QPainter* painter, const QStyleOptionViewItem& option,
                               const QString& fontName) {
    constexpr auto ownFeatures = QStyleOptionViewItem::HasDecoration |
                                 QStyleOptionViewItem::HasCheckIndicator |
                                 QStyleOptionViewItem::Alternate;
    constexpr auto ownStates = QStyle::State_HasFocus | QStyle::State_Selected |
                               QStyle::State_Editing | QStyle::State_MouseOver;
    if (option.features & ownFeatures || option.state & ownStates) return std::nullopt;
    const QTransform& transform = painter->worldTransform();
    if (transform.type() > QTransform::TxTranslate || transform.dx() != int(transform.dx()) ||
        transform.dy() != int(transform.dy()) || painter->opacity() != 1 ||
        painter->compositionMode() != QPainter::CompositionMode_SourceOver)
        return std::nullopt;
    const QBrush& background = option.backgroundBrush;
    if (background.style() != Qt::NoBrush && background.style() != Qt::SolidPattern)
        return std::nullopt;
    const std::optional<QRgb> underlay = Underlay(option.widget);
    if (!underlay) return std::nullopt;

    CellLook look;
    look.text = option.text;
    look.font = fontName;
    look.size = option.rect.size();
    look.ratio = painter->device() ? painter->device()->devicePixelRatio() : 1;
    look.style = option.widget ? option.widget->style() : QApplication::style();
    look.underlay = *underlay;
    look.hasBackground = background.style() == Qt::SolidPattern;
    look.background = look.hasBackground ? background.color().rgba() : 0;
    look.ink[0] = option.palette.color(QPalette::Active, QPalette::Text).rgba();
    look.ink[1] = option.palette.color(QPalette::Inactive, QPalette::Text).rgba();
    look.ink[2] = option.palette.color(QPalette::Disabled, QPalette::Text).rgba();
    look.alignment = int(option.displayAlignment);
    look.elide = int(option.textElideMode);
    look.features = int(option.features);
    look.state = int(option.state);
    look.direction = int(option.direction);
    look.position = int(option.viewItemPosition);
    look.hints = int(painter->renderHints());
    return look;
}

}  // namespace

const QString& CellDelegate::FontName(const QFont& font) const {
    for (const NamedFont& known : fonts_)
        if (!known.name.isEmpty() && font.isCopyOf(known.font)) return known.name;
    for (const NamedFont& known : fonts_)
        if (!known.name.isEmpty() && font == known.font) return known.name;
    NamedFont& slot = fonts_[nextFont_++ % fonts_.size()];
    slot = {font, font.key()};
    return slot.name;
}

void CellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    const std::optional<CellLook> look = LookOf(painter, cell, FontName(cell.font));
    if (!look || cell.rect.isEmpty()) {
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
        return;
    }
    QCache<CellLook, QPixmap>& cache = Pictures();
    if (const QPixmap* picture = cache.object(*look)) {
        painter->drawPixmap(cell.rect.topLeft(), *picture);
        return;
    }
    auto picture = std::make_unique<QPixmap>(cell.rect.size() * look->ratio);
    picture->setDevicePixelRatio(look->ratio);
    picture->fill(QColor::fromRgba(look->underlay));
    {
        QPainter inside(picture.get());
        inside.setRenderHints(painter->renderHints());
        inside.setLayoutDirection(painter->layoutDirection());
        cell.rect.moveTo(0, 0);
        style->drawControl(QStyle::CE_ItemViewItem, &cell, &inside, widget);
    }
    painter->drawPixmap(option.rect.topLeft(), *picture);
    const qsizetype cost = qsizetype(picture->width()) * picture->height();
    cache.insert(*look, picture.release(), cost);
}

}  // namespace spinalyst
