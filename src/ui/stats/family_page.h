#pragma once

#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "core/stats/stat_families.h"
#include "ui/common/stats_page.h"

class QSplitter;
class QTableView;

namespace spinalyst {

class FamilyStatsModel;
class StatsCharts;

// The page of one bet family: its grid at the top, then the hits chart and the waits chart.
class FamilyPage final : public StatsPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FamilyPage)

public:
    explicit FamilyPage(StatFamily family, QWidget* parent = nullptr);
    ~FamilyPage() override;

    void ShowStatistics(const StatsInput& input) override;
    void ApplyCaptions() override;
    bool exportsFigures() const override { return true; }
    std::string FiguresCsv(const StatsInput& input) const override;

    StatFamily family() const { return family_; }
    QTableView* grid() const { return grid_; }
    FamilyStatsModel* model() const { return model_; }
    const StatsCharts& charts() const { return *charts_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The labels depend only on the kind (and the language): built once per kind, not at
    // every refresh.
    void PrepareLabels(RouletteKind kind);
    // The hits chart keeps half the lower panel's height.
    void HalveLowerPanel();

    StatFamily family_;
    FamilyStatsModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    QSplitter* lower_ = nullptr;
    std::unique_ptr<StatsCharts> charts_;
    std::optional<RouletteKind> labelsKind_;
    QStringList gridLabels_;
    QStringList chartLabels_;
    std::vector<int> chartOrder_;
};

}  // namespace spinalyst
