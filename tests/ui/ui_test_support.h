#pragma once

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <map>
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

// Counts the paint events of chosen widgets, as the screen repaints them.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(std::initializer_list<QWidget*> widgets);
    int paints(QWidget* widget) const;
    void Reset() { paints_.clear(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::map<QObject*, int> paints_;
};

}  // namespace spinalyst::test
