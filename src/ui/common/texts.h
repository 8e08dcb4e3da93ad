#pragma once

#include <QLocale>
#include <QString>
#include <string>
#include <string_view>

#include "core/store/language_table.h"

namespace spinalyst {

// The language of the running program: its code as the settings keep it ("EN", "FR") and its
// table. The main window sets it once while it is created; every visible text is looked up
// through Text. Qt's own texts (the file dialogs, the edit boxes' menus) follow it too, from
// the translations Qt installs.
void SetLanguage(std::string_view code, LanguageTable table);
const LanguageTable& CurrentLanguageTable();
// The language's own conventions: its plurals, dates and punctuation.
const std::string& LanguageCode();
QLocale LanguageLocale();

QString Text(TextId id);

// The text of a count in the form the count takes in the language ("%1 draw" for 1), its
// %1, %2 ... still to fill.
QString CountedText(TextId id, long long count);
// "label: value", the French way with a non-breaking space before the colon.
QString Labelled(const QString& label, const QString& value);

// A language text with its %1, %2 ... filled in; a missing text, which shows as its number,
// has none to fill.
template <typename... Args>
QString TextWith(TextId id, const Args&... args) {
    const QString text = Text(id);
    return text.contains(QLatin1Char('%')) ? text.arg(args...) : text;
}

}  // namespace spinalyst
