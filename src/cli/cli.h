#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace spinalyst::cli {

// Runs one command line (without the program name); returns the exit status: 0 on success,
// 2 on a usage error or a bad input file.
int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err);

}  // namespace spinalyst::cli
