#include "ui/common/texts.h"

namespace spinalyst {

namespace {
LanguageTable& Table() {
    static LanguageTable table;
    return table;
}
}  // namespace

void SetLanguageTable(LanguageTable table) {
    Table() = std::move(table);
}

const LanguageTable& CurrentLanguageTable() {
    return Table();
}

QString Text(TextId id) {
    return QString::fromStdString(Table().Text(id));
}

}  // namespace spinalyst
