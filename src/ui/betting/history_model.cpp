#include "ui/betting/history_model.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>
#include <algorithm>
#include <climits>

#include "core/betting/money.h"
#include "ui/common/format.h"
#include "ui/common/game_session.h"
#include "ui/common/look.h"
#include "ui/common/texts.h"

namespace spinalyst {

namespace {
// Amounts keep two spaces of room from the column's right edge.
const QString amountPadding = QStringLiteral("  ");
}  // namespace

HistoryModel::HistoryModel(const GameSession* session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {
    // A pixel smaller than the rows' text, so that two digits fit their 20-pixel column.
    boldFont_ = FaceAtPixels(12, true);
    rows_ = CurrentRows();
    total_ = session_->ledger().history().rowCount(!collapsed_);
    connect(session_, &GameSession::drawsAdded, this, &HistoryModel::Sync);
    connect(session_, &GameSession::drawUndone, this, &HistoryModel::Sync);
    connect(session_, &GameSession::gameReset, this, &HistoryModel::Reset);
    connect(session_, &GameSession::gameReplaced, this, &HistoryModel::Reset);
}

int HistoryModel::CurrentRows() const {
    // A view counts its rows in an int: beyond that, the oldest rows are left out.
    const std::size_t rows = session_->ledger().history().rowCount(!collapsed_);
    return static_cast<int>(std::min<std::size_t>(rows, INT_MAX));
}

int HistoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int HistoryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columnCount_;
}

std::optional<HistoryRow> HistoryModel::HistoryRowAt(int row) const {
    const BetHistory& history = session_->ledger().history();
    const auto now = static_cast<long long>(history.rowCount(!collapsed_));
    // Until the views hear of the rows that came or went at the top, the rows they know keep
    // their places.
    const long long shifted = row + now - static_cast<long long>(total_);
    if (row < 0 || row >= rows_ || shifted < 0 || shifted >= now) return std::nullopt;
    return history.row(static_cast<std::size_t>(shifted), !collapsed_);
}

QString HistoryModel::Amount(Cents amount) const {
    return AmountText(amount) + amountPadding;
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= rows_) return {};
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            break;
        case Qt::ForegroundRole:
            if (column == RedColumn) return QBrush(ToQColor(redDisplay));
            if (column == GreenColumn) return QBrush(ToQColor(greenDisplay));
            if (column == BlackColumn || column == DrawColumn) return QBrush(Qt::black);
            return {};
        case Qt::FontRole:
            if (column >= RedColumn && column <= BlackColumn) return boldFont_;
            return {};
        case Qt::BackgroundRole:
            if (column >= DrawColumn && column <= BlackColumn) return QBrush(Qt::white);
            return QGuiApplication::palette().button();
        case Qt::TextAlignmentRole:
            if (column == BetColumn) return int(Qt::AlignLeft | Qt::AlignVCenter);
            if (column >= StakeColumn) return int(Qt::AlignRight | Qt::AlignVCenter);
            return int(Qt::AlignCenter);
        default:
            return {};
    }
    const BetHistory& history = session_->ledger().history();
    const auto found = HistoryRowAt(index.row());
    if (!found) return QString();
    const HistoryRow row = *found;
    const auto bets = history.bets(row.record);
    if (!row.isSummary()) {
        const PlacedBet& bet = bets[static_cast<std::size_t>(row.bet)];
        switch (column) {
            case OrdinalColumn:
                return QString::number(history.rowsBefore(row.record) +
                                       static_cast<std::size_t>(row.bet) + 1);
            case BetColumn:
                return QString::fromStdString(BetDescription(bet.slot, CurrentLanguageTable()));
            case StakeColumn:
                return Amount(bet.stake);
            default:
                return QString();
        }
    }
    const Pocket p = history.pocket(row.record);
    const PocketColour colour = ColourOf(p);
    switch (column) {
        case OrdinalColumn:
            return QString::number(history.rowsBefore(row.record) + bets.size() + 1);
        case DrawColumn:
            return QString::number(history.drawNumber(row.record));
        case RedColumn:
        case GreenColumn:
        case BlackColumn: {
            const Column shown = colour == PocketColour::Red     ? RedColumn
                                 : colour == PocketColour::Green ? GreenColumn
                                                                 : BlackColumn;
            return column == shown ? QString::fromStdString(PocketText(p)) : QString();
        }
        case StakeColumn:
            return Amount(history.stake(row.record));
        case WinColumn:
            return Amount(history.win(row.record));
        case BalanceColumn:
            return Amount(history.balance(row.record));
        default:
            return QString();
    }
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::TextAlignmentRole) {
        if (section == BetColumn) return int(Qt::AlignLeft | Qt::AlignVCenter);
        if (section >= StakeColumn) return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignCenter);
    }
    if (role != Qt::DisplayRole) return {};
    // The pocket's header spans its three colour columns: the first of them holds it.
    switch (section) {
        case DrawColumn:
            return QStringLiteral("#");
        case RedColumn:
            return Text(TextId::PocketHeader);
        case BetColumn:
            return Text(TextId::BetHeader);
        case StakeColumn:
            return Text(TextId::StakeHeader) + amountPadding;
        case WinColumn:
            return Text(TextId::WinHeader) + amountPadding;
        case BalanceColumn:
            return Text(TextId::BalanceHeader) + amountPadding;
        default:
            return QString();
    }
}

void HistoryModel::SetCollapsed(bool collapsed) {
    if (collapsed == collapsed_) return;
    beginResetModel();
    collapsed_ = collapsed;
    rows_ = CurrentRows();
    total_ = session_->ledger().history().rowCount(!collapsed_);
    endResetModel();
}

void HistoryModel::RetranslateTexts() {
    emit headerDataChanged(Qt::Horizontal, 0, columnCount_ - 1);
    if (rows_ > 0) emit dataChanged(index(0, BetColumn), index(rows_ - 1, BetColumn));
}

void HistoryModel::Sync() {
    const std::size_t total = session_->ledger().history().rowCount(!collapsed_);
    const int rows = CurrentRows();
    // Once the oldest rows are left out, every row moves: the view starts afresh.
    if (total != static_cast<std::size_t>(rows) || total_ != static_cast<std::size_t>(rows_))
        return Reset();
    if (rows > rows_) {
        beginInsertRows({}, 0, rows - rows_ - 1);
        rows_ = rows;
        total_ = total;
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows({}, 0, rows_ - rows - 1);
        rows_ = rows;
        total_ = total;
        endRemoveRows();
    }
}

void HistoryModel::Reset() {
    beginResetModel();
    rows_ = CurrentRows();
    total_ = session_->ledger().history().rowCount(!collapsed_);
    endResetModel();
}

}  // namespace spinalyst
