// The tab-separated tables of the language and croupier files: any text reads without harm, and
// the records read are written and read back the same, whatever their fields hold.
#include <cstdint>

#include "core/store/language_table.h"
#include "core/store/text_table.h"
#include "fuzz_check.h"

using namespace spinalyst;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);
    const TextTable table = ParseTextTable(text, {"idx", "name"});
    for (const auto& row : table.rows) Check(row.size() == 2, "a record has the header's fields");

    const std::string written = SerializeTextTable({"idx", "name"}, table.rows);
    const TextTable back = ParseTextTable(written, {"idx", "name"});
    Check(back.headerFound && back.damagedLines.empty(), "a written table is whole");
    Check(back.rows == table.rows, "records read back as written");
    for (const auto& row : table.rows)
        for (const auto& field : row)
            Check(UnescapeField(EscapeField(field)) == field, "a field reads back as written");

    LanguageTable language;
    language.LoadFromText(text);
    language.Text(26);
    return 0;
}
