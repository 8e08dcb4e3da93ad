#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/draws/draw_log.h"

namespace spinalyst {

inline constexpr std::size_t croupierNameLength = 20;
inline constexpr std::string_view croupierFieldIdx = "idx";
inline constexpr std::string_view croupierFieldName = "name";

// The persistent table of croupier names. Croupiers are numbered 1, 2 ... in the order they
// were created and never deleted; 0 stands for no croupier everywhere.
class CroupierTable {
public:
    struct Croupier {
        std::int32_t idx = 0;
        std::string name;
    };
    // Recoded: the file held names that are not UTF-8; they were read as Windows-1252 and the
    // next write turns the file into UTF-8, after a backup.
    enum class LoadResult { Loaded, Recoded, Missing, Damaged, Unreadable };

    // A missing file gives an empty table. A damaged one keeps its readable records.
    LoadResult Load(const std::filesystem::path& file);
    void LoadFromText(std::string_view text);

    // Appends a croupier (the name cut to its first 20 characters) and writes the file at
    // once. Returns the new number; the croupier is kept in memory even when the write fails.
    std::int32_t AddCroupier(std::string_view name);
    // Writes the table; before the first rewrite of a damaged, recoded or unreadable file its
    // original content is kept beside it as "<file>.bak", or "<file>.bak.1", ".bak.2" ... when
    // an older backup differs, so that no damaged version is ever lost.
    bool Save();
    // The table as the file holds it.
    std::string ToText() const;

    std::optional<std::int32_t> CroupierIndex(std::string_view name) const;
    std::optional<std::string> CroupierName(std::int32_t idx) const;
    // Names in the order a person expects (see CompareNames), for the croupier lists.
    std::vector<std::string> SortedNames() const;
    const std::vector<Croupier>& croupiers() const { return croupiers_; }
    int size() const { return static_cast<int>(croupiers_.size()); }
    bool lastSaveFailed() const { return lastSaveFailed_; }

private:
    bool KeepBackup(const std::string& original) const;

    std::filesystem::path file_;
    std::vector<Croupier> croupiers_;  // ordered by idx
    bool keepOriginal_ = false;
    bool damaged_ = false;
    bool recoded_ = false;
    bool lastSaveFailed_ = false;
};

// Renumbers the croupiers of a log read from a file, whose croupier k is fileNames[k - 1], to
// the table's numbers, adding the names the table does not know (written at once, as any new
// croupier). Returns how many croupiers were added.
int AdoptCroupiers(DrawLog& log, const std::vector<std::string>& fileNames, CroupierTable& table);

// The first n characters of a UTF-8 text (characters, not bytes: "Zoé" is three).
std::string CutToCharacters(std::string_view text, std::size_t n);

}  // namespace spinalyst
