#pragma once

#include <QString>

#include "core/store/language_table.h"

namespace spinalyst {

// The language table of the running program. The main window loads it once while it is
// created; every visible text is looked up through Text.
void SetLanguageTable(LanguageTable table);
const LanguageTable& CurrentLanguageTable();

QString Text(TextId id);

// A language text with its %1, %2 ... filled in; a missing text, which shows as its number,
// has none to fill.
template <typename... Args>
QString TextWith(TextId id, const Args&... args) {
    const QString text = Text(id);
    return text.contains(QLatin1Char('%')) ? text.arg(args...) : text;
}

}  // namespace spinalyst
