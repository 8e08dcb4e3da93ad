#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "core/store/text_ids.h"

namespace spinalyst {

// The languages the program speaks, by the code the settings keep ("EN", "FR", in any case);
// another code reads as English.
enum class Language { English, French };
Language LanguageOfCode(std::string_view code);

// Whether a count takes the singular: in English 1 alone ("1 draw", "0 draws"), in French 0
// and 1 ("0 tirage", "1 tirage", "2 tirages").
bool TakesSingular(Language language, long long count);
// The text of a count: the singular form registered for `id` when the count takes it, `id`
// itself otherwise.
TextId CountedTextId(TextId id, Language language, long long count);

inline constexpr std::string_view languageFieldNumber = "NUMERO";
inline constexpr std::string_view languageFieldText = "TEXT";

// The texts of one language, by number.
class LanguageTable {
public:
    // Reads the file; false when it cannot be read. Either way the table is open afterwards,
    // so a text it lacks shows as its framed number. Damaged lines (no tab, a number that is
    // not a number, a number given twice) are skipped and the rest still counts.
    bool Load(const std::filesystem::path& file);
    void LoadFromText(std::string_view text);

    // The text; "<!n!>" when the table has no such record; empty before any Load.
    std::string Text(std::int32_t id) const;
    std::string Text(TextId id) const { return Text(static_cast<std::int32_t>(id)); }

    bool Contains(std::int32_t id) const { return texts_.contains(id); }

private:
    bool open_ = false;
    std::map<std::int32_t, std::string> texts_;
};

}  // namespace spinalyst
