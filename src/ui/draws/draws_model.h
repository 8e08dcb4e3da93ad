#pragma once

#include <QAbstractTableModel>
#include <QFont>

namespace spinalyst {

class GameSession;

// The draws of the game, newest first. Nothing is stored per cell: every cell is computed
// from the draw log when the view asks for it, so a game of millions of draws costs nothing
// here.
class DrawsModel final : public QAbstractTableModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DrawsModel)

public:
    explicit DrawsModel(GameSession* session, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The draw number shown in a row.
    int DrawOfRow(int row) const;

private:
    void DrawsAdded(int count);
    void DrawUndone();
    void Reset();

    GameSession* session_;
    int rows_ = 0;
    QFont boldFont_;
};

}  // namespace spinalyst
