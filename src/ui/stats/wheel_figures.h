#pragma once

#include <QObject>

class QEvent;
class QWidget;
#include <QString>
#include <optional>

#include "core/stats/wheel_stats.h"
#include "ui/common/stats_page.h"

namespace spinalyst {

// The wheel's figures of the last refresh, shared by the Wheel and Table pages: the refresh of
// whichever shows computes them once, and both show them.
// Answers a tooltip event with the tip of the place under the pointer, or with none where the
// tip is empty.
void ShowPlaceTip(QWidget* widget, QEvent* event, const QString& tip);

class WheelFigures final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WheelFigures)

public:
    using QObject::QObject;

    RouletteKind kind() const { return kind_; }
    // Null from a new game until its first refresh.
    const WheelStats* stats() const { return stats_ ? &*stats_ : nullptr; }
    std::int32_t Hits(Pocket p) const;
    // The lightest grey for every pocket until the first refresh.
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

private:
    RouletteKind kind_ = defaultKind;
    std::optional<WheelStats> stats_;
};

}  // namespace spinalyst
