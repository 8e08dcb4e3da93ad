#include "ui/stats/heat_board_view.h"

#include <QHelpEvent>
#include <QPainter>

#include "ui/common/look.h"
#include "ui/stats/wheel_figures.h"

namespace spinalyst {

namespace {
// The squares' bold face, narrowed where its two digits would touch the frame.
QFont NumberFont(QFont font) {
    font.setPointSize(heatSquarePointSize);
    font.setBold(true);
    const int room = heatSquareSize - 2 * int(heatFrameWidth) - 1;
    const int wide = QFontMetrics(font).horizontalAdvance(QStringLiteral("00"));
    if (wide > room) font.setStretch(100 * room / wide);
    return font;
}
}  // namespace

HeatBoardView::HeatBoardView(const WheelFigures* figures, QWidget* parent)
    : QWidget(parent), figures_(figures) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(figures, &WheelFigures::changed, this, qOverload<>(&QWidget::update));
}

void HeatBoardView::SetBoard(HeatBoard board) {
    board_ = std::move(board);
    setObjectName(QString::fromUtf8(board_.name.data(), qsizetype(board_.name.size())));
    setGeometry(board_.left, board_.top, board_.width, board_.height);
    update();
}

QString HeatBoardView::TipAt(QPoint point) const {
    if (!board_.hints) return {};
    const std::optional<Pocket> p = HeatSquareAt(board_, point.x(), point.y());
    return p ? figures_->PocketTip(*p) : QString();
}

bool HeatBoardView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        ShowPlaceTip(this, event, TipAt(static_cast<QHelpEvent*>(event)->pos()));
        return true;
    }
    return QWidget::event(event);
}

void HeatBoardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.fillRect(rect(), ToQColor(heatBoardColour));
    painter.setFont(NumberFont(font()));
    for (const HeatSquare& square : board_.squares) {
        const HeatSquareLook look = HeatSquareLookOf(square.pocket, figures_->Shade(square.pocket));
        const QRect box(square.left, square.top, heatSquareSize, heatSquareSize);
        painter.fillRect(box, ToQColor(look.square));
        painter.setPen(QPen(ToQColor(look.frame), heatFrameWidth));
        painter.setBrush(Qt::NoBrush);
        const qreal inset = heatFrameWidth / 2.0;
        painter.drawRoundedRect(QRectF(box).adjusted(inset, inset, -inset, -inset), 4, 4);
        painter.setPen(ToQColor(look.ink));
        painter.drawText(box, Qt::AlignCenter, QString::fromStdString(PocketText(square.pocket)));
    }
}

}  // namespace spinalyst
