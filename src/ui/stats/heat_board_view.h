#pragma once

#include <QWidget>

#include "core/stats/heat_boards.h"

namespace spinalyst {

class WheelFigures;

// One board of the table heat view: its squares, each on the grey of its pocket's shade.
class HeatBoardView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HeatBoardView)

public:
    explicit HeatBoardView(const WheelFigures* figures, QWidget* parent = nullptr);

    // Takes the board's name, place, size and squares.
    void SetBoard(HeatBoard board);
    const HeatBoard& board() const { return board_; }
    // Empty where the board gives no hint: off the squares, or on a board without hints.
    QString TipAt(QPoint point) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    const WheelFigures* figures_;
    HeatBoard board_;
};

}  // namespace spinalyst
