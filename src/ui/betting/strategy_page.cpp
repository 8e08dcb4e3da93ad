#include "ui/betting/strategy_page.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QProgressBar>
#include <QPushButton>
#include <QScatterSeries>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "core/betting/backtest.h"
#include "core/betting/money.h"
#include "core/betting/plan_settings.h"
#include "core/betting/table_plan.h"
#include "ui/betting/sessions_model.h"
#include "ui/common/app_settings.h"
#include "ui/common/format.h"
#include "ui/common/game_session.h"
#include "ui/common/look.h"
#include "ui/common/texts.h"

namespace spinalyst {

// One Monte Carlo run on its worker thread.
struct StrategyPage::Run {
    Run(BettingPlan plan, MonteCarloRequest r) : table(std::move(plan)), request(std::move(r)) {}
    const PlanTable table;
    const MonteCarloRequest request;
    std::atomic<std::int64_t> done{0};
    // Last, so that the thread is stopped and joined before the rest goes.
    std::jthread thread;
};

namespace {

constexpr int chartColumns = 600;
// Where a session ended on the running balance: the red of the wheel.
const QColor sessionEndColour = ToQColor(redDisplay);

QChartView* NewChart(QWidget* parent, std::initializer_list<QAbstractSeries*> series) {
    auto* chart = new QChart;
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    chart->setTitleFont(FaceAtPixels(11, true));
    for (QAbstractSeries* s : series) chart->addSeries(s);
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    for (QValueAxis* axis : {x, y}) {
        axis->setLabelsFont(FaceAtPixels(9));
        axis->setGridLineColor(chartGridColour);
        axis->setLabelFormat("%.0f");
        // Until there is something to show: a range of 0 to 1 in whole numbers reads 0 0 1 1.
        axis->setLabelsVisible(false);
    }
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : series) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing, false);
    return view;
}

// Fits both axes to the points, 0 on the value axis included.
void FitAxes(QChartView* view, double minX, double maxX, double minY, double maxY) {
    const auto axes = view->chart()->axes();
    auto* x = static_cast<QValueAxis*>(axes.value(0));
    auto* y = static_cast<QValueAxis*>(axes.value(1));
    const bool shown = maxX > minX;
    x->setLabelsVisible(shown);
    y->setLabelsVisible(shown);
    if (!shown) maxX = minX + 1;
    minY = std::min(minY, 0.0);
    maxY = std::max(maxY, 0.0);
    if (maxY <= minY) maxY = minY + 1;
    const double pad = (maxY - minY) * 0.05;
    x->setRange(minX, maxX);
    y->setRange(minY < 0 ? minY - pad : minY, maxY + pad);
}

constexpr TextId figureRows[] = {
    TextId::MeasureRuin,        TextId::MeasureStopWin,   TextId::MeasureStopLoss,
    TextId::MeasureLimit,       TextId::MeasureMaxSpins,  TextId::MeasureFinalMean,
    TextId::MeasureFinalMedian, TextId::MeasureFinalP05,  TextId::MeasureFinalP95,
    TextId::MeasureStakedMean,  TextId::MeasureSpinsMean, TextId::MeasureReturn,
    TextId::MeasureExpected};

}  // namespace

StrategyPage::StrategyPage(GameSession* session, AppSettings* settings, QWidget* parent)
    : StatsPage(parent), session_(session), settings_(settings) {
    planLabel_ = new QLabel(this);
    planLabel_->setObjectName("lbStrategyPlan");
    planLabel_->setWordWrap(true);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(BuildBacktestPanel());
    splitter->addWidget(BuildMonteCarloPanel());
    ShowRunSettings();
    splitter->setSizes({2000, 3000});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(planLabel_);
    layout->addWidget(splitter, 1);

    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(100);
    connect(progressTimer_, &QTimer::timeout, this, &StrategyPage::ShowProgress);
    connect(run_, &QPushButton::clicked, this, &StrategyPage::RunMonteCarlo);
    connect(cancel_, &QPushButton::clicked, this, &StrategyPage::CancelMonteCarlo);
    const auto save = [this] { SaveRunSettings(); };
    connect(sessions_, &QSpinBox::editingFinished, this, save);
    connect(maxSpins_, &QSpinBox::editingFinished, this, save);
    connect(recorded_, &QCheckBox::toggled, this, save);
    // The plan changes with the table: the backtest follows it while the page shows.
    const auto replay = [this] {
        if (isVisible()) ShowBacktest();
    };
    connect(session_, &GameSession::betsChanged, this, replay);
    connect(session_, &GameSession::planChanged, this, replay);
    connect(settings_, &AppSettings::planChanged, this, [this, replay] {
        ShowRunSettings();
        replay();
    });
    ApplyCaptions();
}

StrategyPage::~StrategyPage() = default;

QWidget* StrategyPage::BuildBacktestPanel() {
    auto* panel = new QWidget(this);
    totals_ = new QLabel(panel);
    totals_->setObjectName("lbBacktestTotals");
    model_ = new SessionsModel(this);
    table_ = new QTableView(panel);
    table_->setObjectName("sgSessions");
    table_->setModel(model_);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(18);
    table_->horizontalHeader()->setMinimumSectionSize(20);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setFont(FaceAtPixels(11));
    table_->horizontalHeader()->setFont(FaceAtPixels(11));
    table_->setMinimumWidth(300);
    table_->horizontalHeader()->setStretchLastSection(true);

    running_ = new QLineSeries;
    running_->setColor(balanceColour);
    ends_ = new QScatterSeries;
    ends_->setMarkerSize(5);
    ends_->setColor(sessionEndColour);
    ends_->setBorderColor(sessionEndColour);
    runningChart_ = NewChart(panel, {running_, ends_});
    runningChart_->setObjectName("chRunningBalance");

    auto* split = new QSplitter(Qt::Horizontal, panel);
    split->addWidget(table_);
    split->addWidget(runningChart_);
    split->setSizes({500, 220});
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(totals_);
    layout->addWidget(split, 1);
    return panel;
}

QWidget* StrategyPage::BuildMonteCarloPanel() {
    auto* panel = new QWidget(this);
    sessionsCaption_ = new QLabel(panel);
    sessions_ = new QSpinBox(panel);
    sessions_->setObjectName("seSessions");
    sessions_->setRange(1, static_cast<int>(maxMonteCarloSessions));
    maxSpinsCaption_ = new QLabel(panel);
    maxSpins_ = new QSpinBox(panel);
    maxSpins_->setObjectName("seMaxSpins");
    maxSpins_->setRange(1, 1'000'000);
    recorded_ = new QCheckBox(panel);
    recorded_->setObjectName("cbWheelAsRecorded");
    run_ = new QPushButton(panel);
    run_->setObjectName("btRunMonteCarlo");
    cancel_ = new QPushButton(panel);
    cancel_->setObjectName("btCancelMonteCarlo");
    cancel_->setEnabled(false);
    progress_ = new QProgressBar(panel);
    progress_->setObjectName("pbMonteCarlo");
    progress_->setMaximumWidth(160);
    // Its text for the largest run would otherwise widen the page past the window.
    progress_->setMinimumWidth(90);
    QSizePolicy keepRoom = progress_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    progress_->setSizePolicy(keepRoom);
    progress_->hide();
    auto* controls = new QHBoxLayout;
    controls->setSpacing(4);
    for (QWidget* w :
         std::initializer_list<QWidget*>{sessionsCaption_, sessions_, maxSpinsCaption_, maxSpins_,
                                         recorded_, run_, cancel_, progress_})
        controls->addWidget(w);
    controls->addStretch(1);

    figures_ = new QTableWidget(static_cast<int>(std::size(figureRows)), 4, panel);
    figures_->setObjectName("sgMonteCarlo");
    figures_->verticalHeader()->hide();
    figures_->verticalHeader()->setDefaultSectionSize(17);
    figures_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    figures_->setFont(FaceAtPixels(11));
    figures_->horizontalHeader()->setFont(FaceAtPixels(11));
    figures_->setColumnWidth(0, 168);
    for (int c = 1; c < 4; ++c) figures_->setColumnWidth(c, 62);
    figures_->setMinimumWidth(168 + 3 * 62 + 20);

    histogram_ = new QLineSeries;
    auto* area = new QAreaSeries(histogram_);
    area->setColor(hitsColour);
    area->setBorderColor(hitsColour.darker(133));
    histogramChart_ = NewChart(panel, {area});
    histogramChart_->setObjectName("chFinalBalances");
    // The median in full, the quartiles and the outer percentiles paler.
    for (int alpha : {80, 160, 255, 160, 80}) {
        QColor colour = balanceColour;
        colour.setAlpha(alpha);
        auto* line = new QLineSeries;
        line->setColor(colour);
        fan_.push_back(line);
    }
    fanChart_ = NewChart(panel, {fan_[0], fan_[1], fan_[2], fan_[3], fan_[4]});
    fanChart_->setObjectName("chBalanceFan");
    auto* charts = new QVBoxLayout;
    charts->setSpacing(2);
    charts->addWidget(histogramChart_, 1);
    charts->addWidget(fanChart_, 1);
    auto* body = new QHBoxLayout;
    body->setSpacing(4);
    body->addWidget(figures_);
    body->addLayout(charts, 1);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(controls);
    layout->addLayout(body, 1);
    return panel;
}

void StrategyPage::FitSessionColumns() {
    // Each column as wide as its caption or the widest value it can hold, in the language
    // shown: a fixed width clipped the longer captions. The end takes what room is left.
    const QFontMetrics cells(table_->font());
    const QFontMetrics captions(table_->horizontalHeader()->font());
    const QString widest[] = {QStringLiteral("9999"),     QStringLiteral("999999"),
                              QStringLiteral("9999"),     QStringLiteral("99999,00"),
                              QStringLiteral("99999,00"), QStringLiteral("-9999,00"),
                              QStringLiteral("-9999,00")};
    for (int c = 0; c < SessionsModel::columnCount_; ++c) {
        int width = captions.horizontalAdvance(model_->headerData(c, Qt::Horizontal).toString());
        if (c < SessionsModel::EndColumn)
            width = std::max(width, cells.horizontalAdvance(widest[c]));
        for (int id = static_cast<int>(TextId::EndWinShort);
             c == SessionsModel::EndColumn && id <= static_cast<int>(TextId::EndDataShort); ++id)
            width = std::max(width, cells.horizontalAdvance(Text(static_cast<TextId>(id))));
        table_->setColumnWidth(c, width + 7);
    }
}

void StrategyPage::ApplyCaptions() {
    model_->RetranslateTexts();
    FitSessionColumns();
    runningChart_->chart()->setTitle(Text(TextId::RunningBalanceTitle));
    histogramChart_->chart()->setTitle(Text(TextId::HistogramTitle));
    fanChart_->chart()->setTitle(Text(TextId::FanTitle));
    sessionsCaption_->setText(Text(TextId::SessionsCaption));
    maxSpinsCaption_->setText(Text(TextId::MaxSpinsCaption));
    recorded_->setText(Text(TextId::WheelAsRecorded));
    run_->setText(Text(TextId::RunMonteCarlo));
    cancel_->setText(Text(TextId::Cancel));
    progress_->setFormat(Text(TextId::MonteCarloProgress));
    figures_->setHorizontalHeaderLabels({Text(TextId::MeasureHeader), Text(TextId::ValueHeader),
                                         Text(TextId::LowHeader), Text(TextId::HighHeader)});
    // The measures' names whole in either language: the first column takes their width.
    const QFontMetrics names(figures_->font());
    int nameWidth = 168;
    for (int r = 0; r < figures_->rowCount(); ++r) {
        if (!figures_->item(r, 0)) figures_->setItem(r, 0, new QTableWidgetItem);
        figures_->item(r, 0)->setText(Text(figureRows[r]));
        nameWidth = std::max(nameWidth, names.horizontalAdvance(Text(figureRows[r])) + 10);
    }
    figures_->setColumnWidth(0, nameWidth);
    figures_->setMinimumWidth(nameWidth + 3 * 62 + 20);
    ShowTotals();
}

std::optional<BettingPlan> StrategyPage::PlanOfTheTable(bool forMonteCarlo) const {
    return spinalyst::PlanOfTheTable(
        session_->ledger(), session_->kind(), settings_->plan(),
        forMonteCarlo ? std::optional<std::int64_t>(maxSpins_->value()) : std::nullopt);
}

std::optional<BettingPlan> StrategyPage::CurrentPlan(bool forMonteCarlo) {
    const auto plan = PlanOfTheTable(forMonteCarlo);
    if (!plan) {
        planLabel_->setText(Text(TextId::StrategyNoPlan));
        return std::nullopt;
    }
    QString bets;
    for (const PlacedBet& bet : plan->bets) {
        if (!bets.isEmpty()) bets += QStringLiteral(", ");
        bets += QString::fromStdString(BetDescription(bet.slot, CurrentLanguageTable())) + ' ' +
                AmountText(bet.stake);
    }
    planLabel_->setText(Labelled(ProgressionCaption(plan->progression.kind), bets));
    return plan;
}

std::string StrategyPage::FiguresCsv(const StatsInput& input) const {
    std::vector<std::int32_t> numbers;
    if (input.log && input.window)
        SelectAnalysedDrawNumbers(*input.log, input.kind, *input.window, numbers);
    BacktestResult result;
    if (const auto plan = PlanOfTheTable(false); plan && plan->kind == input.kind)
        result = RunBacktest(PlanTable(*plan), input.analysed);
    return BacktestCsv(result, numbers);
}

void StrategyPage::ShowStatistics(const StatsInput& input) {
    kind_ = input.kind;
    analysed_.assign(input.analysed.begin(), input.analysed.end());
    drawNumbers_.clear();
    if (input.log && input.window)
        SelectAnalysedDrawNumbers(*input.log, input.kind, *input.window, drawNumbers_);
    ShowBacktest();
}

void StrategyPage::ShowBacktest() {
    const auto plan = CurrentPlan(false);
    std::vector<Cents> running;
    BacktestResult result;
    if (plan && plan->kind == kind_) {
        const PlanTable table(*plan);
        result = RunBacktest(table, analysed_, &running);
    }
    totalsShown_ = Totals{result.sessions.size(), result.spins, result.staked, result.won,
                          result.balance,         result.ruined};
    ShowTotals();

    const auto points = RunningBalancePoints(running, chartColumns);
    QList<QPointF> line;
    line.reserve(static_cast<qsizetype>(points.size()));
    double low = 0, high = 0;
    for (const BalancePoint& p : points) {
        line.append(QPointF(static_cast<double>(p.settled), p.balance / 100.0));
        low = std::min(low, p.balance / 100.0);
        high = std::max(high, p.balance / 100.0);
    }
    running_->replace(line);
    // The ends of the sessions, at most one mark for each few pixels.
    QList<QPointF> ends;
    const std::size_t step = std::max<std::size_t>(1, result.sessions.size() / 300);
    for (std::size_t i = 0; i + 1 < result.sessions.size(); i += step) {
        const SessionSummary& s = result.sessions[i];
        const auto last = static_cast<std::size_t>(s.firstSpin + s.spins);
        ends.append(QPointF(static_cast<double>(last), running[last - 1] / 100.0));
    }
    ends_->replace(ends);
    FitAxes(runningChart_, 0, static_cast<double>(running.size()), low, high);
    model_->SetSessions(std::move(result.sessions), drawNumbers_);
}

void StrategyPage::ShowTotals() {
    if (!totalsShown_) return;
    const Totals& r = *totalsShown_;
    totals_->setText(TextWith(TextId::BacktestTotals, QString::number(r.sessions),
                              QString::number(r.spins), AmountText(r.staked), AmountText(r.won),
                              AmountText(r.balance), QString::number(r.ruined)));
}

bool StrategyPage::RunMonteCarlo() {
    auto plan = CurrentPlan(true);
    if (!plan) return false;
    MonteCarloRequest request;
    request.sessions = sessions_->value();
    request.seed = 1;
    if (recorded_->isChecked()) {
        if (analysed_.empty() || kind_ != plan->kind) {
            planLabel_->setText(Text(TextId::MonteCarloFailed));
            return false;
        }
        request.pocketCounts.assign(maxPocketCount, 0);
        for (std::uint8_t p : analysed_) ++request.pocketCounts[p];
    }
    CancelMonteCarlo();
    current_ = std::make_unique<Run>(std::move(*plan), std::move(request));
    Run* run = current_.get();
    run->thread = std::jthread([this, run](std::stop_token stop) {
        auto figures = spinalyst::RunMonteCarlo(run->table, run->request, stop, &run->done);
        std::shared_ptr<const MonteCarloResult> result;
        if (figures) result = std::make_shared<const MonteCarloResult>(std::move(*figures));
        QMetaObject::invokeMethod(
            this, [this, run, result] { OnRunEnded(run, result); }, Qt::QueuedConnection);
    });
    progress_->setRange(0, static_cast<int>(run->request.sessions));
    progress_->setValue(0);
    progress_->show();
    run_->setEnabled(false);
    cancel_->setEnabled(true);
    progressTimer_->start();
    return true;
}

void StrategyPage::CancelMonteCarlo() {
    progressTimer_->stop();
    progress_->hide();
    run_->setEnabled(true);
    cancel_->setEnabled(false);
    if (!current_) return;
    // Joined when it reports back, so that the window never waits for it.
    current_->thread.request_stop();
    stopping_.push_back(std::move(current_));
}

void StrategyPage::OnRunEnded(Run* run, std::shared_ptr<const MonteCarloResult> result) {
    if (run != current_.get()) {
        std::erase_if(stopping_, [run](const auto& r) { return r.get() == run; });
        return;
    }
    current_.reset();
    progressTimer_->stop();
    progress_->hide();
    run_->setEnabled(true);
    cancel_->setEnabled(false);
    if (!result) return;
    result_ = *result;
    ShowFigures();
    emit monteCarloFinished();
}

void StrategyPage::ShowProgress() {
    if (current_) progress_->setValue(static_cast<int>(current_->done.load()));
}

void StrategyPage::ShowFigures() {
    if (!result_) return;
    const MonteCarloResult& r = *result_;
    const auto number = &DecimalText;
    const auto set = [this](int row, const QString& value, const QString& low,
                            const QString& high) {
        const QString cells[] = {value, low, high};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            figures_->setItem(row, c + 1, item);
        }
    };
    const auto share = [&](int row, SessionEnd end) {
        const Estimate e = r.Share(end);
        set(row, number(100 * e.value, 2) + " %", number(100 * e.low, 2), number(100 * e.high, 2));
    };
    share(0, SessionEnd::Ruin);
    share(1, SessionEnd::Win);
    share(2, SessionEnd::Loss);
    share(3, SessionEnd::Limit);
    share(4, SessionEnd::Spins);
    const auto money = [&](const Estimate& e) {
        return std::array{number(e.value / 100, 2), number(e.low / 100, 2),
                          number(e.high / 100, 2)};
    };
    const auto mean = money(r.finalMean);
    set(5, mean[0], mean[1], mean[2]);
    set(6, AmountText(r.finalMedian), {}, {});
    set(7, AmountText(r.finalP05), {}, {});
    set(8, AmountText(r.finalP95), {}, {});
    const auto staked = money(r.stakedMean);
    set(9, staked[0], staked[1], staked[2]);
    set(10, number(r.spinsMean.value, 2), number(r.spinsMean.low, 2), number(r.spinsMean.high, 2));
    set(11, number(r.returnPerUnit.value, 5), number(r.returnPerUnit.low, 5),
        number(r.returnPerUnit.high, 5));
    set(12, number(r.expectedReturn, 5), {}, {});

    const BalanceHistogram h = HistogramOf(r.finalBalances, 30);
    QList<QPointF> bars;
    double top = 0;
    for (std::size_t i = 0; i < h.counts.size(); ++i) {
        const double from = (static_cast<double>(h.low) + static_cast<double>(i) * h.width) / 100;
        const double to = from + h.width / 100;
        const auto count = static_cast<double>(h.counts[i]);
        bars << QPointF(from, 0) << QPointF(from, count) << QPointF(to, count) << QPointF(to, 0);
        top = std::max(top, count);
    }
    histogram_->replace(bars);
    const double lowest = static_cast<double>(h.low) / 100;
    FitAxes(histogramChart_, lowest, lowest + h.width * static_cast<double>(h.counts.size()) / 100,
            0, top);

    double low = 0, high = 0;
    for (std::size_t q = 0; q < fan_.size(); ++q) {
        QList<QPointF> points;
        for (std::size_t j = 0; j < r.fan.spins.size(); ++j) {
            const double y = static_cast<double>(r.fan.balances[q][j]) / 100;
            points << QPointF(static_cast<double>(r.fan.spins[j]), y);
            low = std::min(low, y);
            high = std::max(high, y);
        }
        fan_[q]->replace(points);
    }
    FitAxes(fanChart_, 0, static_cast<double>(r.fan.spins.back()), low, high);
}

void StrategyPage::SaveRunSettings() {
    PlanSettings s = settings_->plan();
    s.sessions = sessions_->value();
    s.maxSpins = maxSpins_->value();
    s.wheelAsRecorded = recorded_->isChecked();
    settings_->SetPlan(s);
}

void StrategyPage::ShowRunSettings() {
    const PlanSettings s = settings_->plan();
    const QSignalBlocker blockers[] = {QSignalBlocker(sessions_), QSignalBlocker(maxSpins_),
                                       QSignalBlocker(recorded_)};
    sessions_->setValue(static_cast<int>(s.sessions));
    maxSpins_->setValue(static_cast<int>(s.maxSpins));
    recorded_->setChecked(s.wheelAsRecorded);
}

void StrategyPage::hideEvent(QHideEvent* event) {
    StatsPage::hideEvent(event);
    // A run goes on while the page is out of sight: it was asked for.
}

}  // namespace spinalyst
