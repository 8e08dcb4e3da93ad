#include "core/store/name_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/draws/croupier_table.h"

namespace spinalyst {
namespace {

TEST(NameOrder, AccentsSitBesideTheirLetterAndCaseIsIgnored) {
    struct Case {
        const char* a;
        const char* b;
        int order;
    } cases[] = {
        {"Élodie", "Zoé", -1},    {"élodie", "Emile", -1}, {"Zoe", "Zoé", -1},
        {"eve", "Eve", -1},       {"Ève", "Eve", 1},       {"Œuvre", "Oeuvre", 1},
        {"Straße", "Strasse", 1}, {"Ærø", "Aero", 1},      {"", "a", -1},
        {"Zoé", "Zoé", 0},        {"Ann 2", "Ann 10", 1},  {"1", "ae", -1},
        {"\xC3", "\xC3\xA9", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        EXPECT_EQ(CompareNames(c.a, c.b), c.order);
        EXPECT_EQ(CompareNames(c.b, c.a), -c.order);
    }
    std::vector<std::string> names = {"Zoé", "Élodie", "alain", "Eve", "Édith",
                                      "Zoe", "éva",    "Emile", "eve", "Ølaf"};
    std::sort(names.begin(), names.end(), NameLess{});
    EXPECT_EQ(names, (std::vector<std::string>{"alain", "Édith", "Élodie", "Emile", "éva", "eve",
                                               "Eve", "Ølaf", "Zoe", "Zoé"}));

    CroupierTable table;
    table.LoadFromText("");
    for (const char* name : {"Zoé", "Élodie", "alain", ""}) table.AddCroupier(name);
    EXPECT_EQ(table.SortedNames(), (std::vector<std::string>{"", "alain", "Élodie", "Zoé"}));
}

}  // namespace
}  // namespace spinalyst
