#include "ui/stats/fairness_texts.h"

#include <QStringList>

#include "ui/common/texts.h"

namespace spinalyst {

namespace {
QString PocketName(Pocket p) {
    return QString::fromStdString(PocketText(p));
}

QString ArcText(RouletteKind kind, const SectorArc& arc) {
    QStringList pockets;
    for (Pocket p : ArcPockets(kind, arc)) pockets << PocketName(p);
    return pockets.join('-');
}

QString BoxSubject(OutsideFamily family, int cell, RouletteKind kind) {
    if (IsGreenCell(family, cell))
        return Text(kind == RouletteKind::American ? TextId::ZerosSubject : TextId::ZeroSubject);
    const bool first = cell == 0;
    switch (family) {
        case OutsideFamily::Dozens:
            return TextWith(TextId::DozenSubject, cell + 1);
        case OutsideFamily::Columns:
            return TextWith(TextId::ColumnSubject, cell + 1);
        case OutsideFamily::RedBlack:
            return Text(first ? TextId::RedSubject : TextId::BlackSubject);
        case OutsideFamily::EvenOdd:
            return Text(first ? TextId::EvenSubject : TextId::OddSubject);
        case OutsideFamily::LowHigh:
            return Text(first ? TextId::LowSubject : TextId::HighSubject);
    }
    return {};
}

QString FamilyName(OutsideFamily family) {
    switch (family) {
        case OutsideFamily::Dozens:
            return Text(TextId::DozensSubject);
        case OutsideFamily::Columns:
            return Text(TextId::ColumnsSubject);
        case OutsideFamily::RedBlack:
            return Text(TextId::RedBlackSubject);
        case OutsideFamily::EvenOdd:
            return Text(TextId::EvenOddSubject);
        case OutsideFamily::LowHigh:
            return Text(TextId::LowHighSubject);
    }
    return {};
}

QString ChancePair(EvenChance chance) {
    switch (chance) {
        case EvenChance::RedBlack:
            return Text(TextId::RedAndBlack);
        case EvenChance::EvenOdd:
            return Text(TextId::EvenAndOdd);
        case EvenChance::LowHigh:
            return Text(TextId::LowAndHigh);
    }
    return {};
}

QString Often(bool more, const QString& subject, const QString& p) {
    return TextWith(more ? TextId::ComesMoreOften : TextId::ComesLessOften, subject, p);
}
}  // namespace

QString PText(double p) {
    return p < 0.001 ? QStringLiteral("< ") + DecimalText(0.001, 3) : DecimalText(p, 3);
}

QString EstimateText(double p, double standardError) {
    if (p < 0.001) return PText(p);
    // One significant digit: the estimate is no surer than that.
    return PText(p) + QStringLiteral(" ± ") + SignificantText(standardError, 1);
}

QString AdjustedPText(double p) {
    return p < 0.001 ? TextWith(TextId::AdjustedPBelow, DecimalText(0.001, 3))
                     : TextWith(TextId::AdjustedPEquals, DecimalText(p, 3));
}

// A croupier, and the spins tested when the test took one direction's alone.
QString DealerSubject(std::int32_t croupier, SpinDirection direction,
                      const CroupierNamer& croupierName) {
    if (direction == SpinDirection::Unknown) return croupierName(croupier);
    return croupierName(croupier) + " (" +
           Text(direction == SpinDirection::Clockwise ? TextId::ClockwiseSpins
                                                      : TextId::AnticlockwiseSpins) +
           ")";
}

QString FindingSubject(const Finding& f, RouletteKind kind) {
    switch (f.kind) {
        case FindingKind::PocketSpread:
            return Text(TextId::SpreadOfPockets);
        case FindingKind::SinglePocket:
            return TextWith(TextId::PocketSubject, PocketName(f.subject));
        case FindingKind::Family:
            return BoxSubject(static_cast<OutsideFamily>(f.subject), f.cell, kind);
        case FindingKind::Sector:
            return TextWith(TextId::SectorSubject, ArcText(kind, f.arc));
        case FindingKind::Dealer:
        case FindingKind::Runs:
        case FindingKind::Serial:
            break;
    }
    return {};
}

QString FindingText(const Finding& f, RouletteKind kind, const CroupierNamer& croupierName) {
    const QString p = AdjustedPText(f.pAdjusted);
    switch (f.kind) {
        case FindingKind::PocketSpread:
            return TextWith(TextId::PocketsUneven, p);
        case FindingKind::SinglePocket:
            return Often(f.more, TextWith(TextId::PocketSubject, PocketName(f.subject)), p);
        case FindingKind::Family:
            return Often(f.more, BoxSubject(static_cast<OutsideFamily>(f.subject), f.cell, kind),
                         p);
        case FindingKind::Sector:
            return Often(f.more, TextWith(TextId::SectorSubject, ArcText(kind, f.arc)), p);
        case FindingKind::Dealer:
            // Distance 0 is the same number again.
            if (f.cell == 0)
                return TextWith(TextId::DealerRepeat,
                                DealerSubject(f.subject, f.direction, croupierName), p);
            return TextWith(TextId::DealerDistance,
                            DealerSubject(f.subject, f.direction, croupierName),
                            QString::number(f.cell), p);
        case FindingKind::Runs:
            return TextWith(f.more ? TextId::RunsAlternate : TextId::RunsStreak,
                            ChancePair(static_cast<EvenChance>(f.subject)), p);
        case FindingKind::Serial:
            return TextWith(TextId::SerialDependence, p);
    }
    return {};
}

QString Capitalised(QString text) {
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    return text;
}

VerdictTexts VerdictWords(const VerdictStatement& v, RouletteKind kind,
                          const CroupierNamer& croupierName) {
    VerdictTexts words;
    switch (v.headline) {
        case VerdictStatement::Headline::NoDraws:
            words.headline = Text(TextId::VerdictNoDraws);
            break;
        case VerdictStatement::Headline::NoEvidence:
            words.headline = CountedText(TextId::VerdictNoEvidence, v.drawCount).arg(v.drawCount);
            if (v.withinChance)
                words.details = TextWith(TextId::WithinChance,
                                         FindingText(*v.withinChance, kind, croupierName));
            break;
        case VerdictStatement::Headline::Evidence: {
            QStringList lines;
            for (std::size_t i = 0; i < v.standing.size(); ++i) {
                const QString sentence =
                    Capitalised(FindingText(v.standing[i], kind, croupierName));
                if (i == 0)
                    words.headline = sentence;
                else
                    lines << sentence;
            }
            if (!v.following.empty()) {
                QStringList subjects;
                for (const Finding& f : v.following) subjects << FindingSubject(f, kind);
                // The green box of every family is the same zero: named once.
                subjects.removeDuplicates();
                // Right under the headline, which they follow from.
                lines.prepend(TextWith(TextId::FollowingFromIt, subjects.join(", ")));
            }
            if (v.moreStanding > 0) lines << TextWith(TextId::MoreFindings, v.moreStanding);
            lines << CountedText(TextId::DrawsTested, v.drawCount).arg(v.drawCount);
            words.details = lines.join('\n');
            break;
        }
    }
    return words;
}

QString TestName(FairnessTest test) {
    switch (test) {
        case FairnessTest::PocketSpread:
            return Text(TextId::TestPockets);
        case FairnessTest::SinglePocket:
            return Text(TextId::TestPocket);
        case FairnessTest::Family:
            return Text(TextId::TestOutside);
        case FairnessTest::Sector:
            return Text(TextId::TestSector);
        case FairnessTest::BestSector:
            return Text(TextId::TestBestSector);
        case FairnessTest::Dealer:
            return Text(TextId::TestDealer);
        case FairnessTest::Runs:
            return Text(TextId::TestRuns);
        case FairnessTest::Serial:
            return Text(TextId::TestSerial);
    }
    return {};
}

QString SubjectText(const FairnessRow& row, RouletteKind kind, const CroupierNamer& croupierName) {
    switch (row.test) {
        case FairnessTest::PocketSpread:
            return Text(TextId::AllPockets);
        case FairnessTest::SinglePocket:
            return PocketName(row.subject);
        case FairnessTest::Family:
            return FamilyName(static_cast<OutsideFamily>(row.subject));
        case FairnessTest::Sector:
        case FairnessTest::BestSector: {
            const std::vector<Pocket> pockets = ArcPockets(kind, row.arc);
            if (pockets.empty()) return {};
            return TextWith(TextId::ArcSubject, QString::number(row.arc.length),
                            PocketName(pockets.front()), PocketName(pockets.back()));
        }
        case FairnessTest::Dealer:
            return DealerSubject(row.subject, row.direction, croupierName);
        case FairnessTest::Runs:
            return FamilyName(FamilyOf(static_cast<EvenChance>(row.subject)));
        case FairnessTest::Serial:
            return Text(TextId::WheelPlacesSubject);
    }
    return {};
}

QString StatisticText(const FairnessRow& row) {
    switch (row.test) {
        case FairnessTest::Sector:
        case FairnessTest::BestSector:
            return QString::number(static_cast<int>(row.statistic));
        case FairnessTest::Serial:
            return DecimalText(row.statistic, 4);
        default:
            return DecimalText(row.statistic, 2);
    }
}

}  // namespace spinalyst
