#pragma once

#include <QString>
#include <QUrl>
#include <functional>

#include "core/store/data_paths.h"

class QWidget;

namespace spinalyst {

// Opens the user manual of the language with the user's default handler for files; when no
// handler takes it, shows it in a window of the program's own. False when the manual of the
// language is not installed.
bool OpenManual(QWidget* parent, const DataPaths& paths, const QString& languageCode);

// Test hook: stands in for the desktop's handler; it returns whether it took the page.
void SetManualOpener(std::function<bool(const QUrl&)> opener);

}  // namespace spinalyst
