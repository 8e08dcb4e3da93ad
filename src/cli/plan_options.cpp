#include "cli/plan_options.h"

#include <algorithm>

#include "core/betting/bind_system.h"
#include "core/store/atomic_file.h"

namespace spinalyst::cli {

namespace {

// The message of a fault in the options, after the system file's name and line when it is
// there.
UsageError ErrorOf(const SystemError& error, const std::string& systemFile) {
    std::string message = SystemErrorMessage(error);
    if (error.line > 0) message = systemFile + ':' + std::to_string(error.line) + ": " + message;
    return UsageError{message};
}

bool IsRuleOption(std::string_view name) {
    return name == "bet" || name == "rule";
}

}  // namespace

PlanOptions TakePlanOptions(const std::vector<std::string>& args, std::size_t from,
                            std::vector<std::string>& rest) {
    std::vector<PlanOption> given;
    std::optional<std::string> systemFile;
    for (std::size_t i = from; i < args.size(); ++i) {
        const std::string& a = args[i];
        const std::size_t eq = a.find('=');
        const std::string name =
            a.starts_with("--") ? a.substr(2, eq == std::string::npos ? std::string::npos : eq - 2)
                                : std::string();
        const bool flag = name == planFlag;
        if (!flag && !IsPlanOption(name) && name != "system") {
            rest.push_back(a);
            continue;
        }
        PlanOption option{name, std::nullopt};
        if (eq != std::string::npos)
            option.value = a.substr(eq + 1);
        else if (!flag && i + 1 < args.size())
            option.value = args[++i];
        if (name != "system") {
            given.push_back(std::move(option));
            continue;
        }
        if (!option.value) throw UsageError{"option '--system' needs a value"};
        if (systemFile) throw UsageError{"option '--system' given twice"};
        systemFile = *option.value;
    }
    PlanOptions options;
    std::vector<PlanOption> all;
    if (systemFile) {
        options.systemFile = *systemFile;
        const auto text = ReadWholeFile(*systemFile);
        if (!text) throw UsageError{"--system: cannot read '" + *systemFile + "'"};
        SystemLines lines = SplitSystemText(*text);
        if (lines.error) throw ErrorOf(*lines.error, *systemFile);
        for (const PlanOption& o : given)
            if (IsRuleOption(o.name))
                throw UsageError{"--system " + *systemFile +
                                 " holds the plan's bets: --bet and --rule do not go with it"};
        // An option given here replaces the file's.
        for (PlanOption& o : lines.options) {
            const bool replaced = std::any_of(
                given.begin(), given.end(), [&](const PlanOption& g) { return g.name == o.name; });
            if (!replaced) all.push_back(std::move(o));
        }
    }
    all.insert(all.end(), given.begin(), given.end());
    SystemParse parse = ReadPlanOptions(all);
    if (parse.error) throw ErrorOf(*parse.error, options.systemFile);
    options.system = std::move(*parse.system);
    return options;
}

BettingPlan BuildPlan(const PlanOptions& options, RouletteKind kind, std::string_view command) {
    PlanBind bind = BindSystem(options.system, kind);
    if (bind.plan) return std::move(*bind.plan);
    if (bind.error->code == SystemErrorCode::NoBetsInPlan)
        throw UsageError{std::string(command) +
                         " needs at least one --bet SLOT=AMOUNT or --rule \"WHEN => BETS\""};
    throw ErrorOf(*bind.error, options.systemFile);
}

}  // namespace spinalyst::cli
