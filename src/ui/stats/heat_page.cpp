#include "ui/stats/heat_page.h"

#include <QHBoxLayout>

#include "core/stats/heat_boards.h"
#include "core/stats/stats_csv.h"
#include "ui/stats/heat_board_view.h"
#include "ui/stats/heat_legend.h"
#include "ui/stats/wheel_figures.h"

namespace spinalyst {

HeatPage::HeatPage(WheelFigures* figures, QWidget* parent) : StatsPage(parent), figures_(figures) {
    boardArea_ = new QWidget(this);
    boardArea_->setObjectName("Panel5");
    for (int b = 0; b < heatBoardCount; ++b)
        boards_.push_back(new HeatBoardView(figures, boardArea_));
    BuildBoards(figures->kind());
    QRect extent;
    for (const HeatBoardView* board : boards_) extent |= board->geometry();
    // The legend stands close to the boards' right edge, in the room the page has beside them.
    boardArea_->setFixedSize(extent.right() + 1 + 2, extent.bottom() + 1 + extent.top());
    auto* legend = new HeatLegend(figures, this);
    legend->setFixedHeight(extent.bottom() + 1 - extent.top());
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(boardArea_, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(legend, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addStretch(1);
    connect(figures, &WheelFigures::kindChanged, this, &HeatPage::BuildBoards);
}

void HeatPage::BuildBoards(RouletteKind kind) {
    std::vector<HeatBoard> boards = HeatBoards(kind);
    for (std::size_t b = 0; b < boards.size(); ++b) boards_[b]->SetBoard(std::move(boards[b]));
}

void HeatPage::ShowStatistics(const StatsInput& input) {
    figures_->Show(input);
}

std::string HeatPage::FiguresCsv(const StatsInput& input) const {
    return WheelTableCsv(WheelTable::Shades, input.kind, input.analysed, figures_->scale());
}

}  // namespace spinalyst
