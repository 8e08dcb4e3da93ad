#include "ui/stats/wheel_page.h"

#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QSplitter>
#include <QTableView>

#include "core/model/wheel.h"
#include "core/stats/stats_csv.h"
#include "ui/common/spanning_header.h"
#include "ui/common/texts.h"
#include "ui/stats/heat_legend.h"
#include "ui/stats/stats_grid.h"
#include "ui/stats/wheel_drawing.h"
#include "ui/stats/wheel_figures.h"
#include "ui/stats/wheel_grid_model.h"

namespace spinalyst {

namespace {

constexpr int sectorKeyColumns = 5;

// The header of a wheel grid: its captions on two lines, each cell spanning both, and the
// neighbourhood's five columns of sgSecteurs under one caption.
QTableView* NewWheelGrid(WheelGridModel* model, const char* name, Qt::SortOrder order, bool sectors,
                         QWidget* parent) {
    std::vector<SpanningHeader::Span> spans;
    if (sectors) spans.push_back({0, sectorKeyColumns});
    auto* header = new SpanningHeader(std::move(spans));
    QTableView* grid = NewStatsGrid(model, WheelGridModel::sortRole, name, 0, parent);
    // The spanning header takes the place, and the bold face, of the grid's own.
    const QFont bold = grid->horizontalHeader()->font();
    grid->setHorizontalHeader(header);
    header->setFont(bold);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignCenter | Qt::Alignment(Qt::TextWordWrap));
    header->setTextElideMode(Qt::ElideNone);
    header->setFixedHeight(2 * QFontMetrics(bold).lineSpacing() + 8);
    grid->sortByColumn(0, order);
    grid->setTextElideMode(Qt::ElideNone);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    return grid;
}

}  // namespace

WheelPage::WheelPage(WheelFigures* figures, QWidget* parent)
    : StatsPage(parent), figures_(figures) {
    wheel_ = new WheelDrawing(figures, this);
    distanceModel_ = new WheelGridModel({.blankZeros = true}, this);
    repeatModel_ = new WheelGridModel({}, this);
    sectorModel_ = new WheelGridModel(
        {.keyColumns = sectorKeyColumns, .pocketKeys = true, .pocketColumn = 2}, this);
    // The largest distance first, the shortest interval first, the neighbourhoods by the
    // first of their pockets.
    distanceGrid_ = NewWheelGrid(distanceModel_, "sgCyl", Qt::DescendingOrder, false, this);
    repeatGrid_ = NewWheelGrid(repeatModel_, "sgEcarts", Qt::AscendingOrder, false, this);
    sectorGrid_ = NewWheelGrid(sectorModel_, "sgSecteurs", Qt::AscendingOrder, true, this);

    for (QTableView* grid : {distanceGrid_, repeatGrid_}) {
        grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    }
    QHeaderView* sectorHeader = sectorGrid_->horizontalHeader();
    sectorHeader->setMinimumSectionSize(0);
    const int keyWidths[sectorKeyColumns] = {22, 22, 24, 22, 22};
    for (int c = 0; c < sectorKeyColumns; ++c) {
        sectorHeader->setSectionResizeMode(c, QHeaderView::Fixed);
        sectorHeader->resizeSection(c, keyWidths[c]);
    }
    for (int c = sectorKeyColumns; c < sectorKeyColumns + 3; ++c)
        sectorHeader->setSectionResizeMode(c, QHeaderView::Stretch);

    auto* right = new QSplitter(Qt::Vertical, this);
    right->setChildrenCollapsible(false);
    right->addWidget(sectorGrid_);
    right->addWidget(repeatGrid_);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);
    layout->addWidget(wheel_, 0, 0);
    layout->addWidget(new HeatLegend(figures, this), 0, 1);
    layout->addWidget(distanceGrid_, 1, 0, 1, 2);
    layout->addWidget(right, 0, 2, 2, 1);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(1, 1);

    connect(figures_, &WheelFigures::changed, this, &WheelPage::Fill);
    SetCaptions("Distance", "Intervalle", "Secteur", "Nombre de sorties", "Ecart actuel",
                "Ecart maximum");
    Fill();
}

void WheelPage::SetCaptions(const QString& distance, const QString& interval, const QString& sector,
                            const QString& hits, const QString& current, const QString& longest) {
    distanceModel_->SetHeaders({distance, hits, current, longest});
    repeatModel_->SetHeaders({interval, hits, current, longest});
    sectorModel_->SetHeaders({sector, {}, {}, {}, {}, hits, current, longest});
    FitKeyColumns();
}

void WheelPage::FitKeyColumns() {
    // The key as wide as its caption and sort arrow with some air, the figures sharing the rest.
    for (QTableView* grid : {distanceGrid_, repeatGrid_}) {
        QHeaderView* header = grid->horizontalHeader();
        header->resizeSection(0, header->sectionSizeHint(0) + 10);
    }
}

void WheelPage::changeEvent(QEvent* event) {
    StatsPage::changeEvent(event);
    // The page takes the main window's font when it is put in place.
    if (event->type() == QEvent::FontChange) FitKeyColumns();
}

void WheelPage::ApplyCaptions() {
    SetCaptions(Text(TextId::WheelDistanceHeader), Text(TextId::RepeatIntervalHeader),
                Text(TextId::FamilySector), Text(TextId::HitsHeader),
                Text(TextId::CurrentGapHeader), Text(TextId::LongestGapHeader));
}

void WheelPage::ShowStatistics(const StatsInput& input) {
    figures_->Show(input);
}

std::string WheelPage::FiguresCsv(const StatsInput& input) const {
    std::string csv;
    for (WheelTable table :
         {WheelTable::Distances, WheelTable::Repeats, WheelTable::Sectors, WheelTable::Shades}) {
        if (!csv.empty()) csv += '\n';
        csv +=
            WheelTableCsv(table, input.kind, input.analysed, figures_->scale(), input.directions);
    }
    return csv;
}

void WheelPage::Fill() {
    const RouletteKind kind = figures_->kind();
    const WheelStats* stats = figures_->stats();
    const int n = pocketCount(kind);

    std::vector<WheelGridModel::Row> rows;
    rows.reserve(static_cast<std::size_t>(n));
    for (int d = 0; d < n; ++d) {
        WheelGridModel::Row row{d, {d}, std::nullopt};
        if (stats) row.figures = stats->distanceStats[static_cast<std::size_t>(d)];
        rows.push_back(row);
    }
    distanceModel_->SetRows(std::move(rows));

    rows.clear();
    if (stats) {
        for (const RepeatStats& r : stats->repeatStats)
            rows.push_back({r.interval, {r.gap()}, r.stats});
    } else {
        // Until the first refresh the intervals' grid shows the distances' keys.
        for (int k = 0; k < n; ++k) rows.push_back({k + 1, {k}, std::nullopt});
    }
    repeatModel_->SetRows(std::move(rows));

    rows.clear();
    for (Pocket q = firstPocket(kind); q <= lastPocket(kind); ++q) {
        WheelGridModel::Row row{q, {}, std::nullopt};
        const std::array<Pocket, 5> around = wheelNeighbourhood(kind, q);
        std::copy(around.begin(), around.end(), row.keys.begin());
        if (stats)
            row.figures =
                stats->neighbourhoodStats[static_cast<std::size_t>(q - firstPocket(kind))].stats;
        rows.push_back(row);
    }
    sectorModel_->SetRows(std::move(rows));
}

}  // namespace spinalyst
