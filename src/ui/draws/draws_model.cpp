#include "ui/draws/draws_model.h"

#include <QBrush>
#include <QFont>

#include "core/draws/draws_grid.h"
#include "ui/common/game_session.h"
#include "ui/common/look.h"
#include "ui/common/texts.h"

namespace spinalyst {

DrawsModel::DrawsModel(GameSession* session, QObject* parent)
    : QAbstractTableModel(parent), session_(session), rows_(session->drawCount()) {
    // Asked for at every painted cell: built once.
    boldFont_ = FaceAtPixels(12, true);
    connect(session_, &GameSession::drawsAdded, this, &DrawsModel::DrawsAdded);
    connect(session_, &GameSession::drawUndone, this, &DrawsModel::DrawUndone);
    connect(session_, &GameSession::gameReset, this, &DrawsModel::Reset);
    connect(session_, &GameSession::gameReplaced, this, &DrawsModel::Reset);
    connect(session_, &GameSession::croupiersChanged, this, [this] {
        if (rows_ > 0) emit dataChanged(index(0, 1), index(rows_ - 1, 1));
    });
    connect(session_, &GameSession::wheelsChanged, this, [this] {
        if (rows_ > 0) emit dataChanged(index(0, 18), index(rows_ - 1, 18));
    });
}

int DrawsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int DrawsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : drawsGridColumns;
}

int DrawsModel::DrawOfRow(int row) const {
    return rows_ - row;
}

QVariant DrawsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_) return {};
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole: {
            const Game& game = session_->game();
            return QString::fromStdString(
                DrawsCellText(game.log(), game.kind(), session_->croupiers(),
                              DrawOfRow(index.row()), column, &session_->wheels()));
        }
        case Qt::ForegroundRole:
            switch (DrawsCellStyleOf(column)) {
                case DrawsCellStyle::RedBold:
                    return QBrush(ToQColor(redDisplay));
                case DrawsCellStyle::GreenBold:
                    return QBrush(ToQColor(greenDisplay));
                case DrawsCellStyle::BlackBold:
                    return QBrush(Qt::black);
                case DrawsCellStyle::BlueBold:
                    return QBrush(longestWaitColour);
                case DrawsCellStyle::Normal:
                    return {};
            }
            return {};
        case Qt::FontRole:
            if (DrawsCellStyleOf(column) != DrawsCellStyle::Normal) {
                return boldFont_;
            }
            return {};
        case Qt::BackgroundRole:
            return QBrush(DrawsCellShaded(column) ? QColor(255, 255, 187) : QColor(Qt::white));
        case Qt::TextAlignmentRole:
            // A long croupier or wheel name keeps its start and ends in "..." rather than
            // losing both ends; the tooltip shows it whole.
            return column == 1 || column == 18 ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                               : int(Qt::AlignCenter);
        case Qt::ToolTipRole:
            if (column == 19) {
                const SpinDirection d =
                    session_->game().log().drawDirection(DrawOfRow(index.row()));
                if (d == SpinDirection::Unknown) return {};
                return Text(d == SpinDirection::Clockwise ? TextId::Clockwise
                                                          : TextId::Anticlockwise);
            }
            if (column != 1 && column != 18) return {};
            return data(index, Qt::DisplayRole);
        default:
            return {};
    }
}

QVariant DrawsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::TextAlignmentRole)
        return int((section == 0 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    // The text of a merged header cell belongs to the first column of its span.
    switch (section) {
        case 0:
            return Text(TextId::DrawTimeHeader);
        case 1:
            return Text(TextId::Croupier);
        case 2:
            return QStringLiteral("#");
        case 3:
            return Text(TextId::PocketHeader);
        case 6:
            return Text(TextId::OddEvenDrawsHeader);
        case 8:
            return Text(TextId::LowHighHeader);
        case 10:
            return Text(TextId::ColumnHeader);
        case 13:
            return Text(TextId::DozenHeader);
        case 16:
            return Text(TextId::DistanceHeader);
        case 17:
            return Text(TextId::RepeatGapHeader);
        case 18:
            return Text(TextId::WheelLabel);
        default:
            return QString();
    }
}

void DrawsModel::DrawsAdded(int count) {
    const int total = session_->drawCount();
    if (total - rows_ != count || count <= 0) return Reset();
    beginInsertRows({}, 0, count - 1);
    rows_ = total;
    endInsertRows();
    // The new draws push the older ones down; their texts do not change.
}

void DrawsModel::DrawUndone() {
    if (rows_ - 1 != session_->drawCount()) return Reset();
    beginRemoveRows({}, 0, 0);
    rows_ = session_->drawCount();
    endRemoveRows();
}

void DrawsModel::Reset() {
    beginResetModel();
    rows_ = session_->drawCount();
    endResetModel();
}

}  // namespace spinalyst
