#include "ui/shell/logo.h"
#include "ui/common/look.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>

namespace spinalyst {

QPixmap NewDrawing(QSize size) {
    const qreal dpr = 2.0;
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap DrawLogo(QSize size) {
    QPixmap pixmap = NewDrawing(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // A wheel of alternating pockets at the left.
    const qreal r = size.height() / 2.0 - 4;
    const QPointF c(r + 4, size.height() / 2.0);
    for (int i = 0; i < 18; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(i == 0 ? ToQColor(greenDisplay)
                          : (i % 2 ? QColor(200, 0, 0) : QColor(20, 20, 20)));
        p.drawPie(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), i * 320, 320);
    }
    p.setBrush(paleYellow);
    p.drawEllipse(c, r * 0.45, r * 0.45);
    p.setBrush(clothGreen);
    p.drawEllipse(c, r * 0.15, r * 0.15);

    QFont font("DejaVu Serif");
    font.setBold(true);
    font.setItalic(true);
    const QRectF text(2 * r + 10, 0, size.width() - 2 * r - 12, size.height());
    // As large as the height allows, then narrowed until the name fits beside the wheel.
    int pixels = static_cast<int>(size.height() * 0.62);
    do {
        font.setPixelSize(pixels--);
    } while (pixels > 6 && QFontMetricsF(font).horizontalAdvance("Spinalyst") + 4 > text.width());
    p.setFont(font);
    p.setPen(QColor(0, 70, 30));
    p.drawText(text.translated(2, 2), Qt::AlignVCenter | Qt::AlignLeft, "Spinalyst");
    p.setPen(paleYellow);
    p.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, "Spinalyst");
    return pixmap;
}

}  // namespace spinalyst
