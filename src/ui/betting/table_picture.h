#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "core/betting/bet_ledger.h"

namespace spinalyst {

// The picture of the roulette table the bets are placed on, with the chips of the placed
// bets. It paints the ledger's state and reports where a mouse button was released; the
// layout and what a point stakes come from the core. As the pointer moves it shows where a
// click would stake: the place, the chip it would put there and the pockets the bet covers,
// named in the status bar. A margin round the table leaves room for the chips on its edges.
class TablePicture final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TablePicture)

public:
    static constexpr int margin = 10;

    explicit TablePicture(const BetLedger& ledger, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // Where a point of the table lies in the widget, and back.
    static QPoint FromTable(QPoint point) { return point + QPoint(margin, margin); }
    static QPoint ToTable(QPoint point) { return point - QPoint(margin, margin); }

    // The straight-up bets a click there also stakes on the wheel's neighbours (0: none).
    void SetNeighbours(int neighbours);

    // What the chip of a slot shows: the denomination of its face (-1 without a chip) and the
    // stake on it.
    struct ChipShown {
        int face = -1;
        QString stake;
    };
    ChipShown ChipOf(BetSlot slot) const;
    // What hovering a point of the table shows: the bet of the chip under it and its stake
    // ("Split 1-2: 3,00"), or nothing away from the chips.
    QString ToolTipAt(QPoint point) const;

    // The slot a click at the pointer would stake, and the pockets that click covers.
    std::optional<BetSlot> hovered() const { return hovered_; }
    std::vector<Pocket> HoveredPockets() const;
    // Follows the pointer to a point of the table, as a mouse move does.
    void HoverAt(QPoint point);
    // Says in the status bar what the click just made of the hovered bet; also how it
    // ended at the limit of a stake when `capped`.
    void SayHovered(bool capped = false);
    // Repaints the picture when what it shows of the ledger changed (the chips, their stakes,
    // the kind, the chip a click puts down); a draw that moved no chip costs no repaint.
    void ShowLedger();

signals:
    // A mouse button released over the picture, in the table's pixels.
    void released(QPoint point, MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void PaintTable(QPainter& painter) const;
    void PaintHover(QPainter& painter) const;
    void PaintChips(QPainter& painter) const;
    void SetHovered(std::optional<BetSlot> slot);

    // What the picture shows of the ledger, as ShowLedger last found it.
    struct Shown {
        RouletteKind kind = RouletteKind::French;
        Cents chipValue = 0;
        std::vector<std::pair<BetSlot, Cents>> stakes;
        friend bool operator==(const Shown&, const Shown&) = default;
    };
    Shown Showing() const;

    const BetLedger& ledger_;
    Shown shown_;
    std::optional<BetSlot> hovered_;
    int neighbours_ = 0;
};

}  // namespace spinalyst
