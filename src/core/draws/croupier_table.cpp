#include "core/draws/croupier_table.h"

#include <algorithm>
#include <system_error>

#include "core/store/atomic_file.h"
#include "core/store/ini_file.h"
#include "core/store/name_order.h"
#include "core/store/text_encoding.h"
#include "core/store/text_table.h"

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
    return damaged_ ? LoadResult::Damaged : recoded_ ? LoadResult::Recoded : LoadResult::Loaded;
}

void CroupierTable::LoadFromText(std::string_view text) {
    croupiers_.clear();
    const TextTable table = ParseTextTable(text, {croupierFieldIdx, croupierFieldName});
    damaged_ = !table.headerFound || !table.damagedLines.empty();
    recoded_ = false;
    for (const auto& row : table.rows) {
        const auto idx = ParseWholeNumber(row[0]);
        if (!idx || *idx <= 0 || *idx > INT32_MAX) {
            damaged_ = true;
            continue;
        }
        // A name saved by a hand edit in a Latin code page rather than UTF-8.
        const bool utf8 = IsValidUtf8(row[1]);
        recoded_ = recoded_ || !utf8;
        croupiers_.push_back(
            {static_cast<std::int32_t>(*idx),
             CutToCharacters(utf8 ? row[1] : Windows1252ToUtf8(row[1]), croupierNameLength)});
    }
    // A number given twice keeps its first record.
    std::stable_sort(croupiers_.begin(), croupiers_.end(),
                     [](const Croupier& a, const Croupier& b) { return a.idx < b.idx; });
    const auto repeats =
        std::unique(croupiers_.begin(), croupiers_.end(),
                    [](const Croupier& a, const Croupier& b) { return a.idx == b.idx; });
    damaged_ = damaged_ || repeats != croupiers_.end();
    croupiers_.erase(repeats, croupiers_.end());
    keepOriginal_ = keepOriginal_ || damaged_ || recoded_;
}

std::int32_t CroupierTable::AddCroupier(std::string_view name) {
    // The next number after the highest, so a hole left by a damaged file is not reused while
    // there is room above; once the highest number is taken, the lowest free one.
    std::int32_t idx = 1;
    if (!croupiers_.empty() && croupiers_.back().idx < INT32_MAX) {
        idx = croupiers_.back().idx + 1;
    } else {
        for (const Croupier& c : croupiers_) {
            if (c.idx != idx) break;
            ++idx;
        }
    }
    const auto at = std::lower_bound(croupiers_.begin(), croupiers_.end(), idx,
                                     [](const Croupier& c, std::int32_t i) { return c.idx < i; });
    croupiers_.insert(at, {idx, CutToCharacters(name, croupierNameLength)});
    Save();
    return idx;
}

bool CroupierTable::KeepBackup(const std::string& original) const {
    std::error_code ec;
    for (int n = 0;; ++n) {
        auto bak = file_;
        bak += n == 0 ? std::string(".bak") : ".bak." + std::to_string(n);
        if (!std::filesystem::exists(bak, ec)) return !ec && WriteFileAtomically(bak, original);
        if (ReadWholeFile(bak) == original) return true;
    }
}

bool CroupierTable::Save() {
    lastSaveFailed_ = true;
    if (file_.empty()) return false;
    if (keepOriginal_) {
        std::error_code ec;
        const auto original = ReadWholeFile(file_);
        if (original && !KeepBackup(*original)) return false;
        if (!original && std::filesystem::exists(file_, ec)) return false;  // still unreadable
        keepOriginal_ = false;
    }
    lastSaveFailed_ = !WriteFileAtomically(file_, ToText());
    return !lastSaveFailed_;
}

std::string CroupierTable::ToText() const {
    std::vector<std::vector<std::string>> rows;
    rows.reserve(croupiers_.size());
    for (const Croupier& c : croupiers_) rows.push_back({std::to_string(c.idx), c.name});
    return SerializeTextTable({croupierFieldIdx, croupierFieldName}, rows);
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
    std::sort(names.begin(), names.end(), NameLess{});
    return names;
}

int AdoptCroupiers(DrawLog& log, const std::vector<std::string>& fileNames, CroupierTable& table) {
    if (fileNames.empty()) return 0;
    const int before = table.size();
    std::vector<std::int32_t> numbers(fileNames.size() + 1, 0);
    for (std::size_t k = 0; k < fileNames.size(); ++k) {
        // The table keeps names cut to their first characters: a longer name is that one.
        const std::string name = CutToCharacters(fileNames[k], croupierNameLength);
        const auto known = table.CroupierIndex(name);
        numbers[k + 1] = known ? *known : table.AddCroupier(name);
    }
    log.MapCroupiers(numbers);
    return table.size() - before;
}

}  // namespace spinalyst
