#include <algorithm>
#include <cctype>
#include <limits>
#include <sstream>

#include "cli/cli.h"
#include "core/draws/game_file.h"
#include "core/draws/spin_file.h"
#include "core/store/atomic_file.h"

namespace spinalyst::cli {

namespace {

// Draw numbers of a range: any the log may reach; the window limits them to the log.
constexpr int maxDrawNumber = std::numeric_limits<int>::max();

std::string JoinedEntries(const std::vector<std::string>& entries) {
    if (entries.size() > 3) return entries.front() + " ... " + entries.back();
    std::string joined;
    for (const std::string& e : entries) joined += (joined.empty() ? "" : ", ") + e;
    return joined;
}

// --follow FAMILY[=ENTRY] into the cbNext1, cbParis and cbPari controls.
void ApplyFollow(const std::string& value, RouletteKind kind, AnalysisControls& controls) {
    const std::size_t eq = value.find('=');
    const std::string family = Lowercase(value.substr(0, eq));
    const auto known = std::find(followFamilyKeys.begin(), followFamilyKeys.end(), family);
    if (known == followFamilyKeys.end())
        throw UsageError{"--follow: '" + value.substr(0, eq) +
                         "' is no family; use numero, transversale, secteur, sizain, colonne, "
                         "douzaine, rougenoir, pairimpair or manquepasse"};
    const FollowFamily followFamily =
        *FollowFamilyAt(static_cast<int>(known - followFamilyKeys.begin()));
    controls.useFollowing = true;
    controls.useCroupier = false;
    controls.followFamily = followFamily;
    controls.followEntry = 0;
    if (eq == std::string::npos) return;

    std::string entry = Lowercase(value.substr(eq + 1));
    const bool byPocket =
        followFamily == FollowFamily::Numero || followFamily == FollowFamily::Secteur;
    // The list shows 00 as "00"; its number, as spin lists never write it, is accepted too.
    if (byPocket && kind == RouletteKind::American && entry == "37") entry = "00";
    const std::vector<std::string> entries = TargetEntries(followFamily, kind);
    const auto found = std::find(entries.begin(), entries.end(), entry);
    if (entry.empty() || found == entries.end())
        throw UsageError{"--follow " + family + ": '" + value.substr(eq + 1) +
                         "' is not one of its entries on the " + std::string(KindName(kind)) +
                         " wheel (" + JoinedEntries(entries) + ")"};
    controls.followEntry = static_cast<int>(found - entries.begin()) + 1;
}

}  // namespace

std::string Lowercase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

ParsedArgs ParseArgs(const std::vector<std::string>& args, std::size_t from,
                     std::initializer_list<std::string_view> known,
                     std::initializer_list<std::string_view> flags) {
    ParsedArgs parsed;
    for (std::size_t i = from; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 2 && a.starts_with("--")) {
            std::string name = a.substr(2);
            std::optional<std::string> value;
            if (auto eq = name.find('='); eq != std::string::npos) {
                value = name.substr(eq + 1);
                name.resize(eq);
            }
            const auto listed = [&](std::initializer_list<std::string_view> names) {
                return std::find(names.begin(), names.end(), name) != names.end();
            };
            if (listed(flags)) {
                if (value) throw UsageError{"option '--" + name + "' takes no value"};
                value = "";
            } else if (!listed(known)) {
                throw UsageError{"unknown option '--" + name + "'"};
            }
            if (!value) {
                if (i + 1 >= args.size()) throw UsageError{"option '--" + name + "' needs a value"};
                value = args[++i];
            }
            if (!parsed.options.emplace(name, *value).second)
                throw UsageError{"option '--" + name + "' given twice"};
        } else {
            parsed.positional.push_back(a);
        }
    }
    return parsed;
}

RouletteKind KindOption(const ParsedArgs& parsed) {
    auto it = parsed.options.find("kind");
    if (it == parsed.options.end()) return defaultKind;
    if (auto kind = KindFromName(it->second)) return *kind;
    throw UsageError{"--kind must be american, french or nozero, not '" + it->second + "'"};
}

AnalysisRequest ParseAnalysisOptions(const std::vector<std::string>& args, std::size_t from,
                                     std::string_view command) {
    const ParsedArgs parsed = ParseArgs(
        args, from,
        {"kind", "from", "to", "last", "step", "follow", "croupier", "wheel", "direction"});
    if (parsed.positional.size() != 1)
        throw UsageError{std::string(command) + " needs exactly one FILE"};
    const auto option = [&](const char* name) -> const std::string* {
        auto it = parsed.options.find(name);
        return it == parsed.options.end() ? nullptr : &it->second;
    };
    if (option("to") && option("last")) throw UsageError{"--to and --last exclude each other"};
    if (option("follow") && option("croupier"))
        throw UsageError{"--follow and --croupier exclude each other"};

    AnalysisRequest request;
    request.kind = KindOption(parsed);
    request.kindGiven = parsed.options.contains("kind");
    request.file = parsed.positional.front();
    AnalysisControls& c = request.controls;
    if (auto v = option("from"))
        c.rangeStart = ParseNumber(*v, "--from", minRangeDraw, maxDrawNumber);
    if (auto v = option("to")) {
        c.rangeEnd = ParseNumber(*v, "--to", minRangeDraw, maxDrawNumber);
        request.toGiven = true;
    }
    if (auto v = option("last")) {
        c.useRange = false;
        c.useLast = true;
        c.lastCount = ParseNumber(*v, "--last", minAnalyse, maxAnalyse);
    }
    if (auto v = option("step")) c.stepEntry = ParseNumber(*v, "--step", 1, stepEntryCount) - 1;
    if (auto v = option("follow")) {
        ApplyFollow(*v, request.kind, c);
        request.follow = *v;
    }
    if (auto v = option("croupier")) {
        c.useCroupier = true;
        c.croupierName = *v;
    }
    if (auto v = option("wheel")) {
        c.useWheel = true;
        c.wheelName = *v;
    }
    if (auto v = option("direction")) {
        const auto direction = DirectionFromText(*v);
        if (!direction || *direction == SpinDirection::Unknown)
            throw UsageError{"--direction must be cw or ccw, not '" + *v + "'"};
        c.useDirection = true;
        c.direction = *direction;
    }
    return request;
}

std::optional<Analysis> LoadAnalysis(const AnalysisRequest& request, std::istream& in,
                                     std::ostream& err) {
    const std::string& file = request.file;
    const auto text = ReadInput(file, in);
    if (!text) {
        err << "spinalyst-cli: " << file << ": cannot read the file\n";
        return std::nullopt;
    }
    const std::string shownName = file == "-" ? "<stdin>" : file;
    Analysis analysis;
    // Read as the program opens a file: without --kind, the pockets settle the kind.
    const KindRule rule{request.kindGiven ? std::optional(request.kind) : std::nullopt,
                        request.kind};
    GameFile game = ParseGameOrSpinList(*text, rule);
    if (!game.ok()) {
        err << "spinalyst-cli: " << FormatParseError(shownName, *game.error) << "\n";
        return std::nullopt;
    }
    analysis.kind = game.kind;
    analysis.log = std::move(game.log);
    analysis.croupierNames = std::move(game.croupierNames);
    analysis.wheelNames = std::move(game.wheelNames);
    analysis.notes = std::move(game.notes);

    AnalysisControls controls = request.controls;
    // A follow entry is a place in the kind's list, which differs between kinds.
    if (!request.follow.empty() && analysis.kind != request.kind)
        ApplyFollow(request.follow, analysis.kind, controls);
    if (!request.toGiven) controls.rangeEnd = std::max(analysis.log.drawCount(), 1);
    if (const auto resolved = ResolveAnalysisWindow(controls, analysis.log, analysis.kind,
                                                    IndexLookup(analysis.croupierNames),
                                                    IndexLookup(analysis.wheelNames))) {
        analysis.window = resolved->window;
        // The rule stands (a name no draw has filters nothing), but not in silence.
        const auto unknown = [&](bool used, const std::string& name,
                                 const std::vector<std::string>& names, const char* what) {
            if (used && !IndexLookup(names)(name))
                err << "spinalyst-cli: no draw has the " << what << " '" << name
                    << "': every draw analysed\n";
        };
        unknown(controls.useCroupier && !controls.useFollowing, controls.croupierName,
                analysis.croupierNames, "croupier");
        unknown(controls.useWheel, controls.wheelName, analysis.wheelNames, "wheel");
        std::vector<std::uint8_t> buffer;
        const auto analysed =
            SelectAnalysedDraws(analysis.log, analysis.kind, *analysis.window, buffer);
        analysis.analysedDraws.assign(analysed.begin(), analysed.end());
        SelectAnalysedDirections(analysis.log, analysis.kind, *analysis.window,
                                 analysis.analysedDirections);
    }
    return analysis;
}

CroupierNameLookup NameLookup(const std::vector<std::string>& names) {
    return [&names](std::int32_t k) -> std::optional<std::string> {
        if (k < 1 || static_cast<std::size_t>(k) > names.size()) return std::nullopt;
        return names[static_cast<std::size_t>(k) - 1];
    };
}

CroupierLookup IndexLookup(const std::vector<std::string>& names) {
    return [&names](std::string_view name) -> std::optional<std::int32_t> {
        const auto it = std::find(names.begin(), names.end(), name);
        if (it == names.end()) return std::nullopt;
        return static_cast<std::int32_t>(it - names.begin() + 1);
    };
}

std::optional<std::string> ReadInput(const std::string& file, std::istream& in) {
    if (file != "-") return ReadWholeFile(file);
    std::ostringstream content;
    content << in.rdbuf();
    return std::move(content).str();
}

}  // namespace spinalyst::cli
