#pragma once

#include <QChartView>

class QLineSeries;
class QValueAxis;

namespace spinalyst {

class BetHistory;

// The balance after each settled draw, as a line. However long the game, the line has a few
// points per pixel column; it is worked out only while the chart shows.
class BalanceChartView final : public QChartView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BalanceChartView)

public:
    explicit BalanceChartView(const BetHistory& history, QWidget* parent = nullptr);

    void SetTitle(const QString& title);
    // The history changed: redraws now if the chart shows, else when it next shows.
    void Refresh();

    QLineSeries* line() const { return line_; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Redraw();

    const BetHistory& history_;
    QLineSeries* line_ = nullptr;
    QValueAxis* balanceAxis_ = nullptr;
    QValueAxis* drawsAxis_ = nullptr;
    bool stale_ = true;
};

}  // namespace spinalyst
