#include "core/store/language_table.h"

#include "core/store/atomic_file.h"
#include "core/store/ini_file.h"
#include "core/store/text_table.h"

namespace spinalyst {

bool LanguageTable::Load(const std::filesystem::path& file) {
    const auto text = ReadWholeFile(file);
    LoadFromText(text ? *text : std::string());
    return text.has_value();
}

void LanguageTable::LoadFromText(std::string_view text) {
    open_ = true;
    texts_.clear();
    const TextTable table = ParseTextTable(text, {languageFieldNumber, languageFieldText});
    for (const auto& row : table.rows) {
        const auto number = ParseWholeNumber(row[0]);
        if (!number || *number < INT32_MIN || *number > INT32_MAX) continue;
        // The first record of a number counts; a repeat is skipped like any damaged line.
        texts_.emplace(static_cast<std::int32_t>(*number), row[1]);
    }
}

std::string LanguageTable::Text(std::int32_t id) const {
    if (!open_) return {};
    if (auto it = texts_.find(id); it != texts_.end()) return it->second;
    return "<!" + std::to_string(id) + "!>";
}

Language LanguageOfCode(std::string_view code) {
    const bool french = code.size() == 2 && (code[0] == 'F' || code[0] == 'f') &&
                        (code[1] == 'R' || code[1] == 'r');
    return french ? Language::French : Language::English;
}

bool TakesSingular(Language language, long long count) {
    return language == Language::French ? count == 0 || count == 1 : count == 1;
}

TextId CountedTextId(TextId id, Language language, long long count) {
    if (!TakesSingular(language, count)) return id;
    for (const CountedTextForms& forms : countedTexts)
        if (forms.plural == id) return forms.singular;
    return id;
}

}  // namespace spinalyst
