#include "ui/stats/wheel_figures.h"

#include <QHelpEvent>
#include <QToolTip>

#include "ui/common/app_settings.h"
#include "ui/common/format.h"
#include "ui/common/texts.h"

namespace spinalyst {

void ShowPlaceTip(QWidget* widget, QEvent* event, const QString& tip) {
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return;
    }
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, widget);
}

WheelFigures::WheelFigures(AppSettings* settings, QObject* parent)
    : QObject(parent), settings_(settings), scale_(settings->heatScale()) {
    connect(settings_, &AppSettings::heatScaleChanged, this, [this](HeatScale scale) {
        scale_ = scale;
        emit scaleChanged(scale_);
        emit changed();
    });
}

void WheelFigures::SetScale(HeatScale scale) {
    settings_->SetHeatScale(scale);
}

std::int32_t WheelFigures::Hits(Pocket p) const {
    if (!stats_ || p < 0 || p >= maxPocketCount) return 0;
    return stats_->pocketHits[static_cast<std::size_t>(p)];
}

int WheelFigures::Shade(Pocket p) const {
    if (!stats_) return scale_ == HeatScale::Deviation ? expectedShade : lightestShade;
    return HeatShade(*stats_, p, scale_);
}

QString WheelFigures::PocketTip(Pocket p) const {
    QString tip = Text(TextId::TypedPocket) + " " + QString::fromStdString(PocketText(p)) + "\n" +
                  Labelled(Text(TextId::HitsHeader), QString::number(Hits(p))) + "\n";
    if (scale_ == HeatScale::Deviation && stats_) {
        const double z = HitsZ(Hits(p), stats_->analysedCount, pocketCount(kind_));
        tip += Labelled(Text(TextId::DeviationTip), DecimalText(z, 2)) + "\n";
    }
    return tip + Labelled(Text(TextId::ShadeTip),
                          QString::number(Shade(p)) + " / " + QString::number(lightestShade));
}

void WheelFigures::Show(const StatsInput& input) {
    const bool newKind = input.kind != kind_;
    const bool empty = !input.window;
    if (empty && !newKind && !stats_) return;
    kind_ = input.kind;
    if (empty)
        stats_.reset();
    else
        stats_ = tally_.Follow(input.kind, input.analysed, input.step, input.directions).Figures();
    if (newKind) emit kindChanged(kind_);
    emit changed();
}

}  // namespace spinalyst
