#include <istream>
#include <ostream>

#include "cli/cli.h"
#include "core/draws/game_file.h"

namespace spinalyst::cli {

int ConvertCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    std::optional<RouletteKind> kind;
    std::optional<std::string> file;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--kind" || a.starts_with("--kind=")) {
            if (kind) throw UsageError{"option '--kind' given twice"};
            std::string value;
            if (a == "--kind") {
                if (i + 1 >= args.size()) throw UsageError{"option '--kind' needs a value"};
                value = args[++i];
            } else {
                value = a.substr(7);
            }
            kind = KindFromName(value);
            if (!kind)
                throw UsageError{"--kind must be american, french or nozero, not '" + value + "'"};
        } else if (a.size() > 2 && a.starts_with("--")) {
            throw UsageError{"unknown option '" + a + "'"};
        } else {
            if (file) throw UsageError{"convert needs exactly one FILE"};
            file = a;
        }
    }
    if (!file) throw UsageError{"convert needs exactly one FILE"};

    const auto text = ReadInput(*file, in);
    if (!text) {
        err << "spinalyst-cli: " << *file << ": cannot read the file\n";
        return 2;
    }
    const GameFile game = ParseGameOrSpinList(*text, KindRule{kind, defaultKind});
    if (!game.ok()) {
        err << "spinalyst-cli: " << FormatParseError(*file == "-" ? "<stdin>" : *file, *game.error)
            << "\n";
        return 2;
    }
    out << WriteGameFile(game.log, game.kind, NameLookup(game.croupierNames),
                         NameLookup(game.wheelNames));
    return 0;
}

}  // namespace spinalyst::cli
