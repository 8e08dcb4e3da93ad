#pragma once

#include <QObject>

class QEvent;
class QWidget;
#include <QString>
#include <optional>

#include "core/stats/running_tally.h"
#include "core/stats/wheel_stats.h"
#include "ui/common/stats_page.h"

namespace spinalyst {

class AppSettings;

// The wheel's figures of the last refresh, shared by the Wheel and Table pages: the refresh of
// whichever shows computes them once, and both show them.
// Answers a tooltip event with the tip of the place under the pointer, or with none where the
// tip is empty.
void ShowPlaceTip(QWidget* widget, QEvent* event, const QString& tip);

class WheelFigures final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WheelFigures)

public:
    // Shades in the scale the settings keep, and follows it when it changes.
    explicit WheelFigures(AppSettings* settings, QObject* parent = nullptr);

    RouletteKind kind() const { return kind_; }
    HeatScale scale() const { return scale_; }
    // Shades in `scale` from now on and keeps the choice in the settings.
    void SetScale(HeatScale scale);
    // Null from a new game until its first refresh.
    const WheelStats* stats() const { return stats_ ? &*stats_ : nullptr; }
    std::int32_t Hits(Pocket p) const;
    // Until the first refresh every pocket is the lightest grey, or mid grey by deviation.
    int Shade(Pocket p) const;
    // What a pointer resting on a pocket's slice, label or square is told.
    QString PocketTip(Pocket p) const;

    // The figures of the input; none for a game without draws, where every pocket is the
    // lightest grey and the grids are blank. Only the first of several calls for an empty
    // game announces it.
    void Show(const StatsInput& input);

signals:
    // Comes before `changed` when a game of another kind starts: the views lay themselves out
    // for it.
    void kindChanged(RouletteKind kind);
    void changed();
    void scaleChanged(HeatScale scale);

private:
    AppSettings* settings_;
    RouletteKind kind_ = defaultKind;
    HeatScale scale_ = defaultHeatScale;
    std::optional<WheelStats> stats_;
    RunningTally<WheelTally> tally_;
};

}  // namespace spinalyst
