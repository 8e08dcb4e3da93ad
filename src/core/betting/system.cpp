#include "core/betting/system.h"

#include <algorithm>
#include <map>

#include "core/betting/money.h"
#include "core/betting/table_areas.h"
#include "core/store/atomic_file.h"

namespace spinalyst {

namespace {

SystemError OptionError(SystemErrorCode code, std::vector<std::string> args,
                        const PlanOption& option) {
    SystemError error;
    error.code = code;
    error.args = std::move(args);
    error.line = option.line;
    error.column = option.column;
    error.length = option.value ? option.value->size() : 0;
    error.offset = 0;
    return error;
}

// A whole number from min to max, as the command line reads them.
std::optional<std::int64_t> WholeNumber(std::string_view text, std::int64_t min, std::int64_t max) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < min || value > max) return std::nullopt;
    return value;
}

std::string AmountText(Cents amount) {
    return FormatAmount(amount, '.');
}

// Reads the options one kind at a time, as the command line always did, so that the first
// fault reported does not depend on the order they were written in.
class OptionsReader {
public:
    explicit OptionsReader(std::span<const PlanOption> options) : options_(options) {}

    SystemParse Read() {
        for (const PlanOption& o : options_) {
            const bool flag = o.name == planFlag;
            if (!flag && !IsPlanOption(o.name))
                return Fail(SystemErrorCode::UnknownOption, {"--" + o.name}, o);
            if (flag && o.value) return Fail(SystemErrorCode::TakesNoValue, {"--" + o.name}, o);
            if (!flag && !o.value) return Fail(SystemErrorCode::NeedsValue, {"--" + o.name}, o);
            if (o.name == "bet" || o.name == "rule") {
                (o.name == "bet" ? bets_ : rules_).push_back(&o);
                continue;
            }
            if (!once_.emplace(o.name, &o).second)
                return Fail(SystemErrorCode::GivenTwice, {"--" + o.name}, o);
        }
        if (!bets_.empty() && !rules_.empty())
            return Fail(SystemErrorCode::BetAndRule, {}, *rules_.front());
        if (!ReadProgression() || !ReadMoney()) return Failed();
        if (!ReadRules()) return Failed();
        return {std::move(system_), std::nullopt};
    }

private:
    const PlanOption* Option(const char* name) const {
        const auto at = once_.find(name);
        return at == once_.end() ? nullptr : at->second;
    }

    SystemParse Fail(SystemErrorCode code, std::vector<std::string> args, const PlanOption& o) {
        error_ = OptionError(code, std::move(args), o);
        return Failed();
    }
    SystemParse Failed() const { return {std::nullopt, error_}; }
    bool Fault(SystemErrorCode code, std::vector<std::string> args, const PlanOption& o) {
        Fail(code, std::move(args), o);
        return false;
    }

    std::optional<std::vector<Units>> Entries(const PlanOption& o) {
        std::vector<Units> entries;
        const std::string& text = *o.value;
        std::size_t start = 0;
        while (true) {
            const std::size_t comma = text.find(',', start);
            const std::string entry = text.substr(start, comma - start);
            const auto value = WholeNumber(entry, 1, maxProgressionEntry);
            if (!value) {
                Fail(SystemErrorCode::BadWholeNumber,
                     {"--" + o.name + " entries", "1", std::to_string(maxProgressionEntry), entry},
                     o);
                return std::nullopt;
            }
            entries.push_back(*value);
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        if (entries.size() > maxProgressionEntries) {
            Fail(SystemErrorCode::TooManyEntries,
                 {"--" + o.name, std::to_string(maxProgressionEntries)}, o);
            return std::nullopt;
        }
        return entries;
    }

    bool ReadProgression() {
        if (auto o = Option("neighbours")) {
            const auto n = WholeNumber(*o->value, 1, maxNeighbours);
            if (!n)
                return Fault(SystemErrorCode::BadWholeNumber,
                             {"--neighbours", "1", std::to_string(maxNeighbours), *o->value}, *o);
            system_.neighbours = static_cast<int>(*n);
        }
        ProgressionSettings& p = system_.progression;
        if (auto o = Option("progression")) {
            const auto kind = ProgressionFromName(*o->value);
            if (!kind) return Fault(SystemErrorCode::BadProgression, {*o->value}, *o);
            p.kind = *kind;
        }
        if (auto o = Option("line")) {
            if (p.kind != Progression::Labouchere)
                return Fault(SystemErrorCode::GoesWithOnly, {"--line", "labouchere"}, *o);
            const auto entries = Entries(*o);
            if (!entries) return false;
            p.line = *entries;
        }
        if (auto o = Option("sequence")) {
            if (p.kind != Progression::Sequence)
                return Fault(SystemErrorCode::GoesWithOnly, {"--sequence", "sequence"}, *o);
            const auto entries = Entries(*o);
            if (!entries) return false;
            p.sequence = *entries;
        }
        if (auto o = Option("advance-on")) {
            if (p.kind != Progression::Sequence)
                return Fault(SystemErrorCode::GoesWithOnly, {"--advance-on", "sequence"}, *o);
            const auto advance = AdvanceOnFromName(*o->value);
            if (!advance) return Fault(SystemErrorCode::BadAdvanceOn, {*o->value}, *o);
            p.advanceOn = *advance;
        }
        return true;
    }

    bool Amount(const char* name, std::optional<Cents>& amount) {
        const PlanOption* o = Option(name);
        if (!o) return true;
        const auto cents = ParseAmount(*o->value, '.');
        if (!cents || *cents <= 0)
            return Fault(SystemErrorCode::BadMoneyAmount, {"--" + o->name, *o->value}, *o);
        amount = cents;
        return true;
    }

    bool ReadMoney() {
        MoneyRules& r = system_.money;
        if (!Amount("bankroll", r.bankroll) || !Amount("table-max", r.tableMax)) return false;
        if (r.tableMax && *r.tableMax > maxSlotStake)
            return Fault(SystemErrorCode::TableMaxAboveLimit, {AmountText(maxSlotStake)},
                         *Option("table-max"));
        if (auto o = Option("at-limit")) {
            const auto atLimit = AtLimitFromName(*o->value);
            if (!atLimit) return Fault(SystemErrorCode::BadAtLimit, {*o->value}, *o);
            r.atLimit = *atLimit;
        }
        if (!Amount("stop-win", r.stopWin) || !Amount("stop-loss", r.stopLoss)) return false;
        if (auto o = Option("max-spins")) {
            const auto n = WholeNumber(*o->value, 1, 1'000'000'000);
            if (!n)
                return Fault(SystemErrorCode::BadWholeNumber,
                             {"--max-spins", "1", "1000000000", *o->value}, *o);
            r.maxSpins = *n;
        }
        r.laPartage = Option("la-partage") != nullptr;
        for (const char* name : {"bankroll", "stop-win", "stop-loss"}) {
            const PlanOption* o = Option(name);
            const auto amount = o ? ParseAmount(*o->value, '.') : std::nullopt;
            if (amount && *amount > maxPlanAmount)
                return Fault(SystemErrorCode::MoneyAboveLimit, {AmountText(maxPlanAmount)}, *o);
        }
        return true;
    }

    bool ReadRules() {
        const auto& given = bets_.empty() ? rules_ : bets_;
        if (given.size() > maxPlanRules)
            return Fault(SystemErrorCode::TooManyRules, {std::to_string(maxPlanRules)},
                         *given[maxPlanRules]);
        int number = 0;
        for (const PlanOption* o : given) {
            ++number;
            RuleParse parse =
                o->name == "bet" ? BetOptionRule(*o->value) : ParseRule(*o->value, number);
            if (parse.error) {
                error_ = *parse.error;
                error_->rule = number;
                error_->line = o->line;
                error_->column = o->column + parse.error->offset;
                return false;
            }
            parse.rule->line = o->line;
            system_.rules.push_back(std::move(*parse.rule));
        }
        return true;
    }

    std::span<const PlanOption> options_;
    std::map<std::string, const PlanOption*> once_;
    std::vector<const PlanOption*> bets_;
    std::vector<const PlanOption*> rules_;
    System system_;
    std::optional<SystemError> error_;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

}  // namespace

bool System::plainBets() const {
    return !rules.empty() && std::all_of(rules.begin(), rules.end(), [](const Rule& rule) {
        return rule.alwaysTrue() &&
               std::all_of(rule.bets.begin(), rule.bets.end(),
                           [](const RuleBet& bet) { return bet.target == BetTarget::Named; });
    });
}

bool IsPlanOption(std::string_view name) {
    return std::find(planValueOptions.begin(), planValueOptions.end(), name) !=
           planValueOptions.end();
}

SystemParse ReadPlanOptions(std::span<const PlanOption> options) {
    return OptionsReader(options).Read();
}

SystemLines SplitSystemText(std::string_view text) {
    SystemLines lines;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    int number = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        ++number;
        start = end + 1;
        if (const auto hash = line.find('#'); hash != std::string_view::npos)
            line = line.substr(0, hash);
        std::size_t from = 0;
        while (from < line.size() && IsBlank(line[from])) ++from;
        std::size_t to = line.size();
        while (to > from && IsBlank(line[to - 1])) --to;
        if (from == to) continue;
        const std::string_view content = line.substr(from, to - from);
        if (!content.starts_with("--") || content.size() == 2) {
            SystemError error;
            error.code = SystemErrorCode::NotAnOption;
            error.args = {std::string(content.substr(0, content.find_first_of(" \t")))};
            error.line = number;
            error.column = from;
            error.length = error.args.front().size();
            lines.error = error;
            return lines;
        }
        PlanOption option;
        option.line = number;
        std::size_t nameEnd = 2;
        while (nameEnd < content.size() && !IsBlank(content[nameEnd]) && content[nameEnd] != '=')
            ++nameEnd;
        option.name = std::string(content.substr(2, nameEnd - 2));
        std::size_t valueStart = nameEnd;
        if (valueStart < content.size() && content[valueStart] == '=') ++valueStart;
        while (valueStart < content.size() && IsBlank(content[valueStart])) ++valueStart;
        if (valueStart < content.size() || (nameEnd < content.size() && content[nameEnd] == '='))
            option.value = std::string(content.substr(valueStart));
        option.column = from + valueStart;
        lines.options.push_back(std::move(option));
    }
    return lines;
}

SystemParse ParseSystem(std::string_view text) {
    const SystemLines lines = SplitSystemText(text);
    if (lines.error) return {std::nullopt, lines.error};
    return ReadPlanOptions(lines.options);
}

std::string SystemText(const System& system) {
    std::string text;
    const auto line = [&](std::string_view name, const std::string& value) {
        text += "--";
        text += name;
        if (!value.empty()) text += ' ' + value;
        text += '\n';
    };
    const bool asBets = !system.rules.empty() &&
                        std::all_of(system.rules.begin(), system.rules.end(),
                                    [](const Rule& r) { return r.fromBet && r.bets.size() == 1; });
    for (const Rule& rule : system.rules) {
        const std::string written = RuleText(rule);
        line(asBets ? "bet" : "rule", asBets ? written.substr(written.find("=> ") + 3) : written);
    }
    if (system.neighbours > 0) line("neighbours", std::to_string(system.neighbours));
    const ProgressionSettings& p = system.progression;
    if (p.kind != Progression::Flat) line("progression", std::string(ProgressionName(p.kind)));
    const auto entries = [](const std::vector<Units>& units) {
        std::string joined;
        for (Units u : units) joined += (joined.empty() ? "" : ",") + std::to_string(u);
        return joined;
    };
    if (p.kind == Progression::Labouchere) line("line", entries(p.line));
    if (p.kind == Progression::Sequence) {
        line("sequence", entries(p.sequence));
        if (p.advanceOn != AdvanceOn::Loss)
            line("advance-on", std::string(AdvanceOnName(p.advanceOn)));
    }
    const MoneyRules& r = system.money;
    if (r.bankroll) line("bankroll", AmountText(*r.bankroll));
    if (r.tableMax) line("table-max", AmountText(*r.tableMax));
    if (r.atLimit != AtLimit::Reset) line("at-limit", std::string(AtLimitName(r.atLimit)));
    if (r.stopWin) line("stop-win", AmountText(*r.stopWin));
    if (r.stopLoss) line("stop-loss", AmountText(*r.stopLoss));
    if (r.maxSpins) line("max-spins", std::to_string(*r.maxSpins));
    if (r.laPartage) line("la-partage", "");
    return text;
}

SystemParse ReadSystemFile(const std::filesystem::path& file) {
    const auto text = ReadWholeFile(file);
    if (!text) return {};
    return ParseSystem(*text);
}

bool WriteSystemFile(const std::filesystem::path& file, const System& system) {
    return WriteFileAtomically(file, SystemText(system));
}

}  // namespace spinalyst
