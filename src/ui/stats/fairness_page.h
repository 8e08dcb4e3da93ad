#pragma once

#include <QHash>
#include <memory>
#include <vector>

#include "core/stats/fairness.h"
#include "ui/common/stats_page.h"

class QLabel;
class QProgressBar;
class QTableView;
class QTimer;

namespace spinalyst {

class FairnessChart;
class FairnessModel;

// Whether the analysed draws look like a fair wheel and fair croupiers: the verdict in words,
// the table of every test, and the pockets' z-scores around the wheel. Everything but the
// sector scan shows at once; the scan's simulation runs in a worker thread, shows its
// progress, and is started again by every refresh that changes the number of draws.
class FairnessPage final : public StatsPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FairnessPage)

public:
    explicit FairnessPage(int simulations = defaultSimulations, QWidget* parent = nullptr);
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

signals:
    // The sector scan's figures are in the report and on show.
    void sectorScanFinished(int drawCount);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct ScanRun;

    void ShowReport();
    // Starts the simulation the report needs, unless it is already running.
    void StartScan();
    // Asks the running simulation to stop; it is joined once it has.
    void StopScan();
    void OnScanEnded(ScanRun* run, std::shared_ptr<const SectorNull> null);
    void ShowProgress();

    int simulations_;
    FairnessReport report_;
    QHash<int, QString> croupierNames_;
    std::vector<CroupierStint> stints_;
    // The last finished simulation: it serves every refresh of the same kind and length.
    std::shared_ptr<const SectorNull> null_;
    std::unique_ptr<ScanRun> scan_;
    std::vector<std::unique_ptr<ScanRun>> stopping_;

    QLabel* verdict_ = nullptr;
    QLabel* details_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    FairnessModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    FairnessChart* chart_ = nullptr;
};

}  // namespace spinalyst
