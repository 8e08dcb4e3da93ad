#include "draws/croupier_table.h"

#include <algorithm>
#include <cctype>
#include <system_error>

#include "store/atomic_file.h"
#include "store/ini_file.h"
#include "store/text_table.h"

namespace spinalyst {

std::string CutToCharacters(std::string_view text, std::size_t n) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool starts = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (starts && chars++ == n) return std::string(text.substr(0, i));
    }
    return std::string(text);
}

CroupierTable::LoadResult CroupierTable::Load(const std::filesystem::path& file) {
    file_ = file;
    croupiers_.clear();
    keepOriginal_ = false;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) return LoadResult::Missing;
    const auto text = ReadWholeFile(file);
    if (!text) {
        keepOriginal_ = true;
        return LoadResult::Unreadable;
    }
    LoadFromText(*text);
    return keepOriginal_ ? LoadResult::Damaged : LoadResult::Loaded;
}

void CroupierTable::LoadFromText(std::string_view text) {
    croupiers_.clear();
    const TextTable table = ParseTextTable(text, {croupierFieldIdx, croupierFieldName});
    bool damaged = !table.headerFound || !table.damagedLines.empty();
    for (const auto& row : table.rows) {
        const auto idx = ParseWholeNumber(row[0]);
        const bool taken = idx && std::any_of(croupiers_.begin(), croupiers_.end(),
                                              [&](const Croupier& c) { return c.idx == *idx; });
        if (!idx || *idx <= 0 || *idx > INT32_MAX || taken) {
            damaged = true;
            continue;
        }
        croupiers_.push_back(
            {static_cast<std::int32_t>(*idx), CutToCharacters(row[1], croupierNameLength)});
    }
    std::sort(croupiers_.begin(), croupiers_.end(),
              [](const Croupier& a, const Croupier& b) { return a.idx < b.idx; });
    keepOriginal_ = keepOriginal_ || damaged;
}

std::int32_t CroupierTable::AddCroupier(std::string_view name) {
    // The next number after the highest, so a hole left by a damaged file is never reused.
    const std::int32_t idx = croupiers_.empty() ? 1 : croupiers_.back().idx + 1;
    croupiers_.push_back({idx, CutToCharacters(name, croupierNameLength)});
    Save();
    return idx;
}

bool CroupierTable::Save() {
    lastSaveFailed_ = true;
    if (file_.empty()) return false;
    if (keepOriginal_) {
        std::error_code ec;
        auto bak = file_;
        bak += ".bak";
        const auto original = ReadWholeFile(file_);
        if (original && !std::filesystem::exists(bak, ec) && !WriteFileAtomically(bak, *original))
            return false;
        if (!original && std::filesystem::exists(file_, ec)) return false;  // still unreadable
        keepOriginal_ = false;
    }
    std::vector<std::vector<std::string>> rows;
    rows.reserve(croupiers_.size());
    for (const Croupier& c : croupiers_) rows.push_back({std::to_string(c.idx), c.name});
    lastSaveFailed_ = !WriteFileAtomically(
        file_, SerializeTextTable({croupierFieldIdx, croupierFieldName}, rows));
    return !lastSaveFailed_;
}

std::optional<std::int32_t> CroupierTable::CroupierIndex(std::string_view name) const {
    for (const Croupier& c : croupiers_)
        if (c.name == name) return c.idx;
    return std::nullopt;
}

std::optional<std::string> CroupierTable::CroupierName(std::int32_t idx) const {
    auto it = std::lower_bound(croupiers_.begin(), croupiers_.end(), idx,
                               [](const Croupier& c, std::int32_t i) { return c.idx < i; });
    if (it == croupiers_.end() || it->idx != idx) return std::nullopt;
    return it->name;
}

std::vector<std::string> CroupierTable::SortedNames() const {
    std::vector<std::string> names;
    names.reserve(croupiers_.size());
    for (const Croupier& c : croupiers_) names.push_back(c.name);
    auto folded = [](const std::string& s) {
        std::string f(s);
        for (char& ch : f) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        return f;
    };
    std::stable_sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        const auto fa = folded(a), fb = folded(b);
        return fa != fb ? fa < fb : a < b;
    });
    return names;
}

}  // namespace spinalyst
