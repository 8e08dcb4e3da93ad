#include "ui/stats/stats_area.h"

#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/common/game_session.h"
#include "ui/common/stats_page.h"
#include "ui/common/texts.h"
#include "ui/stats/analysis_panel.h"
#include "ui/stats/analysis_settings.h"

namespace spinalyst {

StatsArea::StatsArea(GameSession* session, AppSettings* settings, QWidget* parent)
    : QWidget(parent), session_(session) {
    analysisSettings_ = new AnalysisSettings(session, settings, this);
    analysisPanel_ = new AnalysisPanel(analysisSettings_, session, this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("pcStats");
    // Every caption shows at the design width, in both languages, without scroll arrows: a
    // compact bold face, narrow padding and tabs side by side leave room for fourteen tabs.
    QTabBar* bar = tabs_->tabBar();
    QFont tabFont = bar->font();
    tabFont.setBold(true);
    tabFont.setPixelSize(10);
    bar->setFont(tabFont);
    bar->setUsesScrollButtons(false);
    bar->setExpanding(false);
    bar->setElideMode(Qt::ElideNone);
    bar->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 3px 2px; margin-right: 0px; border: 1px solid #a8a8a8;"
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

    connect(analysisSettings_, &AnalysisSettings::changed, this, &StatsArea::RefreshStatistics);
    connect(tabs_, &QTabWidget::currentChanged, this, [this] {
        RefreshStatistics();
        emit pageChanged();
    });
}

void StatsArea::SetPage(StatsTab tab, QWidget* page) {
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
    pages_[static_cast<std::size_t>(index)] = qobject_cast<StatsPage*>(page);
}

void StatsArea::ApplyCaptions() {
    for (int i = 0; i < statsTabCount; ++i) {
        tabs_->setTabText(i, Text(statsTabs[static_cast<std::size_t>(i)].caption));
        if (StatsPage* page = pages_[static_cast<std::size_t>(i)]) page->ApplyCaptions();
    }
    analysisPanel_->ApplyCaptions();
}

StatsPage* StatsArea::ShowingPage() const {
    const int index = tabs_->currentIndex();
    return index >= 0 ? pages_[static_cast<std::size_t>(index)] : nullptr;
}

StatsInput StatsArea::Input() const {
    const AnalysisSelection& selection = analysisSettings_->selection();
    const Game& game = session_->game();
    return {game.kind(),      selection.analysed,     selection.directions, &game.log(),
            selection.window, &session_->croupiers(), selection.step};
}

std::span<const std::uint8_t> StatsArea::analysedDraws() const {
    return analysisSettings_->selection().analysed;
}

void StatsArea::RefreshStatistics() {
    if (session_->batchInProgress()) return;
    const StatsInput input = Input();
    if (!input.window) {
        // A game without draws: every page shows its empty state, seen or not, so that no
        // figure of the last game is left anywhere.
        for (StatsPage* page : pages_)
            if (page) page->ShowStatistics(input);
    } else if (StatsPage* page = ShowingPage()) {
        page->ShowStatistics(input);
    }
    emit statisticsRefreshed(analysisSettings_->analysedCount());
}

bool StatsArea::ShowingPageExports() const {
    const StatsPage* page = ShowingPage();
    return page && page->exportsFigures();
}

std::optional<std::string> StatsArea::ShowingFiguresCsv() const {
    if (!ShowingPageExports()) return std::nullopt;
    return ShowingPage()->FiguresCsv(Input());
}

}  // namespace spinalyst
