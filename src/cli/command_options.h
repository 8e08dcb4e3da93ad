#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace spinalyst::cli {

// Takes a command's own options (--name VALUE or --name=VALUE, each at most once) out of args,
// leaving the rest, the analysis options among them, in order. Throws UsageError for an option
// without its value or given twice.
std::map<std::string, std::string> TakeCommandOptions(
    std::vector<std::string>& args, std::initializer_list<std::string_view> names);

}  // namespace spinalyst::cli
