#include "ui/stats/fairness_page.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>
#include <thread>

#include "core/draws/croupier_table.h"
#include "core/stats/fairness_summary.h"
#include "core/stats/stats_csv.h"
#include "ui/common/game_session.h"
#include "ui/common/look.h"
#include "ui/common/texts.h"
#include "ui/stats/fairness_chart.h"
#include "ui/stats/fairness_model.h"
#include "ui/stats/fairness_texts.h"
#include "ui/stats/freeze_panel.h"
#include "ui/stats/play_texts.h"
#include "ui/stats/power_plan_model.h"
#include "ui/stats/stats_grid.h"
#include "ui/stats/stats_tabs.h"

namespace spinalyst {

// One simulation of fair games for the sector scan.
struct FairnessPage::ScanRun {
    ScanRun(RouletteKind k, int draws, int games) : kind(k), drawCount(draws), simulations(games) {}
    const RouletteKind kind;
    const int drawCount;
    const int simulations;
    std::atomic<int> done{0};
    // Last, so that the thread is stopped and joined before the rest goes.
    std::jthread thread;
};

namespace {
const QColor evidenceColour(192, 0, 0);
const QColor fairColour = ToQColor(greenDisplay);
}  // namespace

FairnessPage::FairnessPage(GameSession* session, int simulations, QWidget* parent)
    : StatsPage(parent), session_(session), simulations_(std::max(simulations, 1)) {
    verdict_ = new QLabel(this);
    verdict_->setObjectName("lbVerdict");
    verdict_->setWordWrap(true);
    verdict_->setTextFormat(Qt::PlainText);
    QFont headline = verdict_->font();
    headline.setBold(true);
    headline.setPixelSize(14);
    verdict_->setFont(headline);
    details_ = new QLabel(this);
    details_->setObjectName("lbVerdictDetails");
    details_->setWordWrap(true);
    details_->setTextFormat(Qt::PlainText);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("pbSectorScan");
    progress_->setFixedWidth(200);
    QSizePolicy keepRoom = progress_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    progress_->setSizePolicy(keepRoom);
    progress_->hide();
    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(100);
    connect(progressTimer_, &QTimer::timeout, this, &FairnessPage::ShowProgress);

    model_ = new FairnessModel(this);
    const StatsTabInfo& names = TabInfo(StatsTab::Fairness);
    grid_ = NewStatsGrid(model_, FairnessModel::sortRole, names.grid, 0, this);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grid_->horizontalHeader()->setSectionResizeMode(static_cast<int>(FairnessColumn::Subject),
                                                    QHeaderView::Stretch);
    chart_ = new FairnessChart(this);
    chart_->setObjectName(names.hitsChart);

    playLine_ = new QLabel(this);
    playLine_->setObjectName("lbPlayLine");
    playLine_->setWordWrap(true);
    playLine_->setTextFormat(Qt::PlainText);
    planModel_ = new PowerPlanModel(this);
    planGrid_ = new QTableView(this);
    planGrid_->setObjectName("sgPowerPlan");
    planGrid_->setModel(planModel_);
    planGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    planGrid_->setSelectionMode(QAbstractItemView::NoSelection);
    planGrid_->verticalHeader()->setDefaultSectionSize(18);
    planGrid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    planGrid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    planGrid_->horizontalHeader()->setStretchLastSection(true);
    // As tall as its rows, the room below going to the freeze.
    planGrid_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    planGrid_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    freezePanel_ = new FreezePanel(session_, this);
    playNote_ = new QLabel(this);
    playNote_->setObjectName("lbPlayNote");
    playNote_->setWordWrap(true);
    if (session_) {
        connect(session_, &GameSession::freezeChanged, this, [this] {
            ConfirmFreeze();
            ShowPlay();
        });
    }

    auto* top = new QHBoxLayout;
    top->addWidget(verdict_, 1);
    top->addWidget(progress_, 0, Qt::AlignTop);
    innerTabs_ = new QTabWidget(this);
    innerTabs_->setObjectName("tcFairness");
    innerTabs_->setDocumentMode(true);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setChildrenCollapsible(false);
    split->addWidget(grid_);
    split->addWidget(chart_);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    split->setSizes({200, 220});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 2);
    auto* play = new QWidget(this);
    auto* playLayout = new QVBoxLayout(play);
    playLayout->setContentsMargins(0, 4, 0, 0);
    playLayout->addWidget(planGrid_);
    playLayout->addWidget(freezePanel_);
    playLayout->addWidget(playNote_);
    playLayout->addStretch(1);
    distanceNote_ = new QLabel(this);
    distanceNote_->setObjectName("lbDistanceWay");
    distanceNote_->setWordWrap(true);
    distanceNote_->setTextFormat(Qt::PlainText);
    auto* tests = new QWidget(this);
    auto* testsLayout = new QVBoxLayout(tests);
    testsLayout->setContentsMargins(0, 0, 0, 0);
    testsLayout->setSpacing(2);
    testsLayout->addWidget(split, 1);
    testsLayout->addWidget(distanceNote_);
    innerTabs_->addTab(tests, QString());
    innerTabs_->addTab(play, QString());
    layout->addLayout(top);
    layout->addWidget(details_);
    layout->addWidget(playLine_);
    layout->addWidget(innerTabs_, 1);

    ApplyCaptions();
    ShowStatistics({defaultKind, {}});
}

FairnessPage::~FairnessPage() {
    // The workers post to this page: they are all gone before it is.
    StopScan();
    stopping_.clear();
}

void FairnessPage::SetSimulations(int simulations) {
    simulations_ = std::max(simulations, 1);
}

void FairnessPage::ApplyCaptions() {
    model_->ApplyCaptions();
    chart_->ApplyCaptions();
    progress_->setFormat(Text(TextId::SectorScanProgress));
    innerTabs_->setTabText(0, Text(TextId::FairnessTestsTab));
    innerTabs_->setTabText(1, Text(TextId::FairnessPlayTab));
    playNote_->setText(Text(TextId::PlayNote));
    distanceNote_->setText(Text(TextId::DistancesInBallDirection));
    planModel_->ApplyCaptions();
    freezePanel_->ApplyCaptions();
    ShowReport();
    ShowPlay();
}

void FairnessPage::ShowStatistics(const StatsInput& input) {
    report_ = input.log ? FairnessOfAnalysed(*input.log, input.kind, input.window, input.analysed,
                                             input.directions)
                        : ComputeFairness({input.kind, input.analysed, {}, input.directions});
    log_ = input.log;
    window_ = input.window;
    plan_ = PlanPower(report_);
    ConfirmFreeze();
    croupierNames_.clear();
    if (input.croupiers)
        for (const DealerTest& d : report_.dealers)
            if (const auto name = input.croupiers->CroupierName(d.croupier))
                croupierNames_.insert(d.croupier, QString::fromStdString(*name));
    // A simulation depends only on the kind and the number of draws: the last one often
    // serves again (another filter with as many draws, the page shown again).
    if (null_ && null_->simulations() == simulations_) ApplySectorNull(report_, *null_);
    if (report_.sectors.empty() || report_.bestSector)
        StopScan();
    else
        StartScan();
    ShowReport();
    ShowPlay();
}

void FairnessPage::ConfirmFreeze() {
    confirmation_.reset();
    const auto& freeze = session_ ? session_->game().freeze() : std::nullopt;
    if (!freeze) return;
    confirmation_ = log_ ? spinalyst::ConfirmFreeze(*log_, report_.kind, window_, *freeze)
                         : Confirm(report_.kind, freeze->pockets, {});
}

void FairnessPage::ShowPlay() {
    const std::optional<FrozenSet> freeze =
        session_ && confirmation_ ? session_->game().freeze() : std::nullopt;
    planModel_->SetPlan(plan_);
    freezePanel_->Show(report_.kind, plan_, freeze, confirmation_);
    const QString line = PlayLine(plan_, freeze, confirmation_);
    playLine_->setText(line);
    playLine_->setVisible(!line.isEmpty());
}

std::string FairnessPage::FiguresCsv(const StatsInput& /*input*/) const {
    return FairnessCsv(report_, [this](std::int32_t c) -> std::optional<std::string> {
        const QString name = croupierNames_.value(c);
        if (name.isEmpty()) return std::nullopt;
        return name.toStdString();
    });
}

void FairnessPage::ShowReport() {
    model_->SetRows(report_.kind, FairnessRows(report_), croupierNames_);
    chart_->SetFigures(report_.kind, PocketZAroundWheel(report_));
    const VerdictStatement statement = StateVerdict(report_, Verdict(report_));
    const VerdictTexts words = VerdictWords(
        statement, report_.kind, [this](std::int32_t c) { return model_->CroupierName(c); });
    verdict_->setText(words.headline);
    details_->setText(words.details);
    details_->setVisible(!words.details.isEmpty());
    QPalette palette = verdict_->palette();
    palette.setColor(QPalette::WindowText,
                     statement.headline == VerdictStatement::Headline::Evidence ? evidenceColour
                     : statement.headline == VerdictStatement::Headline::NoEvidence
                         ? fairColour
                         : palette.color(QPalette::Text));
    verdict_->setPalette(palette);
}

void FairnessPage::StartScan() {
    if (scan_ && scan_->kind == report_.kind && scan_->drawCount == report_.drawCount &&
        scan_->simulations == simulations_)
        return;
    StopScan();
    scan_ = std::make_unique<ScanRun>(report_.kind, report_.drawCount, simulations_);
    ScanRun* run = scan_.get();
    run->thread = std::jthread([this, run](std::stop_token stop) {
        std::optional<SectorNull> null = SimulateSectorNull(
            run->kind, run->drawCount, run->simulations, defaultScanSeed, stop, &run->done);
        std::shared_ptr<const SectorNull> result;
        if (null) result = std::make_shared<const SectorNull>(std::move(*null));
        QMetaObject::invokeMethod(
            this, [this, run, result] { OnScanEnded(run, result); }, Qt::QueuedConnection);
    });
    progress_->setRange(0, simulations_);
    progress_->setValue(0);
    progress_->show();
    progressTimer_->start();
}

void FairnessPage::StopScan() {
    progressTimer_->stop();
    progress_->hide();
    if (!scan_) return;
    // Joining here could hold the window up until the worker notices: it is joined when it
    // reports back instead.
    scan_->thread.request_stop();
    stopping_.push_back(std::move(scan_));
}

void FairnessPage::OnScanEnded(ScanRun* run, std::shared_ptr<const SectorNull> null) {
    if (run != scan_.get()) {
        std::erase_if(stopping_, [run](const auto& r) { return r.get() == run; });
        return;
    }
    scan_.reset();
    progressTimer_->stop();
    progress_->hide();
    if (!null) return;
    null_ = std::move(null);
    if (!ApplySectorNull(report_, *null_)) return;
    ShowReport();
    emit sectorScanFinished(report_.drawCount);
}

void FairnessPage::ShowProgress() {
    if (scan_) progress_->setValue(scan_->done.load(std::memory_order_relaxed));
}

void FairnessPage::showEvent(QShowEvent* event) {
    StatsPage::showEvent(event);
    // Shown again with a scan still to do: a refresh that comes with the showing starts it
    // first, and then this finds it running.
    QTimer::singleShot(0, this, [this] {
        if (isVisible() && !report_.sectors.empty() && !report_.bestSector) StartScan();
    });
}

void FairnessPage::hideEvent(QHideEvent* event) {
    StatsPage::hideEvent(event);
    // Nothing is computed for a page out of sight.
    StopScan();
}

}  // namespace spinalyst
