#include "cli/command_options.h"

#include "cli/cli.h"

namespace spinalyst::cli {

std::map<std::string, std::string> TakeCommandOptions(
    std::vector<std::string>& args, std::initializer_list<std::string_view> names) {
    std::map<std::string, std::string> taken;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string option, value;
        for (const std::string_view name : names) {
            const std::string flag = "--" + std::string(name);
            if (a == flag) {
                if (i + 1 >= args.size()) throw UsageError{"option '" + flag + "' needs a value"};
                option = name;
                value = args[++i];
            } else if (a.starts_with(flag + "=")) {
                option = name;
                value = a.substr(flag.size() + 1);
            }
        }
        if (option.empty()) {
            rest.push_back(a);
            continue;
        }
        if (!taken.emplace(option, value).second)
            throw UsageError{"option '--" + option + "' given twice"};
    }
    args = std::move(rest);
    return taken;
}

}  // namespace spinalyst::cli
