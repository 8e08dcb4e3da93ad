#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace spinalyst::cli {

// `tableau [ANALYSIS OPTIONS] FILE`: the scores of every number 1 ... 36 as CSV.
int TableauCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err);

}  // namespace spinalyst::cli
