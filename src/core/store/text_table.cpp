#include "core/store/text_table.h"

#include "core/store/text_lines.h"

namespace spinalyst {

std::string EscapeField(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (char c : field) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string UnescapeField(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 1 < field.size()) {
            const char next = field[i + 1];
            const char unescaped = next == 't'    ? '\t'
                                   : next == 'n'  ? '\n'
                                   : next == 'r'  ? '\r'
                                   : next == '\\' ? '\\'
                                                  : '\0';
            if (unescaped != '\0') {
                out += unescaped;
                ++i;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

TextTable ParseTextTable(std::string_view text, std::initializer_list<std::string_view> header) {
    TextTable table;
    text = WithoutByteOrderMark(text);
    int lineNo = 0;
    while (!text.empty()) {
        const std::string_view line = TakeLine(text).text;
        ++lineNo;
        std::vector<std::string_view> fields;
        for (std::size_t start = 0;;) {
            const std::size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab - start));
            if (tab == std::string_view::npos) break;
            start = tab + 1;
        }
        if (lineNo == 1 && fields.size() == header.size() &&
            std::equal(fields.begin(), fields.end(), header.begin())) {
            table.headerFound = true;
            continue;
        }
        if (line.empty()) continue;
        if (fields.size() != header.size()) {
            table.damagedLines.push_back(lineNo);
            continue;
        }
        std::vector<std::string> row;
        row.reserve(fields.size());
        for (std::string_view f : fields) row.push_back(UnescapeField(f));
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::string SerializeTextTable(std::initializer_list<std::string_view> header,
                               const std::vector<std::vector<std::string>>& rows) {
    std::string out;
    bool first = true;
    for (std::string_view h : header) {
        out += first ? "" : "\t";
        out += h;
        first = false;
    }
    out += '\n';
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0) out += '\t';
            out += EscapeField(row[i]);
        }
        out += '\n';
    }
    return out;
}

}  // namespace spinalyst
