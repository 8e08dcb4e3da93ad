#include "ui/stats/fairness_model.h"

#include <algorithm>
#include <limits>

#include "ui/common/texts.h"
#include "ui/stats/fairness_texts.h"

namespace spinalyst {

namespace {
// Rows that stand for the same test of the same subject; the best arc may change length.
bool SameTest(const FairnessRow& a, const FairnessRow& b) {
    return a.test == b.test && a.subject == b.subject &&
           (a.test != FairnessTest::Sector || a.arc.length == b.arc.length);
}

QString OptionalP(const std::optional<double>& p, const std::optional<double>& standardError) {
    // The sector p-values wait for the simulation.
    if (!p) return QStringLiteral("…");
    return standardError ? EstimateText(*p, *standardError) : PText(*p);
}
}  // namespace

int FairnessModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int FairnessModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : fairnessColumnCount;
}

QString FairnessModel::CroupierName(int croupier) const {
    return croupierNames_.value(croupier, QString::number(croupier));
}

QVariant FairnessModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= fairnessColumnCount)
        return {};
    const FairnessRow& row = rows_[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<FairnessColumn>(index.column());
    const CroupierNamer namer = [this](std::int32_t c) { return CroupierName(c); };
    constexpr double none = std::numeric_limits<double>::infinity();
    switch (role) {
        case Qt::DisplayRole:
            switch (column) {
                case FairnessColumn::Test:
                    return TestName(row.test);
                case FairnessColumn::Subject:
                    return SubjectText(row, kind_, namer);
                case FairnessColumn::Statistic:
                    return StatisticText(row);
                case FairnessColumn::Df:
                    return row.df ? QString::number(*row.df) : QString();
                case FairnessColumn::P:
                    return OptionalP(row.p, row.standardError);
                case FairnessColumn::AdjustedP:
                    return OptionalP(row.pAdjusted, std::nullopt);
            }
            return {};
        case sortRole:
            switch (column) {
                case FairnessColumn::Test:
                case FairnessColumn::Subject:
                    return static_cast<double>(index.row());
                case FairnessColumn::Statistic:
                    return row.statistic;
                case FairnessColumn::Df:
                    return row.df ? static_cast<double>(*row.df) : none;
                case FairnessColumn::P:
                    return row.p.value_or(none);
                case FairnessColumn::AdjustedP:
                    return row.pAdjusted.value_or(none);
            }
            return {};
        case Qt::ToolTipRole:
            if (column == FairnessColumn::Subject &&
                (row.test == FairnessTest::Sector || row.test == FairnessTest::BestSector)) {
                QStringList pockets;
                for (Pocket p : ArcPockets(kind_, row.arc))
                    pockets << QString::fromStdString(PocketText(p));
                return pockets.join(' ');
            }
            return {};
        case Qt::TextAlignmentRole:
            return column == FairnessColumn::Test || column == FairnessColumn::Subject
                       ? int(Qt::AlignLeft | Qt::AlignVCenter)
                       : int(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
    }
}

void FairnessModel::SetRows(RouletteKind kind, std::vector<FairnessRow> rows,
                            QHash<int, QString> croupierNames) {
    const bool sameTests = kind == kind_ && rows.size() == rows_.size() &&
                           std::equal(rows.begin(), rows.end(), rows_.begin(), SameTest);
    if (!sameTests) beginResetModel();
    kind_ = kind;
    rows_ = std::move(rows);
    croupierNames_ = std::move(croupierNames);
    if (!sameTests)
        endResetModel();
    else if (!rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, fairnessColumnCount - 1));
}

void FairnessModel::ApplyCaptions() {
    SetHeaders({Text(TextId::TestHeader), Text(TextId::SubjectHeader),
                Text(TextId::StatisticHeader), Text(TextId::DfHeader), Text(TextId::PValueHeader),
                Text(TextId::AdjustedPHeader)});
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, fairnessColumnCount - 1));
}

}  // namespace spinalyst
