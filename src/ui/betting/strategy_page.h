#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "core/betting/backtest.h"
#include "core/betting/monte_carlo.h"
#include "ui/common/stats_page.h"

class QAreaSeries;
class QCheckBox;
class QChartView;
class QLabel;
class QLineSeries;
class QProgressBar;
class QPushButton;
class QScatterSeries;
class QSpinBox;
class QTableView;
class QTableWidget;
class QTimer;

namespace spinalyst {

class AppSettings;
class GameSession;
class SessionsModel;

// The strategy lab: the plan of the Bets page (its base bets, the progression box's
// progression and money rules) played over the analysed draws, sessions one after another,
// with a table of the sessions, the totals and the running balance; and, on demand, a Monte
// Carlo run of its sessions on a simulated wheel on worker threads, with its figures, a
// histogram of the final balances and a fan chart of the balance over the spins.
class StrategyPage final : public StatsPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StrategyPage)

public:
    StrategyPage(GameSession* session, AppSettings* settings, QWidget* parent = nullptr);
    ~StrategyPage() override;

    void ShowStatistics(const StatsInput& input) override;
    void ApplyCaptions() override;
    // Once there is a plan to play: its backtest's sessions, as the command line's backtest
    // prints them.
    bool exportsFigures() const override { return PlanOfTheTable(false).has_value(); }
    std::string FiguresCsv(const StatsInput& input) const override;

    SessionsModel* sessionsModel() const { return model_; }
    QLabel* totalsLabel() const { return totals_; }
    QLineSeries* runningLine() const { return running_; }
    QScatterSeries* sessionEnds() const { return ends_; }
    QPushButton* runButton() const { return run_; }
    QPushButton* cancelButton() const { return cancel_; }
    QTableWidget* figuresTable() const { return figures_; }
    const std::optional<MonteCarloResult>& monteCarlo() const { return result_; }

    // Starts a Monte Carlo run of the plan as it stands; false when there is no plan to run.
    bool RunMonteCarlo();
    void CancelMonteCarlo();

signals:
    void monteCarloFinished();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    struct Run;
    // The plan: the base bets on the table (or the live plan's), the saved progression and
    // rules; nullopt, and the reason shown, when there is none to play.
    std::optional<BettingPlan> CurrentPlan(bool forMonteCarlo);
    // The same without a word on the page.
    std::optional<BettingPlan> PlanOfTheTable(bool forMonteCarlo) const;
    QWidget* BuildBacktestPanel();
    QWidget* BuildMonteCarloPanel();
    void FitSessionColumns();
    void ShowBacktest();
    void ShowTotals();
    void OnRunEnded(Run* run, std::shared_ptr<const MonteCarloResult> result);
    void ShowFigures();
    void ShowProgress();
    void SaveRunSettings();
    // The run's controls as the settings hold them.
    void ShowRunSettings();

    GameSession* session_;
    AppSettings* settings_;
    // The analysed draws of the last refresh: the backtest's draws and the recorded wheel.
    std::vector<std::uint8_t> analysed_;
    std::vector<std::int32_t> drawNumbers_;
    RouletteKind kind_ = defaultKind;

    QLabel* planLabel_ = nullptr;
    QLabel* totals_ = nullptr;
    SessionsModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    QChartView* runningChart_ = nullptr;
    QLineSeries* running_ = nullptr;
    QScatterSeries* ends_ = nullptr;

    QLabel* sessionsCaption_ = nullptr;
    QSpinBox* sessions_ = nullptr;
    QLabel* maxSpinsCaption_ = nullptr;
    QSpinBox* maxSpins_ = nullptr;
    QCheckBox* recorded_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    QTableWidget* figures_ = nullptr;
    QChartView* histogramChart_ = nullptr;
    QLineSeries* histogram_ = nullptr;
    QChartView* fanChart_ = nullptr;
    std::vector<QLineSeries*> fan_;

    std::unique_ptr<Run> current_;
    std::vector<std::unique_ptr<Run>> stopping_;
    std::optional<MonteCarloResult> result_;
    // The totals of the last backtest, once one ran.
    struct Totals {
        std::size_t sessions = 0;
        std::int64_t spins = 0;
        Cents staked = 0, won = 0, balance = 0;
        std::int64_t ruined = 0;
    };
    std::optional<Totals> totalsShown_;
};

}  // namespace spinalyst
