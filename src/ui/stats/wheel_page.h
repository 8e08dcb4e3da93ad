#pragma once

#include "ui/common/stats_page.h"

class QTableView;

namespace spinalyst {

class WheelDrawing;
class WheelFigures;
class WheelGridModel;

// The wheel page: the wheel shaded by the pockets' hits, the distances from each draw to the
// next (sgCyl), the intervals after which pockets came out again (sgEcarts) and the hits of
// every pocket's neighbourhood (sgSecteurs).
class WheelPage final : public StatsPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WheelPage)

public:
    explicit WheelPage(WheelFigures* figures, QWidget* parent = nullptr);

    void ShowStatistics(const StatsInput& input) override;
    void ApplyCaptions() override;
    // Its four tables one after the other, an empty line between them.
    bool exportsFigures() const override { return true; }
    std::string FiguresCsv(const StatsInput& input) const override;

    WheelDrawing* wheel() const { return wheel_; }
    WheelGridModel* distanceModel() const { return distanceModel_; }
    WheelGridModel* repeatModel() const { return repeatModel_; }
    WheelGridModel* sectorModel() const { return sectorModel_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void FitKeyColumns();
    void SetCaptions(const QString& distance, const QString& interval, const QString& sector,
                     const QString& hits, const QString& current, const QString& longest);
    void Fill();

    WheelFigures* figures_;
    WheelDrawing* wheel_ = nullptr;
    WheelGridModel* distanceModel_ = nullptr;
    WheelGridModel* repeatModel_ = nullptr;
    WheelGridModel* sectorModel_ = nullptr;
    QTableView* distanceGrid_ = nullptr;
    QTableView* repeatGrid_ = nullptr;
    QTableView* sectorGrid_ = nullptr;
};

}  // namespace spinalyst
