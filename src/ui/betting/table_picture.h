#pragma once

#include <QWidget>

#include "core/betting/bet_ledger.h"

namespace spinalyst {

// The picture of the roulette table the bets are placed on, with the chips of the placed
// bets. It paints the ledger's state and reports where a mouse button was released; the
// layout and what a point stakes come from the core.
class TablePicture final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TablePicture)

public:
    explicit TablePicture(const BetLedger& ledger, QWidget* parent = nullptr);

    QSize sizeHint() const override;

    // What the chip of a slot shows: the denomination of its face (-1 without a chip) and the
    // stake on it.
    struct ChipShown {
        int face = -1;
        QString stake;
    };
    ChipShown ChipOf(BetSlot slot) const;
    // What hovering the point shows: the bet of the chip under it and its stake
    // ("Split 1-2: 3,00"), or nothing away from the chips.
    QString ToolTipAt(QPoint point) const;

signals:
    // A mouse button released over the picture, in its pixels.
    void released(QPoint point, MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void PaintTable(QPainter& painter) const;
    void PaintChips(QPainter& painter) const;

    const BetLedger& ledger_;
};

}  // namespace spinalyst
