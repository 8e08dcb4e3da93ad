#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace spinalyst::cli {

// What the commands that analyse a file share besides the analysis options.

// Takes a command's own options (--name VALUE or --name=VALUE, each at most once) out of args,
// leaving the rest, the analysis options among them, in order. Throws UsageError for an option
// without its value or given twice.
std::map<std::string, std::string> TakeCommandOptions(
    std::vector<std::string>& args, std::initializer_list<std::string_view> names);

// A number as the CSV output writes it: ten significant digits, always with a decimal point or
// an exponent, so that a reader never takes it for a count.
std::string CsvDecimal(double value);

// A CSV field, quoted when it holds a separator, a quote or a line break.
std::string CsvField(const std::string& text);

}  // namespace spinalyst::cli
