#include "core/betting/plan_settings.h"

#include "core/betting/money.h"

namespace spinalyst {

namespace {

std::optional<Cents> ReadAmount(const IniFile& ini, std::string_view key) {
    const auto text = ini.Get(planSection, key);
    if (!text || text->empty()) return std::nullopt;
    const auto amount = ParseAmount(*text, '.');
    if (!amount || *amount <= 0 || *amount > maxPlanAmount) return std::nullopt;
    return amount;
}

void WriteAmount(IniFile& ini, std::string_view key, const std::optional<Cents>& amount) {
    ini.Set(planSection, key, amount ? FormatAmount(*amount, '.') : std::string());
}

}  // namespace

std::string EntriesText(const std::vector<Units>& entries) {
    std::string text;
    for (Units u : entries) text += (text.empty() ? "" : ",") + std::to_string(u);
    return text;
}

std::optional<std::vector<Units>> ParseEntries(std::string_view text) {
    std::vector<Units> entries;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        std::string_view entry = text.substr(start, comma - start);
        while (!entry.empty() && entry.front() == ' ') entry.remove_prefix(1);
        while (!entry.empty() && entry.back() == ' ') entry.remove_suffix(1);
        const auto value = ParseWholeNumber(entry);
        if (!value || *value < 1 || *value > maxProgressionEntry) return std::nullopt;
        entries.push_back(*value);
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (entries.size() > maxProgressionEntries) return std::nullopt;
    return entries;
}

PlanSettings ReadPlanSettings(const IniFile& ini) {
    PlanSettings s;
    if (const auto name = ini.Get(planSection, "Name")) s.progression = ProgressionFromName(*name);
    if (const auto line = ini.Get(planSection, "Line"))
        if (const auto entries = ParseEntries(*line)) s.entries.line = *entries;
    if (const auto sequence = ini.Get(planSection, "Sequence"))
        if (const auto entries = ParseEntries(*sequence)) s.entries.sequence = *entries;
    if (const auto advance = ini.Get(planSection, "AdvanceOn"))
        s.entries.advanceOn = AdvanceOnFromName(*advance).value_or(AdvanceOn::Loss);
    MoneyRules& r = s.rules;
    r.bankroll = ReadAmount(ini, "Bankroll");
    r.tableMax = ReadAmount(ini, "TableMax");
    if (r.tableMax && *r.tableMax > maxSlotStake) r.tableMax.reset();
    if (const auto atLimit = ini.Get(planSection, "AtLimit"))
        r.atLimit = AtLimitFromName(*atLimit).value_or(AtLimit::Reset);
    r.stopWin = ReadAmount(ini, "StopWin");
    r.stopLoss = ReadAmount(ini, "StopLoss");
    r.laPartage = ini.GetBool(planSection, "LaPartage", false);
    const long long sessions = ini.GetInt(planSection, "Sessions", s.sessions);
    if (sessions >= 1 && sessions <= 10'000'000) s.sessions = sessions;
    const long long maxSpins = ini.GetInt(planSection, "MaxSpins", s.maxSpins);
    if (maxSpins >= 1 && maxSpins <= 1'000'000) s.maxSpins = maxSpins;
    s.wheelAsRecorded = ini.GetBool(planSection, "WheelAsRecorded", false);
    return s;
}

void WritePlanSettings(IniFile& ini, const PlanSettings& s) {
    ini.Set(planSection, "Name", s.progression ? ProgressionName(*s.progression) : "");
    ini.Set(planSection, "Line", EntriesText(s.entries.line));
    ini.Set(planSection, "Sequence", EntriesText(s.entries.sequence));
    ini.Set(planSection, "AdvanceOn", AdvanceOnName(s.entries.advanceOn));
    WriteAmount(ini, "Bankroll", s.rules.bankroll);
    WriteAmount(ini, "TableMax", s.rules.tableMax);
    ini.Set(planSection, "AtLimit", AtLimitName(s.rules.atLimit));
    WriteAmount(ini, "StopWin", s.rules.stopWin);
    WriteAmount(ini, "StopLoss", s.rules.stopLoss);
    ini.SetBool(planSection, "LaPartage", s.rules.laPartage);
    ini.SetInt(planSection, "Sessions", s.sessions);
    ini.SetInt(planSection, "MaxSpins", s.maxSpins);
    ini.SetBool(planSection, "WheelAsRecorded", s.wheelAsRecorded);
}

}  // namespace spinalyst
