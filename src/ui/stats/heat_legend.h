#pragma once

#include <QMenu>
#include <QWidget>

namespace spinalyst {

class WheelFigures;

// What the greys of the heat views mean in the scale they are drawn in: a bar from black at
// the top to light grey at the bottom, beside it what each end stands for (by spread with the
// hits it stands at), and by deviation the standard deviations along it. A right click offers
// the scales.
class HeatLegend final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HeatLegend)

public:
    explicit HeatLegend(WheelFigures* figures, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The words at the dark and the light end, and the marks along the bar, top first.
    QString darkText() const;
    QString lightText() const;
    QStringList marks() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    WheelFigures* figures_;
};

// The choice of the heat scale as a submenu of `parent`: one item per scale, the one in use
// checked. Its texts follow the language each time `parent` opens.
class HeatScaleMenu final : public QMenu {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HeatScaleMenu)

public:
    HeatScaleMenu(WheelFigures* figures, QMenu* parent);
};

}  // namespace spinalyst
