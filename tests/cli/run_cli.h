#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace spinalyst::cli {

// What a run of the command line printed and its exit status.
struct Result {
    int status;
    std::string out, err;
};

// The command line run in the test's process, with `input` as its standard input.
inline Result RunCli(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = Run(args, in, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace spinalyst::cli
