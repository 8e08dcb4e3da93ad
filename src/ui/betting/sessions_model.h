#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <vector>

#include "core/betting/backtest.h"

namespace spinalyst {

// The sessions of a backtest, one row each: the number of its first draw, its spins, what it
// staked and won, its balance and lowest balance, and why it ended. Cells are worked out from
// the result as they are asked for.
class SessionsModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SessionsModel)

public:
    enum Column {
        SessionColumn,
        FirstDrawColumn,
        SpinsColumn,
        StakedColumn,
        WonColumn,
        BalanceColumn,
        LowestColumn,
        EndColumn,
        columnCount_
    };

    using QAbstractTableModel::QAbstractTableModel;

    // The sessions and the game's number of each draw they were played on.
    void SetSessions(std::vector<SessionSummary> sessions, std::vector<std::int32_t> drawNumbers);
    void RetranslateTexts();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<SessionSummary> sessions_;
    std::vector<std::int32_t> drawNumbers_;
};

}  // namespace spinalyst
