#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace spinalyst::cli {

// wheel TABLE [--scale S] [analysis options] FILE: one wheel table of the analysed draws as
// CSV, the shades in scale S (spread or deviation). Throws UsageError for a missing or unknown
// TABLE or scale.
int WheelCommand(std::vector<std::string> args, std::istream& in, std::ostream& out,
                 std::ostream& err);

}  // namespace spinalyst::cli
