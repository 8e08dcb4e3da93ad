#include "ui/stats/play_texts.h"

#include <QStringList>
#include <cmath>

#include "ui/stats/fairness_texts.h"

namespace spinalyst {

namespace {
QString PocketName(Pocket p) {
    return QString::fromStdString(PocketText(p));
}

QString Joined(const std::vector<Pocket>& pockets, const QString& separator) {
    QStringList names;
    for (Pocket p : pockets) names << PocketName(p);
    return names.join(separator);
}

}  // namespace

QString PercentText(double fraction, int decimals, bool withSign) {
    QString number = DecimalText(100 * fraction, decimals);
    if (withSign && !number.startsWith('-') && number != DecimalText(0, decimals))
        number.prepend('+');
    // A true minus sign reads better than a hyphen.
    if (number.startsWith('-')) number.replace(0, 1, QChar(0x2212));
    return TextWith(TextId::PercentFormat, number);
}

QString SpinsText(const std::optional<int>& spins, const std::optional<double>& excess) {
    if (spins) return QString::number(*spins);
    if (excess && *excess > 0) return TextWith(TextId::PlanBeyond, maxPlannedSpins);
    return QStringLiteral("—");
}

QString SectorText(const std::vector<Pocket>& pockets) {
    return Joined(pockets, QStringLiteral("-"));
}

QString SetText(const std::vector<Pocket>& pockets) {
    return Joined(pockets, QStringLiteral(", "));
}

QString PlayLine(const PowerPlan& plan, const std::optional<FrozenSet>& freeze,
                 const std::optional<Confirmation>& c) {
    if (freeze && c) {
        const QString set = SetText(freeze->pockets);
        const QString after = CountText(freeze->drawCount);
        if (c->draws == 0) return TextWith(TextId::FrozenNoDraws, set, after);
        return TextWith(c->confirmed() ? TextId::FrozenConfirmed : TextId::FrozenNotYet, set, after,
                        CountText(c->draws));
    }
    if (plan.sizes.empty()) return {};
    const SizePlan& pocket = plan.sizes.front();
    if (pocket.leader.empty() || !pocket.leaderExcess || *pocket.leaderExcess <= 0) return {};
    const QString leader = TextWith(TextId::PocketSubject, PocketName(pocket.leader.front()));
    const QString excess = PercentText(*pocket.leaderExcess, 1);
    if (!pocket.spinsForLeader)
        return TextWith(TextId::CandidateLineFar, leader, excess, CountText(maxPlannedSpins));
    if (pocket.moreForLeader && *pocket.moreForLeader > 0)
        return TextWith(TextId::CandidateLine, leader, excess, CountText(*pocket.spinsForLeader),
                        CountText(*pocket.moreForLeader));
    return TextWith(TextId::CandidateLineEnough, leader, excess, CountText(*pocket.spinsForLeader));
}

ConfirmationTexts ConfirmationWords(const FrozenSet& freeze, const Confirmation& c) {
    ConfirmationTexts words;
    words.frozen =
        TextWith(TextId::FrozenAfter, CountText(freeze.drawCount), SetText(freeze.pockets));
    words.draws = CountText(c.draws);
    words.hits = TextWith(TextId::HitsValue, QString::number(c.hits), DecimalText(c.expected, 1));
    if (c.draws == 0) return words;
    words.p = PText(c.p);
    // Odds beyond a million to one say no more to a player.
    const double odds = std::exp(std::min(c.logEvidence, std::log(1e6)));
    words.evidence =
        TextWith(TextId::EvidenceValue,
                 odds < 10 ? DecimalText(odds, 1) : QString::number(std::lround(odds)));
    if (c.ev && c.evLow && c.evHigh)
        words.ret = TextWith(TextId::ReturnValue, PercentText(*c.ev, 1, true),
                             PercentText(*c.evLow, 1, true), PercentText(*c.evHigh, 1, true));
    words.kelly = c.kelly > 0 ? TextWith(TextId::KellyValue, PercentText(c.kelly, 1),
                                         PercentText(c.halfKelly, 1))
                              : Text(TextId::KellyNone);
    return words;
}

}  // namespace spinalyst
