#include "cli/command_options.h"

#include <charconv>
#include <cmath>

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

std::string CsvDecimal(double value) {
    char buffer[64];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    if (text.find_first_of(".e") == std::string::npos && std::isfinite(value)) text += ".0";
    return text;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace spinalyst::cli
