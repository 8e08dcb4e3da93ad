#include "ui/stats/stats_area.h"

#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/stats/analysis_window.h"
#include "core/stats/stats_csv.h"
#include "ui/common/game_session.h"
#include "ui/common/stats_page.h"
#include "ui/common/texts.h"
#include "ui/stats/analysis_panel.h"

namespace spinalyst {

StatsArea::StatsArea(GameSession* session, Settings settings, QWidget* parent)
    : QWidget(parent), session_(session) {
    analysisPanel_ = new AnalysisPanel(session, std::move(settings), this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("pcStats");
    // Every caption shows at the design width, in both languages, without scroll arrows: a
    // compact bold face and narrow padding leave room for thirteen tabs.
    QTabBar* bar = tabs_->tabBar();
    QFont tabFont = bar->font();
    tabFont.setBold(true);
    tabFont.setPixelSize(10);
    bar->setFont(tabFont);
    bar->setUsesScrollButtons(false);
    bar->setExpanding(false);
    bar->setElideMode(Qt::ElideNone);
    bar->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 3px 4px; margin-right: 1px; border: 1px solid #a8a8a8;"
        " border-bottom: none; border-top-left-radius: 3px; border-top-right-radius: 3px;"
        " background: #e2e2e2; }"
        "QTabBar::tab:selected { background: white; }"
        "QTabBar::tab:!selected { margin-top: 2px; }"));
    for (const StatsTabInfo& info : statsTabs) {
        auto* empty = new QWidget(tabs_);
        empty->setObjectName(info.name);
        tabs_->addTab(empty, QString::fromUtf8(info.designCaption));
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(analysisPanel_);
    layout->addWidget(tabs_, 1);

    connect(analysisPanel_, &AnalysisPanel::refreshRequested, this, &StatsArea::RefreshStatistics);
    connect(tabs_, &QTabWidget::currentChanged, this, &StatsArea::RefreshStatistics);
    connect(session_, &GameSession::drawsAdded, this, [this] {
        analysisPanel_->SetRangeEnd(session_->drawCount());
        RefreshStatistics();
    });
    connect(session_, &GameSession::drawUndone, this, &StatsArea::RefreshStatistics);
    connect(session_, &GameSession::gameReset, this, &StatsArea::OnNewGame);
    connect(session_, &GameSession::gameReplaced, this, [this] {
        OnNewGame();
        analysisPanel_->SetRangeEnd(session_->drawCount());
        RefreshStatistics();
    });
}

void StatsArea::OnNewGame() {
    analysisPanel_->FollowNewGame();
    analysed_ = {};
    for (StatsPage* page : pages_)
        if (page) page->OnNewGame(session_->kind());
}

void StatsArea::SetPage(StatsTab tab, StatsPage* page) {
    const int index = static_cast<int>(tab);
    const StatsTabInfo& info = TabInfo(tab);
    const QString caption = tabs_->tabText(index);
    const QSignalBlocker blocker(tabs_);
    const int current = tabs_->currentIndex();
    QWidget* old = tabs_->widget(index);
    tabs_->removeTab(index);
    delete old;
    page->setObjectName(info.name);
    tabs_->insertTab(index, page, caption);
    tabs_->setCurrentIndex(current);
    pages_[static_cast<std::size_t>(index)] = page;
}

void StatsArea::ApplyCaptions() {
    for (int i = 0; i < statsTabCount; ++i) {
        tabs_->setTabText(i, Text(statsTabs[static_cast<std::size_t>(i)].caption));
        if (StatsPage* page = pages_[static_cast<std::size_t>(i)]) page->ApplyCaptions();
    }
    analysisPanel_->ApplyCaptions();
}

void StatsArea::RefreshStatistics() {
    const Game& game = session_->game();
    if (game.batchInProgress()) return;
    const auto croupierIndex = [this](std::string_view name) {
        return session_->croupiers().CroupierIndex(name);
    };
    const auto resolved =
        ResolveAnalysisWindow(analysisPanel_->Controls(), game.log(), game.kind(), croupierIndex);
    // The pages keep what they showed; the view of the log must not outlive its draws.
    if (!resolved) {
        analysed_ = {};
        return;
    }
    analysed_ = SelectAnalysedDraws(game.log(), game.kind(), resolved->window, analysedBuffer_);
    if (StatsPage* page = pages_[static_cast<std::size_t>(tabs_->currentIndex())])
        page->ShowStatistics(
            {game.kind(), analysed_, &game.log(), resolved->window, &session_->croupiers()});
    const int analysedCount = static_cast<int>(analysed_.size());
    analysisPanel_->ShowRefreshResult(resolved->loweredRangeStart, analysedCount);
    emit statisticsRefreshed(analysedCount);
}

std::optional<std::string> StatsArea::ShowingFiguresCsv() {
    const auto tab = static_cast<StatsTab>(tabs_->currentIndex());
    const bool isFamily = tab >= StatsTab::FirstFamily && tab < StatsTab::Tableau;
    if (tab != StatsTab::Cylindre && tab != StatsTab::Tableau && !isFamily) return std::nullopt;
    const Game& game = session_->game();
    const auto resolved = ResolveAnalysisWindow(
        analysisPanel_->Controls(), game.log(), game.kind(),
        [this](std::string_view name) { return session_->croupiers().CroupierIndex(name); });
    std::vector<std::uint8_t> buffer;
    std::span<const std::uint8_t> analysed;
    if (resolved) analysed = SelectAnalysedDraws(game.log(), game.kind(), resolved->window, buffer);
    if (tab == StatsTab::Tableau) return TableauCsv(game.kind(), analysed);
    if (isFamily) {
        const auto family = static_cast<StatFamily>(static_cast<int>(tab) -
                                                    static_cast<int>(StatsTab::FirstFamily));
        return FamilyStatsCsv(family, game.kind(), analysed);
    }
    std::string csv;
    for (WheelTable table :
         {WheelTable::Distances, WheelTable::Repeats, WheelTable::Sectors, WheelTable::Shades}) {
        if (!csv.empty()) csv += '\n';
        csv += WheelTableCsv(table, game.kind(), analysed);
    }
    return csv;
}

}  // namespace spinalyst
