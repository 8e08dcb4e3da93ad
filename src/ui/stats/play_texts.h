#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "core/draws/frozen_set.h"
#include "core/stats/freeze_confirm.h"
#include "core/stats/power_planner.h"

namespace spinalyst {

// The words and numbers of the fairness page's play tab: the power plan, the frozen set's
// figures and the line that says how far the evidence goes.

// A fraction as a percentage with `decimals` decimals ("12,3 %"), with its sign when asked.
QString PercentText(double fraction, int decimals, bool withSign = false);
// A count of spins; none is "over" the planner's horizon when there was an excess to detect,
// a dash when there was none.
QString SpinsText(const std::optional<int>& spins, const std::optional<double>& excess);
// Pockets as a list: "5-24-16" for a sector, "17, 20" for a set a player chose.
QString SectorText(const std::vector<Pocket>& pockets);
QString SetText(const std::vector<Pocket>& pockets);

// What the page says of the leading pocket or the frozen set: a frozen set is confirmed only by
// its own test on the draws after the freeze; a leader found in the draws is a candidate.
QString PlayLine(const PowerPlan& plan, const std::optional<FrozenSet>& freeze,
                 const std::optional<Confirmation>& confirmation);

// The frozen set's figures as the page shows them, a line each.
struct ConfirmationTexts {
    QString frozen;
    QString draws;
    QString hits;
    QString p;
    QString evidence;
    QString ret;
    QString kelly;
};
ConfirmationTexts ConfirmationWords(const FrozenSet& freeze, const Confirmation& c);

}  // namespace spinalyst
