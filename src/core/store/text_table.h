#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace spinalyst {

// The tab-separated text tables of the language and croupier files: UTF-8, a header line
// naming the fields, one record per line. A tab, a line feed, a carriage return or a backslash
// inside a field is written \t, \n, \r, \\.
struct TextTable {
    std::vector<std::vector<std::string>> rows;
    // 1-based line numbers of records that did not have the header's number of fields.
    std::vector<int> damagedLines;
    bool headerFound = false;
};

// Lines that hold the wrong number of fields are skipped and listed; the first line counts
// as the header only when it names exactly the given fields.
TextTable ParseTextTable(std::string_view text, std::initializer_list<std::string_view> header);
std::string SerializeTextTable(std::initializer_list<std::string_view> header,
                               const std::vector<std::vector<std::string>>& rows);

std::string EscapeField(std::string_view field);
std::string UnescapeField(std::string_view field);

}  // namespace spinalyst
