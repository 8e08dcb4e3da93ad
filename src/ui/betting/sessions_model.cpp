#include "ui/betting/sessions_model.h"

#include "core/betting/money.h"
#include "ui/common/format.h"
#include "ui/common/texts.h"

namespace spinalyst {

namespace {

TextId EndWord(SessionEnd end) {
    switch (end) {
        case SessionEnd::Win:
            return TextId::EndWinShort;
        case SessionEnd::Loss:
            return TextId::EndLossShort;
        case SessionEnd::Ruin:
            return TextId::EndRuinShort;
        case SessionEnd::Limit:
            return TextId::EndLimitShort;
        case SessionEnd::Spins:
            return TextId::EndSpinsShort;
        default:
            return TextId::EndDataShort;
    }
}

constexpr TextId headers[] = {TextId::SessionHeader, TextId::FirstDrawHeader, TextId::SpinsHeader,
                              TextId::StakedHeader,  TextId::WonHeader,       TextId::BalanceHeader,
                              TextId::LowestHeader,  TextId::EndHeader};

}  // namespace

void SessionsModel::SetSessions(std::vector<SessionSummary> sessions,
                                std::vector<std::int32_t> drawNumbers) {
    beginResetModel();
    sessions_ = std::move(sessions);
    drawNumbers_ = std::move(drawNumbers);
    endResetModel();
}

void SessionsModel::RetranslateTexts() {
    emit headerDataChanged(Qt::Horizontal, 0, columnCount_ - 1);
    if (!sessions_.empty()) emit dataChanged(index(0, EndColumn), index(rowCount() - 1, EndColumn));
}

int SessionsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(sessions_.size());
}

int SessionsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columnCount_;
}

QVariant SessionsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const SessionSummary& s = sessions_[static_cast<std::size_t>(index.row())];
    if (role == Qt::TextAlignmentRole)
        return index.column() == EndColumn ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                           : int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const auto amount = &AmountText;
    switch (index.column()) {
        case SessionColumn:
            return index.row() + 1;
        case FirstDrawColumn: {
            const auto at = static_cast<std::size_t>(s.firstSpin);
            return at < drawNumbers_.size() ? QVariant(drawNumbers_[at]) : QVariant();
        }
        case SpinsColumn:
            return QVariant::fromValue<qlonglong>(s.spins);
        case StakedColumn:
            return amount(s.staked);
        case WonColumn:
            return amount(s.won);
        case BalanceColumn:
            return amount(s.balance);
        case LowestColumn:
            return amount(s.lowest);
        case EndColumn:
            return Text(EndWord(s.end));
        default:
            return {};
    }
}

QVariant SessionsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount_)
        return {};
    return Text(headers[section]);
}

}  // namespace spinalyst
