#pragma once

#include <string>
#include <string_view>

namespace spinalyst {

// A CSV field as written: in quotes when it holds a comma, a quote or a line break, its quotes
// doubled.
std::string CsvField(std::string_view text);

}  // namespace spinalyst
