#include "draws/draws_panel.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/game_session.h"
#include "draws/draws_grid.h"
#include "draws/draws_model.h"
#include "draws/spanning_header.h"

namespace spinalyst {

DrawsPanel::DrawsPanel(GameSession* session, QWidget* parent) : QWidget(parent) {
    model_ = new DrawsModel(session, this);
    sgDraws = new QTableView(this);
    sgDraws->setObjectName("sgDraws");
    std::vector<SpanningHeader::Span> spans;
    for (const HeaderSpan& s : drawsHeaderSpans) spans.push_back({s.first, s.count});
    auto* header = new SpanningHeader(std::move(spans), sgDraws);
    sgDraws->setHorizontalHeader(header);
    sgDraws->setModel(model_);
    sgDraws->setFixedWidth(303);
    sgDraws->verticalHeader()->hide();
    sgDraws->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sgDraws->verticalHeader()->setDefaultSectionSize(20);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(0);
    header->setDefaultSectionSize(20);
    header->setHighlightSections(false);
    QFont headerFont("Tahoma");
    headerFont.setPointSize(8);
    headerFont.setBold(true);
    header->setFont(headerFont);
    // Ten points of a narrow face: in pixels, so the time and two-digit pockets fit their
    // columns whatever face stands in for it.
    QFont cellFont("Tahoma");
    cellFont.setPixelSize(11);
    sgDraws->setFont(cellFont);
    sgDraws->setTextElideMode(Qt::ElideNone);
    sgDraws->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgDraws->setSelectionMode(QAbstractItemView::SingleSelection);
    sgDraws->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgDraws->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sgDraws->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sgDraws->setWordWrap(false);
    QPalette pal = sgDraws->palette();
    pal.setColor(QPalette::Highlight, pal.color(QPalette::Button));
    pal.setColor(QPalette::HighlightedText, pal.color(QPalette::ButtonText));
    sgDraws->setPalette(pal);

    auto* strip = new QWidget(this);
    strip->setFixedSize(321, 40);
    auto addButton = [&](QPushButton*& b, const char* name, const char* caption, int left) {
        b = new QPushButton(QString::fromLatin1(caption), strip);
        b->setObjectName(name);
        b->setGeometry(left, 9, 70, 25);
    };
    addButton(btFirst, "btFirst", "|<", 12);
    addButton(btPrior, "btPrior", "<", 88);
    addButton(btNext, "btNext", ">", 164);
    addButton(btLast, "btLast", ">|", 241);
    connect(btFirst, &QPushButton::clicked, this, [this] { GoToPage(1); });
    connect(btPrior, &QPushButton::clicked, this, [this] { GoToPage(drawsPage_ - 1); });
    connect(btNext, &QPushButton::clicked, this, [this] { GoToPage(drawsPage_ + 1); });
    connect(btLast, &QPushButton::clicked, this, [this] { GoToPage(3); });

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(9, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(sgDraws, 1);
    column->addWidget(strip);
    column->setAlignment(strip, Qt::AlignLeft);

    // A new game shows the first page's columns but keeps the page number.
    connect(session, &GameSession::gameReset, this, [this] { ShowPageWidths(1); });
    ShowPageWidths(1);
}

void DrawsPanel::GoToPage(int page) {
    drawsPage_ = std::clamp(page, 1, 3);
    SetDrawsPage();
}

void DrawsPanel::SetDrawsPage() {
    ShowPageWidths(drawsPage_);
}

void DrawsPanel::ShowPageWidths(int page) {
    const auto widths = DrawsPageWidths(page);
    for (int c = 0; c < drawsGridColumns; ++c) {
        sgDraws->setColumnHidden(c, widths[c] == 0);
        if (widths[c] > 0) sgDraws->setColumnWidth(c, widths[c]);
    }
}

}  // namespace spinalyst
