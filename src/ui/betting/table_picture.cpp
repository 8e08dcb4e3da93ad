#include "ui/betting/table_picture.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStatusTipEvent>
#include <QToolTip>
#include <algorithm>

#include "core/betting/money.h"
#include "core/betting/table_areas.h"
#include "ui/betting/chip_painter.h"
#include "ui/common/format.h"
#include "ui/common/look.h"
#include "ui/common/texts.h"

namespace spinalyst {

namespace {

const QColor lineColour(255, 255, 240);
// What lights up the place under the pointer.
const QColor hoverColour(255, 236, 120);

QRectF ToRect(const TableRect& r) {
    return QRectF(r.x, r.y, r.width, r.height);
}

QFont CaptionFont(int pixels) {
    return FaceAtPixels(pixels, true);
}

// A zero of the table ends in a point towards the wheel side.
QPolygonF ZeroOutline(const QRectF& r) {
    const qreal tip = 11;
    return QPolygonF({QPointF(r.left(), r.center().y()), QPointF(r.left() + tip, r.top()),
                      r.topRight(), r.bottomRight(), QPointF(r.left() + tip, r.bottom())});
}

void PaintDiamond(QPainter& painter, const QRectF& box, const QColor& colour) {
    const QPointF c = box.center();
    const qreal w = 17;
    const qreal h = 11;
    painter.setBrush(colour);
    painter.setPen(QPen(lineColour, 1.2));
    painter.drawPolygon(QPolygonF({QPointF(c.x() - w, c.y()), QPointF(c.x(), c.y() - h),
                                   QPointF(c.x() + w, c.y()), QPointF(c.x(), c.y() + h)}));
}

QString BoxCaption(BetSlot slot) {
    switch (slot.kind) {
        case BetKind::Colonne:
            return QStringLiteral("2:1");
        case BetKind::Douzaine:
            return QStringLiteral("%1 - %2").arg(12 * slot.index - 11).arg(12 * slot.index);
        case BetKind::ManquePasse:
            return slot.index == 1 ? QStringLiteral("1 - 18") : QStringLiteral("19 - 36");
        case BetKind::PairImpair:
            return Text(slot.index == 1 ? TextId::BetEven : TextId::BetOdd);
        default:
            return {};
    }
}

}  // namespace

TablePicture::TablePicture(const BetLedger& ledger, QWidget* parent)
    : QWidget(parent), ledger_(ledger) {
    setObjectName("imgTapis");
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
}

QSize TablePicture::sizeHint() const {
    return {tablePictureWidth + 2 * margin, tablePictureHeight + 2 * margin};
}

void TablePicture::SetNeighbours(int neighbours) {
    if (neighbours == neighbours_) return;
    neighbours_ = neighbours;
    update();
    if (hovered_ && hovered_->kind == BetKind::Plein) SayHovered();
}

std::vector<Pocket> TablePicture::HoveredPockets() const {
    std::vector<Pocket> pockets;
    if (!hovered_ || !TableOffers(ledger_.kind(), *hovered_)) return pockets;
    const RouletteKind kind = ledger_.kind();
    for (Pocket p = firstPocket(kind); p <= lastPocket(kind); ++p)
        if (Covers(*hovered_, p)) pockets.push_back(p);
    if (hovered_->kind == BetKind::Plein)
        for (Pocket q : NeighbourPockets(kind, hovered_->index, neighbours_))
            if (TableOffers(kind, {BetKind::Plein, q})) pockets.push_back(q);
    return pockets;
}

void TablePicture::HoverAt(QPoint point) {
    SetHovered(ledger_.SlotAt(point.x(), point.y()));
}

void TablePicture::SetHovered(std::optional<BetSlot> slot) {
    if (slot == hovered_) return;
    hovered_ = slot;
    update();
    SayHovered();
}

void TablePicture::SayHovered(bool capped) {
    QString text;
    if (hovered_) {
        text = QString::fromStdString(BetDescription(*hovered_, CurrentLanguageTable()));
        if (hovered_->kind == BetKind::Plein && neighbours_ > 0)
            text = CountedText(TextId::BetWithNeighbours, neighbours_).arg(text).arg(neighbours_);
        if (capped) text = TextWith(TextId::StakeAtLimit, text, AmountText(maxSlotStake));
    }
    QStatusTipEvent tip(text);
    QCoreApplication::sendEvent(this, &tip);
}

TablePicture::Shown TablePicture::Showing() const {
    Shown shown{ledger_.kind(), ledger_.chipValue(), {}};
    for (BetSlot slot : ledger_.chips()) shown.stakes.emplace_back(slot, ledger_.stake(slot));
    return shown;
}

void TablePicture::ShowLedger() {
    Shown now = Showing();
    if (now == shown_) return;
    shown_ = std::move(now);
    update();
}

void TablePicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.translate(margin, margin);
    PaintTable(painter);
    PaintHover(painter);
    PaintChips(painter);
}

void TablePicture::PaintHover(QPainter& painter) const {
    if (!hovered_) return;
    const RouletteKind kind = ledger_.kind();
    const auto snap = SnapPoint(*hovered_, kind);
    if (!snap) return;
    const std::vector<Pocket> pockets = HoveredPockets();
    const QRectF table(0, numberGridRect.y, tablePictureWidth,
                       tablePictureHeight - 2 * numberGridRect.y + 1);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // The pockets the bet covers, and its own box, lit up.
    painter.setPen(QPen(hoverColour, 2));
    painter.setBrush(QColor(255, 255, 255, 70));
    for (const TableBox& box : TablePictureBoxes(kind)) {
        const bool lit = box.slot == *hovered_ || (box.slot.kind == BetKind::Plein &&
                                                   std::find(pockets.begin(), pockets.end(),
                                                             box.slot.index) != pockets.end());
        if (lit) painter.drawRect(ToRect(box.rect).intersected(table).adjusted(1, 1, -1, -1));
    }
    // The chip a click would put down, where it would stand.
    const Cents chipValue = ledger_.chipValue();
    const TableRect r = ChipRect(*snap);
    painter.setOpacity(0.75);
    PaintChip(painter, QRectF(r.x, r.y, r.width, r.height),
              chipDenominations[static_cast<std::size_t>(ChipFace(chipValue))]);
    painter.restore();
}

void TablePicture::PaintTable(QPainter& painter) const {
    painter.fillRect(QRect(0, 0, tablePictureWidth, tablePictureHeight), clothGreen);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPen line(lineColour, 1.5);
    const QRectF outline(0, numberGridRect.y, tablePictureWidth,
                         tablePictureHeight - 2 * numberGridRect.y + 1);
    for (const TableBox& box : TablePictureBoxes(ledger_.kind())) {
        QRectF r = ToRect(box.rect);
        if (box.slot.kind == BetKind::Plein) {
            // The zero area reaches the picture's edges; its drawing keeps to the table's.
            r = r.intersected(outline);
            const Pocket p = box.slot.index;
            const bool zero = ColourOf(p) == PocketColour::Green;
            painter.setPen(line);
            painter.setBrush(zero ? QBrush(ToQColor(greenDisplay)) : QBrush(Qt::NoBrush));
            if (zero) {
                painter.drawPolygon(ZeroOutline(r));
            } else {
                painter.drawRect(r);
                // The number on a plate of its colour.
                painter.setPen(Qt::NoPen);
                painter.setBrush(ToQColor(DisplayColour(p)));
                painter.drawRoundedRect(r.adjusted(5, 7, -5, -7), 4, 4);
            }
            painter.setPen(Qt::white);
            painter.setFont(CaptionFont(zero ? 15 : 14));
            painter.drawText(zero ? r.adjusted(6, 0, 0, 0) : r, Qt::AlignCenter,
                             QString::fromStdString(PocketText(p)));
            continue;
        }
        painter.setPen(line);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r);
        if (box.slot.kind == BetKind::RougeNoir) {
            PaintDiamond(painter, r,
                         box.slot.index == 1 ? ToQColor(redDisplay) : ToQColor(blackDisplay));
            continue;
        }
        painter.setPen(lineColour);
        painter.setFont(CaptionFont(box.slot.kind == BetKind::Colonne ? 11 : 12));
        painter.drawText(r, Qt::AlignCenter, BoxCaption(box.slot));
    }
}

TablePicture::ChipShown TablePicture::ChipOf(BetSlot slot) const {
    const Cents stake = ledger_.stake(slot);
    if (stake <= 0) return {};
    return {ChipFace(stake), QString::fromStdString(ChipStakeText(stake))};
}

void TablePicture::PaintChips(QPainter& painter) const {
    // In the order they were put down: a later chip lies above an earlier one.
    for (BetSlot slot : ledger_.chips()) {
        const auto snap = SnapPoint(slot, ledger_.kind());
        if (!snap) continue;
        const ChipShown chip = ChipOf(slot);
        const TableRect r = ChipRect(*snap);
        PaintStakeOnChip(painter, QRectF(r.x, r.y, r.width, r.height),
                         chipDenominations[static_cast<std::size_t>(chip.face)], chip.stake);
    }
}

QString TablePicture::ToolTipAt(QPoint point) const {
    // Chips only: what the pointer would stake is said in the status bar.
    const auto slot = ledger_.ChipAt(point.x(), point.y());
    if (!slot) return {};
    return Labelled(QString::fromStdString(BetDescription(*slot, CurrentLanguageTable())),
                    AmountText(ledger_.stake(*slot)));
}

void TablePicture::mouseReleaseEvent(QMouseEvent* event) {
    MouseButton button = MouseButton::Middle;
    if (event->button() == Qt::LeftButton)
        button = MouseButton::Left;
    else if (event->button() == Qt::RightButton)
        button = MouseButton::Right;
    else if (event->button() != Qt::MiddleButton)
        return QWidget::mouseReleaseEvent(event);
    emit released(ToTable(event->position().toPoint()), button);
    event->accept();
}

void TablePicture::mouseMoveEvent(QMouseEvent* event) {
    HoverAt(ToTable(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void TablePicture::leaveEvent(QEvent* event) {
    SetHovered(std::nullopt);
    QWidget::leaveEvent(event);
}

bool TablePicture::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = ToolTipAt(ToTable(help->pos()));
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, this);
        }
        return true;
    }
    return QWidget::event(event);
}

}  // namespace spinalyst
