#include "ui/stats/tableau_page.h"

#include <QEvent>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <optional>

#include "core/stats/stats_csv.h"
#include "ui/common/texts.h"
#include "ui/stats/stats_grid.h"
#include "ui/stats/stats_tabs.h"
#include "ui/stats/tableau_model.h"

namespace spinalyst {

namespace {
// The header of each column: the caption stored with the form, replaced by the language
// text where there is one.
struct Header {
    const char* design;
    std::optional<TextId> text;
};
const std::array<Header, tableauColumnCount> headers = {{
    {"#", std::nullopt},
    {"R-N", TextId::RedBlackScore},
    {"P-I", TextId::OddEvenHeader},
    {"M-P", TextId::LowHighHeader},
    {"Douz.", TextId::DozenHeader},
    {"Col.", TextId::ColumnHeader},
    {"Sizain", TextId::FamilySixLine},
    {"Carré", TextId::CornerWord},
    {"Transv.", TextId::StreetWord},
    {"Chev.", TextId::SplitWord},
    {"Plein", TextId::StraightWord},
    {"Total", std::nullopt},
    {"Ecart", TextId::GapHeader},
    {"Voisins", TextId::Neighbours},
    {"Ratio", TextId::RatioHeader},
}};
}  // namespace

TableauPage::TableauPage(QWidget* parent) : StatsPage(parent) {
    model_ = new TableauModel(this);
    grid_ = NewStatsGrid(model_, TableauModel::sortRole, TabInfo(StatsTab::Tableau).grid,
                         static_cast<int>(TableauColumn::Gap), this);
    connect(grid_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            &TableauPage::FitColumns);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(grid_);

    QStringList captions;
    for (const Header& header : headers) captions << QString::fromUtf8(header.design);
    model_->SetHeaders(captions);
    FitColumns();
}

void TableauPage::ApplyCaptions() {
    QStringList captions;
    for (const Header& header : headers)
        captions << (header.text ? Text(*header.text) : QString::fromUtf8(header.design));
    model_->SetHeaders(captions);
    FitColumns();
}

void TableauPage::ShowStatistics(const StatsInput& input) {
    model_->SetTableau(input.window ? std::optional(ComputeTableau(input.kind, input.analysed))
                                    : std::nullopt);
    FitColumns();
}

std::string TableauPage::FiguresCsv(const StatsInput& input) const {
    return TableauCsv(input.kind, input.analysed);
}

void TableauPage::changeEvent(QEvent* event) {
    StatsPage::changeEvent(event);
    // The page takes the main window's font when it is put in place.
    if (event->type() == QEvent::FontChange) FitColumns();
}

void TableauPage::resizeEvent(QResizeEvent* event) {
    StatsPage::resizeEvent(event);
    FitColumns();
}

std::vector<int> TableauPage::NaturalWidths() const {
    QHeaderView* header = grid_->horizontalHeader();
    const QStyle* style = header->style();
    const int headerMargin = style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    // The margins an item view leaves on each side of a cell's text.
    const int cellMargin =
        2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid_) + 1) + 2;
    const QFontMetrics cellMetrics(grid_->font());
    std::vector<int> widths(tableauColumnCount);
    for (int c = 0; c < tableauColumnCount; ++c) {
        QStyleOptionHeader option;
        option.initFrom(header);
        option.section = c;
        option.text = model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        const QSize title = style->sizeFromContents(QStyle::CT_HeaderSection, &option, {}, header);
        int width = title.width();
        // Only the sorted column shows the arrow; the others need no room for it.
        if (c == header->sortIndicatorSection()) width += title.height() + headerMargin;
        // Short columns keep some air between their figures.
        width = std::max(width, cellMetrics.horizontalAdvance(QStringLiteral("0000")) + cellMargin);
        for (int r = 0; r < tableauRowCount; ++r)
            width = std::max(
                width,
                cellMetrics.horizontalAdvance(model_->index(r, c).data().toString()) + cellMargin);
        widths[static_cast<std::size_t>(c)] = width;
    }
    return widths;
}

void TableauPage::FitColumns() {
    // The figures of a long game run to seven digits in every column: rather than a scroll
    // bar, the grid's type steps down a quarter point at a time until every column shows, down
    // to three quarters of the page's own.
    const QFont base = font();
    const qreal smallest = base.pointSizeF() * 0.75;
    QFont cells = base;
    std::vector<int> widths;
    int used = 0;
    for (qreal size = base.pointSizeF();; size -= 0.25) {
        cells.setPointSizeF(size);
        QFont titles = cells;
        titles.setBold(true);
        if (grid_->font() != cells) grid_->setFont(cells);
        if (grid_->horizontalHeader()->font() != titles) grid_->horizontalHeader()->setFont(titles);
        widths = NaturalWidths();
        used = 0;
        for (int w : widths) used += w;
        if (used <= grid_->viewport()->width() || size - 0.25 < smallest) break;
    }
    // Room to spare widens every column a little, never so much that the figures drift apart.
    const int extra = std::clamp((grid_->viewport()->width() - used) / tableauColumnCount, 0, 12);
    QHeaderView* header = grid_->horizontalHeader();
    for (int c = 0; c < tableauColumnCount; ++c)
        header->resizeSection(c, widths[static_cast<std::size_t>(c)] + extra);
}

}  // namespace spinalyst
