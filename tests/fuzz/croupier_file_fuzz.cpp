// The croupier file: any text gives a table of distinct positive numbers with names of at most
// 20 characters in UTF-8; a new croupier always gets a free number; the table reads back as it
// is written; the name order is a total order.
#include <algorithm>
#include <cstdint>
#include <set>

#include "core/draws/croupier_table.h"
#include "core/store/name_order.h"
#include "core/store/text_encoding.h"
#include "fuzz_check.h"

using namespace spinalyst;
using fuzz::Check;

namespace {

void CheckTable(const CroupierTable& table) {
    const auto& croupiers = table.croupiers();
    for (std::size_t i = 0; i < croupiers.size(); ++i) {
        Check(croupiers[i].idx > 0, "numbers are positive");
        Check(i == 0 || croupiers[i - 1].idx < croupiers[i].idx, "numbers are distinct, ordered");
        Check(IsValidUtf8(croupiers[i].name), "names are UTF-8");
        Check(CutToCharacters(croupiers[i].name, croupierNameLength) == croupiers[i].name,
              "names hold at most 20 characters");
        Check(table.CroupierName(croupiers[i].idx) == croupiers[i].name, "look-up by number");
    }
}

bool SameCroupiers(const CroupierTable& a, const CroupierTable& b) {
    return std::equal(
        a.croupiers().begin(), a.croupiers().end(), b.croupiers().begin(), b.croupiers().end(),
        [](const auto& x, const auto& y) { return x.idx == y.idx && x.name == y.name; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);
    CroupierTable table;
    table.LoadFromText(text);
    CheckTable(table);

    std::set<std::int32_t> used;
    for (const auto& c : table.croupiers()) used.insert(c.idx);
    for (const char* name : {"Zoé", "Alain\r"}) {
        const std::int32_t idx = table.AddCroupier(name);
        Check(idx > 0 && used.insert(idx).second, "a new croupier gets a free number");
        CheckTable(table);
    }

    CroupierTable back;
    back.LoadFromText(table.ToText());
    Check(SameCroupiers(table, back), "the table reads back as written");

    const std::vector<std::string> names = table.SortedNames();
    for (std::size_t i = 0; i + 1 < names.size(); ++i) {
        Check(CompareNames(names[i], names[i + 1]) <= 0, "names are in order");
        Check(CompareNames(names[i + 1], names[i]) == -CompareNames(names[i], names[i + 1]),
              "the order is antisymmetric");
        Check((CompareNames(names[i], names[i + 1]) == 0) == (names[i] == names[i + 1]),
              "only equal names compare equal");
    }
    return 0;
}
