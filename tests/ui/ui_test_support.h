#pragma once

#include <QString>
#include <QTemporaryDir>
#include <optional>

class QWidget;

#include "core/store/data_paths.h"

namespace spinalyst::test {

// A fresh data directory for one test: settings, croupiers and language files live there
// and nowhere else. Creating one also sets the question and file picker hooks to their
// defaults (discard, cancel).
class DataDir {
public:
    DataDir();
    DataPaths paths() const;
    QString file(const QString& name) const { return dir_.filePath(name); }
    void Write(const QString& name, const QByteArray& content) const;
    QByteArray Read(const QString& name) const;
    // Puts the language files the program ships beside the settings.
    void CopyShippedLanguages() const;

private:
    QTemporaryDir dir_;
};

// The new croupier dialog answers with the name, or is cancelled for nullopt.
void AnswerCroupierName(std::optional<QString> name);

// A window's title as the desktop shows it, Qt's modified mark "[*]" resolved.
QString ShownTitle(QWidget* window);

}  // namespace spinalyst::test
