#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <optional>

#include "core/betting/bet_history.h"

namespace spinalyst {

class GameSession;

// The settled draws of the game, newest first: each draw's summary row, then the rows of the
// bets it settled. Every cell is computed from the ledger's history when the view asks; the
// collapsed history filters the bet rows out.
class HistoryModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HistoryModel)

public:
    enum Column {
        OrdinalColumn,
        DrawColumn,
        RedColumn,
        GreenColumn,
        BlackColumn,
        BetColumn,
        StakeColumn,
        WinColumn,
        BalanceColumn,
        columnCount_
    };

    explicit HistoryModel(const GameSession* session, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    bool collapsed() const { return collapsed_; }
    // Shows only the summary rows, or every row again.
    void SetCollapsed(bool collapsed);
    // The language changed: the headers and the bet texts follow.
    void RetranslateTexts();
    // The history's row shown in a row of the model; nullopt outside the model.
    std::optional<HistoryRow> HistoryRowAt(int row) const;

private:
    // Draws settled or taken back: their rows come or go at the top.
    void Sync();
    void Reset();
    int CurrentRows() const;
    QString Amount(Cents amount) const;

    const GameSession* session_;
    bool collapsed_ = false;
    int rows_ = 0;
    std::size_t total_ = 0;
    QFont boldFont_;
};

}  // namespace spinalyst
