#pragma once

#include <vector>

#include "ui/common/stats_page.h"

namespace spinalyst {

class HeatBoardView;
class WheelFigures;

// The table heat view: twelve boards that arrange the pockets differently (the table four
// ways, the wheel cut four ways, four fixed squares), every square on the grey of its
// pocket's hits, so hot and cold groups show under several groupings at once.
class HeatPage final : public StatsPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HeatPage)

public:
    explicit HeatPage(WheelFigures* figures, QWidget* parent = nullptr);

    void ShowStatistics(const StatsInput& input) override;
    // pocket,hits,shade: what every square shows.
    bool exportsFigures() const override { return true; }
    std::string FiguresCsv(const StatsInput& input) const override;

    const std::vector<HeatBoardView*>& boards() const { return boards_; }

private:
    void BuildBoards(RouletteKind kind);

    WheelFigures* figures_;
    QWidget* boardArea_ = nullptr;
    std::vector<HeatBoardView*> boards_;
};

}  // namespace spinalyst
