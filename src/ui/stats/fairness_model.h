#pragma once

#include <QHash>
#include <QStringList>
#include <vector>

#include "core/stats/fairness_summary.h"
#include "ui/stats/captioned_model.h"

namespace spinalyst {

enum class FairnessColumn { Test, Subject, Statistic, Df, P, AdjustedP };
inline constexpr int fairnessColumnCount = 6;

// The table of the fairness tests: a row per test and subject with its statistic, degrees of
// freedom, p-value and adjusted p-value. Sorting goes through a proxy; this model keeps the
// tests in their order.
class FairnessModel final : public CaptionedModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FairnessModel)

public:
    // Numbers for the proxy to sort by: the row's place in the test and subject columns, the
    // figure elsewhere; a cell without a figure sorts after every figure.
    static constexpr int sortRole = Qt::UserRole;

    using CaptionedModel::CaptionedModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The same tests and subjects only change the figures, so the view keeps its sort order
    // and selection; other tests reset the rows. `croupierNames` names the tested croupiers.
    void SetRows(RouletteKind kind, std::vector<FairnessRow> rows,
                 QHash<int, QString> croupierNames);
    // The texts of the headers and rows are the language's: shown again after a change.
    void ApplyCaptions();

    const std::vector<FairnessRow>& rows() const { return rows_; }
    QString CroupierName(int croupier) const;

private:
    RouletteKind kind_ = defaultKind;
    std::vector<FairnessRow> rows_;
    QHash<int, QString> croupierNames_;
};

}  // namespace spinalyst
