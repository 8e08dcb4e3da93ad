#include "ui/shell/help.h"

#include <QDesktopServices>
#include <QPointer>
#include <QTextBrowser>

namespace spinalyst {

namespace {
std::function<bool(const QUrl&)>& Opener() {
    static std::function<bool(const QUrl&)> opener;
    return opener;
}

void ShowInOwnWindow(QWidget* parent, const QUrl& page) {
    // One window, brought forward again on the next request.
    static QPointer<QTextBrowser> browser;
    if (!browser) {
        browser = new QTextBrowser(parent);
        browser->setObjectName("manualBrowser");
        browser->setWindowFlag(Qt::Window);
        browser->setAttribute(Qt::WA_DeleteOnClose);
        browser->setOpenExternalLinks(true);
        browser->setWindowTitle(QStringLiteral("Spinalyst"));
        browser->resize(820, 640);
    }
    browser->setSource(page);
    browser->show();
    browser->raise();
    browser->activateWindow();
}
}  // namespace

bool OpenManual(QWidget* parent, const DataPaths& paths, const QString& languageCode) {
    const auto file = paths.ManualFile(languageCode.toStdString());
    if (!file) return false;
    const QUrl page = QUrl::fromLocalFile(QString::fromStdString(file->string()));
    const bool taken = Opener() ? Opener()(page) : QDesktopServices::openUrl(page);
    if (!taken) ShowInOwnWindow(parent, page);
    return true;
}

void SetManualOpener(std::function<bool(const QUrl&)> opener) {
    Opener() = std::move(opener);
}

}  // namespace spinalyst
