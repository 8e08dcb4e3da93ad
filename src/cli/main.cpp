#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
    // A closed pipe then fails the write, which Run reports, instead of ending the program
    // without a word.
    std::signal(SIGPIPE, SIG_IGN);
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    const int status = spinalyst::cli::Run(args, std::cin, std::cout, std::cerr);
    return spinalyst::cli::FinishOutput(status, std::cout, std::cerr);
}
