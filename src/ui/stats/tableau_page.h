#pragma once

#include <vector>

#include "ui/common/stats_page.h"

class QTableView;

namespace spinalyst {

class TableauModel;

// The page that scores every number 1 ... 36 against the analysed draws, one column per bet
// family, with the gap, the neighbours score and the ratio.
class TableauPage final : public StatsPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TableauPage)

public:
    explicit TableauPage(QWidget* parent = nullptr);

    void ShowStatistics(const StatsInput& input) override;
    void ApplyCaptions() override;
    bool exportsFigures() const override { return true; }
    std::string FiguresCsv(const StatsInput& input) const override;

    QTableView* grid() const { return grid_; }
    TableauModel* model() const { return model_; }

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Every column as wide as its widest text, which grows with the length of the game, and
    // the room left shared among them.
    void FitColumns();
    // The width each column needs in the grid's present type.
    std::vector<int> NaturalWidths() const;

    TableauModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
};

}  // namespace spinalyst
