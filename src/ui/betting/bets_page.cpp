#include "ui/betting/bets_page.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "core/betting/money.h"
#include "core/betting/table_areas.h"
#include "ui/betting/balance_chart_view.h"
#include "ui/betting/chip_selector.h"
#include "ui/betting/history_model.h"
#include "ui/betting/progression_box.h"
#include "ui/betting/table_picture.h"
#include "ui/common/cell_delegate.h"
#include "ui/common/format.h"
#include "ui/common/game_session.h"
#include "ui/common/look.h"
#include "ui/common/row_window_view.h"
#include "ui/common/spanning_header.h"
#include "ui/common/texts.h"

namespace spinalyst {

namespace {
constexpr int initialNeighbours = 2;
constexpr int historyRowHeight = 20;
// The widths of the history's columns; the bet's column takes what the page has left, and
// the amounts' columns grow when an amount needs it.
constexpr int historyWidths[] = {0, 60, 20, 20, 20, 220, 80, 80, 80};
constexpr int amountWidth = 80;
const QColor tableTrim(0, 96, 48);

// The draw and its pocket stay on white when their row is selected, so the pocket keeps its
// colour.
class UnselectedLookDelegate final : public CellDelegate {
public:
    using CellDelegate::CellDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        CellDelegate::initStyleOption(option, index);
        option->state &= ~QStyle::State_Selected;
    }
};
}  // namespace

BetsPage::BetsPage(GameSession* session, AppSettings* settings, QWidget* parent)
    : QWidget(parent), session_(session) {
    chart_ = new BalanceChartView(session_->ledger().history(), this);
    splitter_ = new QSplitter(Qt::Vertical, this);
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(BuildHistoryPanel());
    splitter_->addWidget(chart_);
    splitter_->setStretchFactor(0, 3);
    splitter_->setStretchFactor(1, 2);
    // Proportions: the history takes three fifths of the first layout too.
    splitter_->setSizes({3000, 2000});

    // The progression box stands beside the history and the chart: the table above fills the
    // page's width already.
    progressionBox_ = new ProgressionBox(session_, settings, this);
    progressionBox_->setFixedWidth(196);
    auto* lower = new QHBoxLayout;
    lower->setContentsMargins(0, 0, 0, 0);
    lower->setSpacing(4);
    lower->addWidget(splitter_, 1);
    lower->addWidget(progressionBox_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);
    layout->addWidget(BuildTablePanel());
    layout->addLayout(lower, 1);

    connect(picture_, &TablePicture::released, this, &BetsPage::OnPictureReleased);
    connect(chips_, &ChipSelector::chipChosen, this,
            [this](Cents value) { session_->SetChipValue(value); });
    connect(clearButton_, &QPushButton::clicked, session_, &GameSession::ClearBets);
    const auto showNeighbours = [this] { picture_->SetNeighbours(neighbours()); };
    connect(neighboursCheck_, &QCheckBox::toggled, this, showNeighbours);
    connect(neighboursEdit_, &QSpinBox::valueChanged, this, showNeighbours);
    connect(collapseButton_, &QPushButton::clicked, this, &BetsPage::ToggleHistoryRows);
    connect(session_, &GameSession::betsChanged, this, &BetsPage::ShowTable);
    connect(session_, &GameSession::planChanged, this, &BetsPage::ShowTable);
    connect(session_, &GameSession::drawsAdded, this, &BetsPage::OnHistoryChanged);
    connect(session_, &GameSession::drawUndone, this, &BetsPage::OnHistoryChanged);
    connect(session_, &GameSession::gameReset, this, &BetsPage::OnGameReset);
    connect(session_, &GameSession::gameReplaced, this, &BetsPage::OnGameReset);

    amountColumnWidth_ = amountWidth;
    ApplyCaptions();
}

QWidget* BetsPage::BuildTablePanel() {
    // The table, and beside it the chips, the neighbours option, the total and the clear
    // button, on a darker rim of cloth.
    auto* panel = new QWidget(this);
    panel->setObjectName("pnlTapis");
    panel->setFixedHeight(tablePictureHeight + 20);
    panel->setAutoFillBackground(true);
    QPalette rim = panel->palette();
    rim.setColor(QPalette::Window, tableTrim);
    rim.setColor(QPalette::WindowText, Qt::white);
    panel->setPalette(rim);
    picture_ = new TablePicture(session_->ledger(), panel);
    // The table itself at 8, 10; the chips on its top edge reach into the margin above it.
    picture_->move(8 - TablePicture::margin, 10 - TablePicture::margin);
    const int right = 8 + tablePictureWidth + 10;
    chips_ = new ChipSelector(panel);
    chips_->move(right, 6);
    chips_->ShowChosen(session_->ledger().chipValue());
    neighboursCheck_ = new QCheckBox(QStringLiteral("Voisins"), panel);
    neighboursCheck_->setObjectName("cbVoisins");
    neighboursCheck_->setGeometry(right, 126, 84, 20);
    neighboursEdit_ = new QSpinBox(panel);
    neighboursEdit_->setObjectName("seVoisins");
    neighboursEdit_->setRange(1, maxNeighbours);
    neighboursEdit_->setValue(initialNeighbours);
    neighboursEdit_->setGeometry(right + 86, 125, 56, 22);
    totalLabel_ = new QLabel(panel);
    totalLabel_->setObjectName("lbTotalStake");
    totalLabel_->setGeometry(right, 151, 150, 18);
    clearButton_ = new QPushButton(QStringLiteral("Clear bets"), panel);
    clearButton_->setObjectName("btClearBets");
    clearButton_->setGeometry(right, 177, 135, 25);
    panel->setMinimumWidth(right + 150);
    return panel;
}

QWidget* BetsPage::BuildHistoryPanel() {
    auto* table = new QTableView;
    table->setObjectName("sgHisto");
    auto* header = new SpanningHeader({{HistoryModel::RedColumn, 3}}, table);
    table->setHorizontalHeader(header);
    model_ = new HistoryModel(session_, this);
    historyView_ = new RowWindowView(model_, table, this);
    historyView_->scrollBar()->setObjectName("historyScrollBar");
    table->setFont(FaceAtPixels(13));
    table->verticalHeader()->setDefaultSectionSize(historyRowHeight);
    table->setWordWrap(false);
    table->setTextElideMode(Qt::ElideNone);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(0);
    header->setHighlightSections(false);
    header->setFont(BaseFont(true));
    for (int c = 0; c < HistoryModel::columnCount_; ++c) {
        table->setColumnHidden(c, historyWidths[c] == 0);
        if (historyWidths[c] > 0) table->setColumnWidth(c, historyWidths[c]);
    }
    header->setSectionResizeMode(HistoryModel::BetColumn, QHeaderView::Stretch);
    table->setItemDelegate(new CellDelegate(table));
    auto* unselected = new UnselectedLookDelegate(table);
    for (int c = HistoryModel::DrawColumn; c <= HistoryModel::BlackColumn; ++c)
        table->setItemDelegateForColumn(c, unselected);
    QPalette selection = table->palette();
    selection.setColor(QPalette::Highlight, QColor(200, 222, 244));
    selection.setColor(QPalette::HighlightedText, Qt::black);
    table->setPalette(selection);
    historyView_->setMinimumHeight(header->sizeHint().height() + 3 * historyRowHeight + 4);

    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(historyView_, 1);
    auto* strip = new QHBoxLayout;
    strip->setContentsMargins(0, 0, 0, 0);
    strip->addStretch(1);
    collapseButton_ = new QPushButton(QStringLiteral("Collapse"), panel);
    collapseButton_->setObjectName("btCollapse");
    collapseButton_->setFixedSize(109, 25);
    strip->addWidget(collapseButton_);
    layout->addLayout(strip);
    return panel;
}

QTableView* BetsPage::historyTable() const {
    return historyView_->table();
}

int BetsPage::neighbours() const {
    return neighboursCheck_->isChecked() ? neighboursEdit_->value() : 0;
}

void BetsPage::ApplyCaptions() {
    neighboursCheck_->setText(Text(TextId::Neighbours));
    clearButton_->setText(Text(TextId::ClearBets));
    chart_->SetTitle(Text(TextId::BalanceHeader));
    ShowCollapseCaption();
    model_->RetranslateTexts();
    progressionBox_->ApplyCaptions();
    // The boxes' captions change with the language.
    picture_->update();
    ShowTable();
}

void BetsPage::OnPictureReleased(QPoint point, MouseButton button) {
    const BetLedger& ledger = session_->ledger();
    const auto slot = ledger.SlotAt(point.x(), point.y());
    const bool capped =
        button == MouseButton::Left && slot && ledger.LeftClickPassesCap(*slot, neighbours());
    session_->ClickTable(point.x(), point.y(), button, neighbours());
    picture_->SayHovered(capped);
}

void BetsPage::FitColumns() {
    // The widest amount the history can show: the extreme balances, or what the bets in
    // force stake and can win. The columns never narrow within a game, so the amounts of
    // earlier bets, which were in force once, keep fitting too.
    const BetLedger& ledger = session_->ledger();
    const auto& wins = ledger.betList().winPerPocket;
    std::vector<Cents> amounts = {ledger.totalStake(), *std::max_element(wins.begin(), wins.end())};
    const BetHistory& history = ledger.history();
    if (!history.empty()) {
        const auto range = history.balanceRange(0, history.size());
        amounts.push_back(range.low);
        amounts.push_back(range.high);
    }
    QTableView* table = historyView_->table();
    const QFontMetrics metrics(table->font());
    const int margins = 2 * table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 6;
    int widest = amountColumnWidth_;
    for (Cents amount : amounts)
        widest = std::max(widest, metrics.horizontalAdvance(AmountText(amount) + "  ") + margins);
    if (widest != amountColumnWidth_) {
        amountColumnWidth_ = widest;
        for (int c = HistoryModel::StakeColumn; c <= HistoryModel::BalanceColumn; ++c)
            table->setColumnWidth(c, widest);
    }
    // The draw numbers too: a game of ten million draws numbers its rows with eight digits.
    const int drawWidth =
        std::max(historyWidths[HistoryModel::DrawColumn],
                 metrics.horizontalAdvance(QString::number(session_->drawCount())) + margins);
    if (drawWidth > table->columnWidth(HistoryModel::DrawColumn))
        table->setColumnWidth(HistoryModel::DrawColumn, drawWidth);
}

void BetsPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_) OnHistoryChanged();
}

void BetsPage::ShowTable() {
    // The total and the clear button are kept even while hidden: they say what the table
    // holds, at the cost of a line.
    const BetLedger& ledger = session_->ledger();
    totalLabel_->setText(Labelled(Text(TextId::TotalStaked), AmountText(ledger.totalStake())));
    // A plan's chips are its own while its session runs.
    clearButton_->setEnabled(!ledger.planHoldsTable());
    if (!isVisible()) {
        stale_ = true;
        return;
    }
    picture_->ShowLedger();
    FitColumns();
    chart_->SetTitle(Labelled(Text(TextId::BalanceHeader), AmountText(ledger.balance())));
    progressionBox_->ShowState();
}

void BetsPage::OnHistoryChanged() {
    // A plan may have moved its chips with the draw.
    ShowTable();
    if (!isVisible()) return;
    stale_ = false;
    historyView_->ShowFirstRows();
    chart_->Refresh();
}

void BetsPage::OnGameReset() {
    // The model has started afresh by itself; the collapsed state stays as the user left it.
    amountColumnWidth_ = amountWidth;
    for (int c = HistoryModel::StakeColumn; c <= HistoryModel::BalanceColumn; ++c)
        historyView_->table()->setColumnWidth(c, amountWidth);
    historyView_->table()->setColumnWidth(HistoryModel::DrawColumn,
                                          historyWidths[HistoryModel::DrawColumn]);
    OnHistoryChanged();
}

void BetsPage::ToggleHistoryRows() {
    model_->SetCollapsed(!model_->collapsed());
    ShowCollapseCaption();
    historyView_->ShowFirstRows();
}

void BetsPage::ShowCollapseCaption() {
    collapseButton_->setText(Text(model_->collapsed() ? TextId::Expand : TextId::Collapse));
}

}  // namespace spinalyst
