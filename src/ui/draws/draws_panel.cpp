#include "ui/draws/draws_panel.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "core/draws/draws_grid.h"
#include "ui/common/cell_delegate.h"
#include "ui/common/game_session.h"
#include "ui/common/look.h"
#include "ui/common/row_window_view.h"
#include "ui/common/spanning_header.h"
#include "ui/draws/draws_model.h"

namespace spinalyst {

DrawsPanel::DrawsPanel(GameSession* session, QWidget* parent) : QWidget(parent) {
    model_ = new DrawsModel(session, this);
    drawsView_ = new QTableView(this);
    drawsView_->setObjectName("sgDraws");
    std::vector<SpanningHeader::Span> spans;
    for (const HeaderSpan& s : drawsHeaderSpans) spans.push_back({s.first, s.count});
    auto* header = new SpanningHeader(std::move(spans), drawsView_);
    drawsView_->setHorizontalHeader(header);
    drawsView_->verticalHeader()->setDefaultSectionSize(20);
    // However long the game, the table holds a record only for the rows in sight.
    auto* rows = new RowWindowView(model_, drawsView_, this);
    rows->setFixedWidth(303);
    rows->SetScrollBarBesideRows(true);
    rows->scrollBar()->setObjectName("drawsScrollBar");
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(0);
    header->setDefaultSectionSize(20);
    header->setHighlightSections(false);
    header->setFont(BaseFont(true));
    // Ten points of a narrow face: in pixels, so the time and two-digit pockets fit their
    // columns whatever face stands in for it.
    drawsView_->setFont(FaceAtPixels(11));
    drawsView_->setTextElideMode(Qt::ElideNone);
    drawsView_->setItemDelegate(new CellDelegate(drawsView_));
    // Times and pockets are sized to fit their columns and never elided; a long croupier or
    // wheel name keeps its start.
    drawsView_->setItemDelegateForColumn(1, new ElidingCellDelegate(drawsView_));
    drawsView_->setItemDelegateForColumn(18, new ElidingCellDelegate(drawsView_));
    drawsView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    drawsView_->setWordWrap(false);
    QPalette pal = drawsView_->palette();
    pal.setColor(QPalette::Highlight, pal.color(QPalette::Button));
    pal.setColor(QPalette::HighlightedText, pal.color(QPalette::ButtonText));
    drawsView_->setPalette(pal);

    auto* strip = new QWidget(this);
    strip->setFixedSize(321, 40);
    auto addButton = [&](QPushButton*& b, const char* name, const char* caption, int left) {
        b = new QPushButton(QString::fromLatin1(caption), strip);
        b->setObjectName(name);
        b->setGeometry(left, 9, 70, 25);
    };
    addButton(firstPageButton_, "btFirst", "|<", 12);
    addButton(priorPageButton_, "btPrior", "<", 88);
    addButton(nextPageButton_, "btNext", ">", 164);
    addButton(lastPageButton_, "btLast", ">|", 241);
    connect(firstPageButton_, &QPushButton::clicked, this, [this] { GoToPage(1); });
    connect(priorPageButton_, &QPushButton::clicked, this, [this] { GoToPage(drawsPage_ - 1); });
    connect(nextPageButton_, &QPushButton::clicked, this, [this] { GoToPage(drawsPage_ + 1); });
    connect(lastPageButton_, &QPushButton::clicked, this, [this] { GoToPage(drawsPageCount); });

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(9, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(rows, 1);
    column->addWidget(strip);
    column->setAlignment(strip, Qt::AlignLeft);

    // A new game shows the first page's columns but keeps the page number.
    connect(session, &GameSession::gameReset, this, [this] { ShowPageWidths(1); });
    connect(session, &GameSession::gameReplaced, this, [this] { ShowPageWidths(1); });
    ShowPageWidths(1);
}

void DrawsPanel::GoToPage(int page) {
    drawsPage_ = std::clamp(page, 1, drawsPageCount);
    ShowPageWidths(drawsPage_);
}

void DrawsPanel::ShowPageWidths(int page) {
    const auto widths = DrawsPageWidths(page);
    for (int c = 0; c < drawsGridColumns; ++c) {
        drawsView_->setColumnHidden(c, widths[c] == 0);
        if (widths[c] > 0) drawsView_->setColumnWidth(c, widths[c]);
    }
}

}  // namespace spinalyst
