#include "core/draws/spin_file.h"

#include <gtest/gtest.h>

namespace spinalyst {
namespace {

TEST(SpinList, ReadsSeparatorsCommentsAndDoubleZero) {
    const SpinList list = ParseSpinList(
        "\xEF\xBB\xBF# a session\n1, 2;3\t00  # after 00\r\n\n36;;0\n", RouletteKind::American);
    ASSERT_TRUE(list.ok()) << list.error->message;
    EXPECT_EQ(list.pockets, (std::vector<Pocket>{1, 2, 3, DoubleZero, 36, 0}));
    EXPECT_TRUE(ParseSpinList("", RouletteKind::French).pockets.empty());
    EXPECT_TRUE(ParseSpinList("# only a comment", RouletteKind::French).ok());
}

TEST(SpinList, ErrorsNameLineColumnAndTokenAndReturnNothing) {
    struct Case {
        const char* text;
        RouletteKind kind;
        int line, column;
        const char* token;
    } cases[] = {
        {"1 2 37", RouletteKind::French, 1, 5, "37"},
        {"1\n2, 00", RouletteKind::French, 2, 4, "00"},
        {"0", RouletteKind::NoZero, 1, 1, "0"},
        {"5 -1", RouletteKind::American, 1, 3, "-1"},
        {"1;5x;3", RouletteKind::French, 1, 3, "5x"},
        {"# é\n\xC3\xA9 9 x", RouletteKind::French, 2, 1, "\xC3\xA9"},
        {"\xC3\xA9 9 x", RouletteKind::French, 1, 1, "\xC3\xA9"},
        {"1 \xC3\xA9\xC3\xA9 x", RouletteKind::French, 1, 3, "\xC3\xA9\xC3\xA9"},
        {"\xC3\xA9 ,x", RouletteKind::French, 1, 1, "\xC3\xA9"},
        {"1 -0", RouletteKind::French, 1, 3, "-0"},
        {"1\r# note\r2 x", RouletteKind::French, 3, 3, "x"},
        {"1\r\n\r\n2 x", RouletteKind::French, 3, 3, "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const SpinList list = ParseSpinList(c.text, c.kind);
        ASSERT_FALSE(list.ok());
        EXPECT_TRUE(list.pockets.empty());
        EXPECT_EQ(list.error->line, c.line);
        EXPECT_EQ(list.error->column, c.column);
        EXPECT_EQ(list.error->token, c.token);
    }
    // Columns count characters, not bytes.
    const SpinList accented = ParseSpinList("\xC3\xA9\xC3\xA9 x", RouletteKind::French);
    EXPECT_EQ(accented.error->column, 1);
    const SpinList after = ParseSpinList("1 2\n3 \xC3\xA9 7x", RouletteKind::French);
    EXPECT_EQ(after.error->column, 3);
    EXPECT_EQ(FormatParseError("spins.txt", *ParseSpinList("1 2 37", RouletteKind::French).error),
              "spins.txt:1:5: '37' is not a pocket of the french wheel");
}

}  // namespace
}  // namespace spinalyst
