#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace spinalyst::cli {

// wheel TABLE [analysis options] FILE: one wheel table of the analysed draws as CSV. Throws
// UsageError for a missing or unknown TABLE.
int WheelCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err);

}  // namespace spinalyst::cli
