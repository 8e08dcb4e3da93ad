#include "tableau_command.h"

#include <ostream>

#include "cli.h"
#include "stats/tableau.h"

namespace spinalyst::cli {

int TableauCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    const AnalysisRequest request = ParseAnalysisOptions(args, 1, "tableau");
    const auto analysis = LoadAnalysis(request, in, err);
    if (!analysis) return 2;

    std::string buffer;
    for (int c = 0; c < tableauColumnCount; ++c) {
        if (c > 0) buffer += ',';
        buffer += tableauColumnKeys[static_cast<std::size_t>(c)];
    }
    buffer += '\n';
    for (const TableauRow& row : ComputeTableau(analysis->kind, analysis->analysedDraws)) {
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
