#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "core/stats/fairness_summary.h"
#include "ui/common/format.h"
#include "ui/common/texts.h"

namespace spinalyst {

// The words and numbers of the fairness page, in the language of the texts and with the
// program's decimal comma.

// A croupier's name by number.
using CroupierNamer = std::function<QString(std::int32_t)>;

// A p-value as a player reads it: three decimals, "< 0,001" below.
QString PText(double p);
// A Monte Carlo p-value with its standard error: "0,012 ± 0,001".
QString EstimateText(double p, double standardError);
// "adjusted p = 0,003" or "adjusted p < 0,001".
QString AdjustedPText(double p);

// What a finding is about, as a list names it: "pocket 17", "column 2", "black".
QString FindingSubject(const Finding& finding, RouletteKind kind);

// One finding as a sentence that starts in lower case where the language allows it.
QString FindingText(const Finding& finding, RouletteKind kind, const CroupierNamer& croupierName);
// The same with a capital first letter.
QString Capitalised(QString text);

// The headline of the verdict and the lines under it.
struct VerdictTexts {
    QString headline;
    QString details;
};
VerdictTexts VerdictWords(const VerdictStatement& verdict, RouletteKind kind,
                          const CroupierNamer& croupierName);

// The table's words for a row.
QString TestName(FairnessTest test);
QString SubjectText(const FairnessRow& row, RouletteKind kind, const CroupierNamer& croupierName);
QString StatisticText(const FairnessRow& row);

}  // namespace spinalyst
