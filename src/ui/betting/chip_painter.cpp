#include "ui/betting/chip_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <QtMath>
#include <algorithm>

#include "ui/common/look.h"

namespace spinalyst {

namespace {

QColor InkOf(const ChipDenomination& chip) {
    return chip.ink == CaptionInk::Cream ? ToQColor(creamInk) : QColor(Qt::black);
}

QRectF Square(const QRectF& rect) {
    const qreal side = std::min(rect.width(), rect.height());
    QRectF square(0, 0, side, side);
    square.moveCenter(rect.center());
    return square;
}

// The largest pixel size, up to `maxPixels`, at which the text fits the width.
QFont FittedFont(const QString& text, qreal width, int maxPixels, bool bold) {
    QFont font = FaceAtPixels(maxPixels, bold);
    for (int pixels = maxPixels; pixels > 6; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetricsF(font).horizontalAdvance(text) <= width) break;
    }
    return font;
}

}  // namespace

void PaintChip(QPainter& painter, const QRectF& rect, const ChipDenomination& chip,
               const QString& caption) {
    const QRectF disc = Square(rect).adjusted(0.5, 0.5, -1.5, -1.5);
    const qreal radius = disc.width() / 2;
    const QColor face = ToQColor(chip.face);
    const QColor stripes = ToQColor(chip.stripes);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawEllipse(disc.translated(1, 1));
    painter.setBrush(face);
    painter.setPen(QPen(face.darker(160), 1));
    painter.drawEllipse(disc);

    // Eight stripes round the edge, as on a casino chip.
    const qreal edge = std::max<qreal>(2, radius * 0.28);
    const QRectF rim =
        disc.adjusted(edge / 2 + 0.5, edge / 2 + 0.5, -edge / 2 - 0.5, -edge / 2 - 0.5);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(stripes, edge, Qt::SolidLine, Qt::FlatCap));
    for (int k = 0; k < 8; ++k) painter.drawArc(rim, (k * 45 + 10) * 16, 24 * 16);

    const qreal inlay = radius * 0.64;
    const QPointF centre = disc.center();
    painter.setPen(QPen(stripes, 0.8));
    painter.setBrush(face.lighter(112));
    painter.drawEllipse(centre, inlay, inlay);

    const QString text =
        caption.isEmpty() ? QString::fromLatin1(chip.caption.data(), chip.caption.size()) : caption;
    const QFont font = FittedFont(text, inlay * 2 + 2, std::max(7, qRound(radius * 0.7)), true);
    painter.setFont(font);
    painter.setPen(InkOf(chip));
    painter.drawText(disc, Qt::AlignCenter | Qt::TextDontClip, text);
    painter.restore();
}

void PaintStakeOnChip(QPainter& painter, const QRectF& rect, const ChipDenomination& chip,
                      const QString& stake) {
    PaintChip(painter, rect, chip, QStringLiteral(" "));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // The tag stays about as wide as the chip.
    const QFont font = FittedFont(stake, Square(rect).width() + 1, 9, true);
    const QFontMetricsF metrics(font);
    // A tag over the chip's lower half, as a stack of chips carries its count.
    const qreal width = metrics.horizontalAdvance(stake) + 5;
    const qreal height = metrics.height() + 1;
    const QPointF centre = Square(rect).center() + QPointF(0, 4);
    const QRectF tag(centre.x() - width / 2, centre.y() - height / 2, width, height);
    painter.setPen(QPen(ToQColor(chip.stripes).darker(130), 0.8));
    painter.setBrush(QColor(255, 255, 250, 235));
    painter.drawRoundedRect(tag, 3, 3);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(tag, Qt::AlignCenter, stake);
    painter.restore();
}

}  // namespace spinalyst
