#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/betting/plan.h"
#include "core/betting/rule.h"
#include "core/betting/system_error.h"

namespace spinalyst {

// A betting system as the player writes it, on no table yet: its rules (plain --bet options are
// rules `always => SLOT=AMOUNT`), the neighbours of its straight-up bets, the progression and
// the money rules. BindSystem puts it on a table as a BettingPlan.
struct System {
    std::vector<Rule> rules;
    int neighbours = 0;
    ProgressionSettings progression;
    MoneyRules money;
    friend bool operator==(const System&, const System&) = default;

    // Whether it is plain bets: rules that always hold and name their slots.
    bool plainBets() const;
};

// A PLAN option as given on a command line or a line of a system file: its name without the
// dashes, its value (nullopt for none), and for a file the line and the value's place in it.
struct PlanOption {
    std::string name;
    std::optional<std::string> value;
    int line = 0;
    std::size_t column = 0;
};

// The PLAN options, without their dashes: those that take a value, and the one flag.
inline constexpr std::array<std::string_view, 13> planValueOptions = {
    "bet",      "rule",      "neighbours", "progression", "line",      "sequence", "advance-on",
    "bankroll", "table-max", "at-limit",   "stop-win",    "stop-loss", "max-spins"};
inline constexpr std::string_view planFlag = "la-partage";
bool IsPlanOption(std::string_view name);

struct SystemParse {
    std::optional<System> system;
    std::optional<SystemError> error;
};

// Reads PLAN options, in the order given: --bet and --rule as often as wanted (not both), the
// others once each; the first fault is the error. The command line's --system is not among
// them: it names the file whose options these are.
SystemParse ReadPlanOptions(std::span<const PlanOption> options);

// The options of a system file's text, each with its line and the place of its value, or the
// first line that holds no option.
struct SystemLines {
    std::vector<PlanOption> options;
    std::optional<SystemError> error;
};
SystemLines SplitSystemText(std::string_view text);

// A system file's text: one PLAN option a line, "--NAME VALUE" (or "--NAME=VALUE"), the value
// being the rest of the line; "#" starts a comment that runs to the end of the line; blank
// lines are skipped.
SystemParse ParseSystem(std::string_view text);
// The system as a file holds it, one option a line: plain bets as --bet lines, other rules as
// --rule lines, then the options that differ from the defaults. ParseSystem reads it back
// as the same system.
std::string SystemText(const System& system);

// A system file read: nullopt system and error both when the file cannot be read.
SystemParse ReadSystemFile(const std::filesystem::path& file);
// Writes the file atomically; false when it could not be written, and then the file is as it
// was.
bool WriteSystemFile(const std::filesystem::path& file, const System& system);

}  // namespace spinalyst
