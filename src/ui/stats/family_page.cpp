#include "ui/stats/family_page.h"

#include <QChartView>
#include <QEvent>
#include <QHeaderView>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "core/stats/slot_stats.h"
#include "core/stats/stats_csv.h"
#include "ui/common/texts.h"
#include "ui/stats/family_stats_model.h"
#include "ui/stats/stats_charts.h"
#include "ui/stats/stats_grid.h"
#include "ui/stats/stats_tabs.h"

namespace spinalyst {

namespace {
bool TwoLineLabels(StatFamily family) {
    return family == StatFamily::Carres || family == StatFamily::Chevaux;
}
}  // namespace

FamilyPage::FamilyPage(StatFamily family, QWidget* parent) : StatsPage(parent), family_(family) {
    const StatsTabInfo& names = FamilyTabInfo(family);
    model_ = new FamilyStatsModel(this);
    grid_ = NewStatsGrid(model_, FamilyStatsModel::sortRole, names.grid, 0, this);
    grid_->horizontalHeader()->setDefaultSectionSize(125);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);

    charts_ = std::make_unique<StatsCharts>(this, names.hitsChart, names.waitsChart);
    if (TwoLineLabels(family)) charts_->SetLabelAreaHeight(25);

    auto* outer = new QSplitter(Qt::Vertical, this);
    outer->setChildrenCollapsible(false);
    outer->addWidget(grid_);
    lower_ = new QSplitter(Qt::Vertical, outer);
    lower_->setObjectName("lowerPanel");
    lower_->setChildrenCollapsible(false);
    lower_->addWidget(charts_->hitsView());
    lower_->addWidget(charts_->waitsView());
    outer->addWidget(lower_);
    // On the long families the charts share the lower panel evenly, whatever its size.
    if (family == StatFamily::Carres || family == StatFamily::Chevaux ||
        family == StatFamily::Pleins) {
        lower_->installEventFilter(this);
        model_->SetLabelsCentred(true);
    }
    outer->setStretchFactor(0, 1);
    outer->setStretchFactor(1, 3);
    // However short the window, the grid keeps eight rows in sight; the charts give way.
    grid_->setMinimumHeight(grid_->horizontalHeader()->sizeHint().height() + 8 * 18 +
                            2 * grid_->frameWidth());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(outer);

    ApplyCaptions();
    ShowStatistics({defaultKind, {}});
}

FamilyPage::~FamilyPage() = default;

void FamilyPage::ApplyCaptions() {
    model_->SetHeaders({Text(FamilyTabInfo(family_).caption), Text(TextId::HitsHeader),
                        Text(TextId::CurrentGapHeader), Text(TextId::LongestGapHeader),
                        Text(TextId::RepeatsHeader)});
    charts_->SetTitles(Text(TextId::HitsHeader), Text(TextId::CurrentGapHeader));
    // Some grid labels are language texts: build them again at the next run.
    labelsKind_.reset();
}

void FamilyPage::PrepareLabels(RouletteKind kind) {
    labelsKind_ = kind;
    gridLabels_.clear();
    chartLabels_.clear();
    chartOrder_ = ChartPointOrder(family_, kind);
    const std::vector<StatSlot> familySlots = FamilySlots(family_, kind);
    for (int s : chartOrder_)
        // Axis labels are rich text: a line break there is <br>.
        chartLabels_ << QString::fromStdString(familySlots[static_cast<std::size_t>(s)].chartLabel)
                            .replace('\r', "<br>");
    if (family_ == StatFamily::Simples) {
        for (TextId id :
             {TextId::Red, TextId::Black, TextId::Even, TextId::Odd, TextId::Low, TextId::High})
            gridLabels_ << Text(id);
    } else if (family_ == StatFamily::DzsCols) {
        for (int i = 1; i <= 3; ++i)
            gridLabels_ << Text(TextId::FamilyColumn) + " " + QString::number(i);
        for (int i = 1; i <= 3; ++i)
            gridLabels_ << Text(TextId::FamilyDozen) + " " + QString::number(i);
    } else {
        for (const StatSlot& slot : familySlots)
            gridLabels_ << QString::fromStdString(slot.gridLabel);
    }
}

void FamilyPage::ShowStatistics(const StatsInput& input) {
    if (labelsKind_ != input.kind) PrepareLabels(input.kind);
    std::vector<SlotStats> stats = ComputeFamilyStats(family_, input.kind, input.analysed);
    std::vector<int> hits, current, longest;
    for (int s : chartOrder_) {
        const SlotStats& slot = stats[static_cast<std::size_t>(s)];
        hits.push_back(slot.hits);
        current.push_back(slot.sinceLast);
        longest.push_back(slot.maxGap);
    }
    charts_->SetPoints(chartLabels_, hits, current, longest, HitsAxisScale(stats),
                       WaitsAxisScale(stats));
    model_->SetSlots(gridLabels_, std::move(stats));
}

std::string FamilyPage::FiguresCsv(const StatsInput& input) const {
    return FamilyStatsCsv(family_, input.kind, input.analysed);
}

void FamilyPage::HalveLowerPanel() {
    const int height = lower_->height();
    lower_->setSizes({height / 2, height - height / 2});
}

bool FamilyPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lower_ && event->type() == QEvent::Resize) HalveLowerPanel();
    return StatsPage::eventFilter(watched, event);
}

}  // namespace spinalyst
