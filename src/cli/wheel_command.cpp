#include "wheel_command.h"

#include <cstdint>
#include <ostream>

#include "cli.h"
#include "stats/wheel_stats.h"

namespace spinalyst::cli {

namespace {

constexpr const char* tableNames = "distances, repeats, sectors or shades";

std::string Figures(const SlotStats& s) {
    return std::to_string(s.hits) + "," + std::to_string(s.sinceLast) + "," +
           std::to_string(s.maxGap);
}

std::string Distances(const WheelStats& stats) {
    std::string csv = "distance,hits,since_last,max_gap\n";
    for (std::size_t d = 0; d < stats.distanceStats.size(); ++d)
        csv += std::to_string(d) + "," + Figures(stats.distanceStats[d]) + "\n";
    return csv;
}

// The gap is written as the grid shows it: the draws between the two occurrences.
std::string Repeats(const WheelStats& stats) {
    std::string csv = "gap,hits,since_last,max_gap\n";
    for (const RepeatStats& r : stats.repeatStats)
        csv += std::to_string(r.gap()) + "," + Figures(r.stats) + "\n";
    return csv;
}

std::string Sectors(const WheelStats& stats) {
    std::string csv = "pocket,neighbourhood,hits,since_last,max_gap\n";
    for (const NeighbourhoodStats& n : stats.neighbourhoodStats) {
        csv += PocketText(n.pocket) + ",";
        for (std::size_t k = 0; k < n.pockets.size(); ++k)
            csv += (k ? " " : "") + PocketText(n.pockets[k]);
        csv += "," + Figures(n.stats) + "\n";
    }
    return csv;
}

std::string Shades(const WheelStats& stats) {
    std::string csv = "pocket,hits,shade\n";
    for (Pocket p = firstPocket(stats.kind); p <= lastPocket(stats.kind); ++p)
        csv += PocketText(p) + "," + std::to_string(stats.pocketHits[static_cast<std::size_t>(p)]) +
               "," + std::to_string(HeatShade(stats, p)) + "\n";
    return csv;
}

}  // namespace

int WheelCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err) {
    if (args.size() < 2 || args[1].starts_with("--"))
        throw UsageError{std::string("wheel needs a TABLE: ") + tableNames};
    const std::string& table = args[1];
    std::string (*write)(const WheelStats&) = nullptr;
    if (table == "distances") write = Distances;
    if (table == "repeats") write = Repeats;
    if (table == "sectors") write = Sectors;
    if (table == "shades") write = Shades;
    if (!write) throw UsageError{"unknown wheel table '" + table + "'; one of " + tableNames};

    const AnalysisRequest request = ParseAnalysisOptions(args, 2, "wheel");
    const auto analysis = LoadAnalysis(request, in, err);
    if (!analysis) return 2;
    out << write(ComputeWheelStats(analysis->kind, analysis->analysedDraws));
    return 0;
}

}  // namespace spinalyst::cli
