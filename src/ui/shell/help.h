#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>

#include "core/store/data_paths.h"
#include "ui/stats/stats_tabs.h"

class QPushButton;
class QTextBrowser;

namespace spinalyst {

// The page of the manual, and the place on it, that tells about a statistics tab.
QString ManualPage(StatsTab tab);

// Opens the user manual of the language at `page` (a file of the manual, with a place on it
// after "#"; its first page when that file is missing) with the user's default handler for
// files; when no handler takes it, shows it in the program's own help window. False when the
// manual of the language is not installed.
bool OpenManual(QWidget* parent, const DataPaths& paths, const QString& languageCode,
                const QString& page = QStringLiteral("index.html"));

// Test hook: stands in for the desktop's handler; it returns whether it took the page.
void SetManualOpener(std::function<bool(const QUrl&)> opener);

// The program's own window on the manual: Back and Forward over the pages followed, the
// manual's name as its title; Escape closes it.
class HelpWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HelpWindow)

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void Show(const QUrl& page);
    QTextBrowser* browser() const { return browser_; }
    QPushButton* backButton() const { return back_; }
    QPushButton* forwardButton() const { return forward_; }

private:
    QTextBrowser* browser_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
};

}  // namespace spinalyst
