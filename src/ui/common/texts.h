#pragma once

#include <QString>

#include "core/store/language_table.h"

namespace spinalyst {

// The language table of the running program. The main window loads it once while it is
// created; every visible text is looked up through Text.
void SetLanguageTable(LanguageTable table);
const LanguageTable& CurrentLanguageTable();

QString Text(TextId id);

}  // namespace spinalyst
