#pragma once

#include <QHash>
#include <memory>
#include <vector>

#include "core/stats/fairness.h"
#include "core/stats/freeze_confirm.h"
#include "core/stats/power_planner.h"
#include "ui/common/stats_page.h"

class QLabel;
class QProgressBar;
class QTabWidget;
class QTableView;
class QTimer;

namespace spinalyst {

class FairnessChart;
class FairnessModel;
class FreezePanel;
class GameSession;
class PowerPlanModel;

// Whether the analysed draws look like a fair wheel and fair croupiers: the verdict in words,
// the table of every test, and the pockets' z-scores around the wheel. Everything but the
// sector scan shows at once; the scan's simulation runs in a worker thread, shows its
// progress, and is started again by every refresh that changes the number of draws.
// Beside the tests, whether a bias could be played: the spins it takes to tell one from
// chance, and the pockets the player froze, tested on the draws after the freeze.
class FairnessPage final : public StatsPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FairnessPage)

public:
    // Without a session nothing can be frozen.
    explicit FairnessPage(GameSession* session = nullptr, int simulations = defaultSimulations,
                          QWidget* parent = nullptr);
    ~FairnessPage() override;

    void ShowStatistics(const StatsInput& input) override;
    void ApplyCaptions() override;
    // The table of tests of the last refresh; the sector rows once their simulation is done.
    bool exportsFigures() const override { return true; }
    std::string FiguresCsv(const StatsInput& input) const override;

    // Fair games simulated for the sector scan; a change applies from the next refresh.
    void SetSimulations(int simulations);
    bool scanRunning() const { return scan_ != nullptr; }

    QLabel* verdictLabel() const { return verdict_; }
    QLabel* detailsLabel() const { return details_; }
    QProgressBar* progressBar() const { return progress_; }
    QTableView* grid() const { return grid_; }
    FairnessModel* model() const { return model_; }
    FairnessChart* chart() const { return chart_; }
    const FairnessReport& report() const { return report_; }
    QLabel* playLabel() const { return playLine_; }
    PowerPlanModel* planModel() const { return planModel_; }
    FreezePanel* freezePanel() const { return freezePanel_; }
    QTabWidget* innerTabs() const { return innerTabs_; }
    const std::optional<Confirmation>& confirmation() const { return confirmation_; }

signals:
    // The sector scan's figures are in the report and on show.
    void sectorScanFinished(int drawCount);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct ScanRun;

    void ShowReport();
    // The frozen set's figures over the analysed draws after the freeze, and what they say.
    void ConfirmFreeze();
    void ShowPlay();
    // Starts the simulation the report needs, unless it is already running.
    void StartScan();
    // Asks the running simulation to stop; it is joined once it has.
    void StopScan();
    void OnScanEnded(ScanRun* run, std::shared_ptr<const SectorNull> null);
    void ShowProgress();

    GameSession* session_;
    int simulations_;
    FairnessReport report_;
    PowerPlan plan_;
    std::optional<Confirmation> confirmation_;
    // Where the last refresh took its draws from, for the freeze's figures.
    const DrawLog* log_ = nullptr;
    std::optional<AnalysisWindow> window_;
    QHash<int, QString> croupierNames_;
    // The last finished simulation: it serves every refresh of the same kind and length.
    std::shared_ptr<const SectorNull> null_;
    std::unique_ptr<ScanRun> scan_;
    std::vector<std::unique_ptr<ScanRun>> stopping_;

    QLabel* verdict_ = nullptr;
    QLabel* details_ = nullptr;
    // Which way the dealer test counts its distances.
    QLabel* distanceNote_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    FairnessModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    FairnessChart* chart_ = nullptr;
    QLabel* playLine_ = nullptr;
    QTabWidget* innerTabs_ = nullptr;
    PowerPlanModel* planModel_ = nullptr;
    QTableView* planGrid_ = nullptr;
    FreezePanel* freezePanel_ = nullptr;
    QLabel* playNote_ = nullptr;
};

}  // namespace spinalyst
