#include "stats/stats_area.h"

#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/game_session.h"
#include "app/texts.h"
#include "stats/analysis_panel.h"
#include "stats/analysis_window.h"
#include "stats/stats_page.h"

namespace spinalyst {

namespace {
struct TabInfo {
    const char* name;
    const char* designCaption;
    TextId caption;
};
constexpr std::array<TabInfo, statsTabCount> tabInfo = {{
    {"tsCylindre", "Cylindre", TextId::WheelTab},
    {"tsTapis", "Tapis", TextId::TableTab},
    {"tsSimples", "Ch. simples", TextId::SimplesTab},
    {"tsDzsCols", "Dz/Col", TextId::DzsColsTab},
    {"tsSizains", "Sizains", TextId::SizainsTab},
    {"tsTransversales", "Transv.", TextId::TransversalesTab},
    {"tsFinales", "Finales", TextId::FinalesTab},
    {"tsCarres", "Carrés", TextId::CarresTab},
    {"tsChevaux", "Chevaux", TextId::ChevauxTab},
    {"tsPleins", "Pleins", TextId::PleinsTab},
    {"tsTableau", "Tableau", TextId::TableauTab},
    {"tsMises", "Mises", TextId::BetsTab},
}};
}  // namespace

StatsArea::StatsArea(GameSession* session, Settings settings, QWidget* parent)
    : QWidget(parent), session_(session) {
    pnlPeriode1 = new AnalysisPanel(session, std::move(settings), this);
    pcStats = new QTabWidget(this);
    pcStats->setObjectName("pcStats");
    QFont tabFont = pcStats->tabBar()->font();
    tabFont.setBold(true);
    pcStats->tabBar()->setFont(tabFont);
    for (const TabInfo& info : tabInfo) {
        auto* empty = new QWidget(pcStats);
        empty->setObjectName(info.name);
        pcStats->addTab(empty, QString::fromUtf8(info.designCaption));
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pnlPeriode1);
    layout->addWidget(pcStats, 1);

    connect(pnlPeriode1, &AnalysisPanel::refreshRequested, this, &StatsArea::RefreshStatistics);
    connect(pcStats, &QTabWidget::currentChanged, this, &StatsArea::RefreshStatistics);
    connect(session_, &GameSession::drawsAdded, this, [this] {
        pnlPeriode1->SetRangeEnd(session_->drawCount());
        RefreshStatistics();
    });
    connect(session_, &GameSession::drawUndone, this, &StatsArea::RefreshStatistics);
    // A new game shows every page empty, for its kind, until the first draw.
    connect(session_, &GameSession::gameReset, this, [this] {
        for (StatsPage* page : pages_)
            if (page) page->ShowStatistics({session_->kind(), {}});
    });
}

void StatsArea::SetPage(StatsTab tab, StatsPage* page) {
    const int index = static_cast<int>(tab);
    const TabInfo& info = tabInfo[static_cast<std::size_t>(index)];
    const QString caption = pcStats->tabText(index);
    const QSignalBlocker blocker(pcStats);
    const int current = pcStats->currentIndex();
    QWidget* old = pcStats->widget(index);
    pcStats->removeTab(index);
    delete old;
    page->setObjectName(info.name);
    pcStats->insertTab(index, page, caption);
    pcStats->setCurrentIndex(current);
    pages_[static_cast<std::size_t>(index)] = page;
}

void StatsArea::ApplyCaptions() {
    for (int i = 0; i < statsTabCount; ++i) {
        pcStats->setTabText(i, Text(tabInfo[static_cast<std::size_t>(i)].caption));
        if (StatsPage* page = pages_[static_cast<std::size_t>(i)]) page->ApplyCaptions();
    }
    pnlPeriode1->ApplyCaptions();
}

void StatsArea::RefreshStatistics() {
    const Game& game = session_->game();
    if (game.batchInProgress()) return;
    const auto croupierIndex = [this](std::string_view name) {
        return session_->croupiers().CroupierIndex(name);
    };
    const auto resolved =
        ResolveAnalysisWindow(pnlPeriode1->Controls(), game.log(), game.kind(), croupierIndex);
    if (!resolved) return;
    SelectAnalysedDraws(game.log(), game.kind(), resolved->window, analysedDraws_);
    if (StatsPage* page = pages_[static_cast<std::size_t>(pcStats->currentIndex())])
        page->ShowStatistics({game.kind(), analysedDraws_});
    pnlPeriode1->ShowRefreshResult(resolved->loweredStart1,
                                   static_cast<int>(analysedDraws_.size()));
    emit statisticsRefreshed(static_cast<int>(analysedDraws_.size()));
}

}  // namespace spinalyst
