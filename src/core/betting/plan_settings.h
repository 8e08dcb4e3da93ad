#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/betting/plan.h"
#include "core/store/ini_file.h"

namespace spinalyst {

inline constexpr std::string_view planSection = "Progression";

// What the Bets page's progression box and the Strategy page edit: the progression (none for
// the plain table), its money rules, and the Monte Carlo run's size and wheel.
struct PlanSettings {
    std::optional<Progression> progression;
    ProgressionSettings entries;
    MoneyRules rules;
    std::int64_t sessions = 10'000;
    std::int64_t maxSpins = 100;
    bool wheelAsRecorded = false;
    friend bool operator==(const PlanSettings&, const PlanSettings&) = default;
};

// Reads the "Progression" section; a value that is missing or cannot be read is the default.
PlanSettings ReadPlanSettings(const IniFile& ini);
void WritePlanSettings(IniFile& ini, const PlanSettings& settings);

// "1,2,3,4" and back; nullopt for anything but whole numbers separated by commas.
std::string EntriesText(const std::vector<Units>& entries);
std::optional<std::vector<Units>> ParseEntries(std::string_view text);

}  // namespace spinalyst
