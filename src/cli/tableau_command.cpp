#include "tableau_command.h"

#include <cstdint>
#include <ostream>

#include "cli.h"
#include "stats/tableau.h"

namespace spinalyst::cli {

int TableauCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    const AnalysisRequest request = ParseAnalysisOptions(args, 1, "tableau");
    const auto analysis = LoadAnalysis(request, in, err);
    if (!analysis) return 2;
    std::vector<std::uint8_t> draws;
    draws.reserve(analysis->analysedDraws.size());
    for (auto p : analysis->analysedDraws) draws.push_back(static_cast<std::uint8_t>(p));

    std::string buffer;
    for (int c = 0; c < tableauColumnCount; ++c) {
        if (c > 0) buffer += ',';
        buffer += tableauColumnKeys[static_cast<std::size_t>(c)];
    }
    buffer += '\n';
    for (const TableauRow& row : ComputeTableau(analysis->kind, draws)) {
        for (int c = 0; c < tableauColumnCount; ++c) {
            if (c > 0) buffer += ',';
            buffer += TableauCellText(row, static_cast<TableauColumn>(c), '.');
        }
        buffer += '\n';
    }
    out << buffer;
    return 0;
}

}  // namespace spinalyst::cli
