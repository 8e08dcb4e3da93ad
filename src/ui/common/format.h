#pragma once

#include <QString>
#include <optional>

#include "core/betting/plan.h"
#include "core/model/roulette.h"

namespace spinalyst {

// How every page writes numbers and money: the program's decimal comma, in one place.

// An amount of money with its two decimals: "1,50", "-12,00".
QString AmountText(Cents amount);
// A figure with `decimals` decimals and a comma, never "-0,00".
QString DecimalText(double value, int decimals);
// A figure with `digits` significant digits and a comma: "0,001".
QString SignificantText(double value, int digits);

// The progression's name in the language of the texts.
QString ProgressionCaption(Progression progression);

// The text of an amount field: empty for none, else the amount with the decimal comma.
QString AmountFieldText(const std::optional<Cents>& amount);
// An amount field read back: nullopt inside for an empty field; nullopt outside for text that
// is no positive amount up to `limit` (a "." is taken for the decimal comma).
std::optional<std::optional<Cents>> ReadAmountField(const QString& text,
                                                    Cents limit = maxPlanAmount);

}  // namespace spinalyst
