#include "ui/stats/wheel_drawing.h"

#include <QHelpEvent>
#include <QPainter>

#include "core/stats/heat_boards.h"
#include "ui/common/look.h"
#include "ui/stats/wheel_figures.h"

namespace spinalyst {

namespace {
QRectF Box(const WheelCircle& c) {
    return {double(c.centreX - c.radius), double(c.centreY - c.radius), 2.0 * c.radius,
            2.0 * c.radius};
}
int Sixteenths(double degrees) {
    return qRound(degrees * 16);
}
}  // namespace

WheelDrawing::WheelDrawing(const WheelFigures* figures, QWidget* parent)
    : QWidget(parent), figures_(figures), wheel_(BuildWheelGeometry(figures->kind())) {
    setObjectName("pnlCyl");
    setFixedSize(wheelPanelWidth, wheelPanelHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(figures, &WheelFigures::kindChanged, this, [this](RouletteKind kind) {
        wheel_ = BuildWheelGeometry(kind);
        overlay_ = QPixmap();
        update();
    });
    connect(figures, &WheelFigures::changed, this, qOverload<>(&QWidget::update));
}

QString WheelDrawing::TipAt(QPointF point) const {
    const std::optional<Pocket> p = WheelPocketAt(wheel_, point.x(), point.y());
    return p ? figures_->PocketTip(*p) : QString();
}

bool WheelDrawing::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        ShowPlaceTip(this, event, TipAt(static_cast<QHelpEvent*>(event)->pos()));
        return true;
    }
    return QWidget::event(event);
}

void WheelDrawing::changeEvent(QEvent* event) {
    // The numbers' font and the hub's colour come from the widget's.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::StyleChange)
        overlay_ = QPixmap();
    QWidget::changeEvent(event);
}

void WheelDrawing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(wheelPanelColour));
    // Only the slices' shades follow the draws: they are filled plainly, and the outlines,
    // the hub and the numbers, the same at every draw, are laid over them from a picture
    // drawn once. Their smoothed outlines hide the fills' stepped edges.
    painter.translate(0.5, 0.5);
    painter.setPen(Qt::NoPen);
    const QRectF disc = Box(wheel_.disc);
    for (const WheelSlice& slice : wheel_.slices) {
        painter.setBrush(ToQColor(HeatGrey(figures_->Shade(slice.pocket))));
        painter.drawPie(disc, Sixteenths(slice.pie.startDegrees),
                        Sixteenths(slice.pie.spanDegrees));
    }
    painter.resetTransform();
    const qreal ratio = devicePixelRatioF();
    if (overlay_.isNull() || overlay_.devicePixelRatio() != ratio) overlay_ = PaintOverlay(ratio);
    painter.drawPixmap(0, 0, overlay_);
}

QPixmap WheelDrawing::PaintOverlay(qreal ratio) const {
    QPixmap overlay(size() * ratio);
    overlay.setDevicePixelRatio(ratio);
    overlay.fill(Qt::transparent);
    QPainter painter(&overlay);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    // Outlines of one pixel fall on whole pixels rather than across two.
    painter.translate(0.5, 0.5);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    const QRectF disc = Box(wheel_.disc);
    for (const WheelSlice& slice : wheel_.slices)
        painter.drawPie(disc, Sixteenths(slice.pie.startDegrees),
                        Sixteenths(slice.pie.spanDegrees));
    painter.setBrush(palette().color(QPalette::Button));
    painter.drawEllipse(Box(wheel_.hub));
    // Each number on a disc of its pocket's colour, as on a wheel.
    for (const WheelLabel& label : wheel_.labels) {
        painter.setBrush(ToQColor(WheelLabelLookOf(label.pocket).disc));
        painter.drawEllipse(Box(label.ring));
    }

    QFont small = font();
    small.setPointSize(sectorTextPointSize);
    small.setBold(false);
    painter.setFont(small);
    painter.setBrush(ToQColor(sectorMarkColour));
    for (const WheelPie& mark : wheel_.sectorMarks)
        painter.drawPie(Box(wheel_.hub), Sixteenths(mark.startDegrees),
                        Sixteenths(mark.spanDegrees));
    for (const WheelText& text : wheel_.sectorTexts)
        painter.drawText(QRect(text.left, text.top, 200, 50), Qt::AlignLeft | Qt::AlignTop,
                         QString::fromUtf8(text.text.data(), qsizetype(text.text.size())));

    QFont bold = font();
    bold.setPointSize(wheelLabelPointSize);
    bold.setBold(true);
    painter.setFont(bold);
    for (const WheelLabel& label : wheel_.labels) {
        painter.setPen(ToQColor(WheelLabelLookOf(label.pocket).ink));
        // The number reads centred on its disc.
        painter.drawText(Box(label.ring), Qt::AlignCenter,
                         QString::fromStdString(PocketText(label.pocket)));
    }
    return overlay;
}

}  // namespace spinalyst
