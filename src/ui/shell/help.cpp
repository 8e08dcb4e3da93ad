#include "ui/shell/help.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/common/texts.h"

namespace spinalyst {

namespace {
std::function<bool(const QUrl&)>& Opener() {
    static std::function<bool(const QUrl&)> opener;
    return opener;
}
}  // namespace

QString ManualPage(StatsTab tab) {
    return QString::fromLatin1(TabInfo(tab).manualPage);
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("manualWindow");
    setWindowTitle(Text(TextId::ManualTitle));
    resize(820, 640);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("manualBrowser");
    browser_->setOpenExternalLinks(true);
    back_ =
        new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), Text(TextId::HelpBack), this);
    back_->setObjectName("btnManualBack");
    forward_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward),
                               Text(TextId::HelpForward), this);
    forward_->setObjectName("btnManualForward");
    back_->setEnabled(false);
    forward_->setEnabled(false);
    back_->setShortcut(QKeySequence::Back);
    forward_->setShortcut(QKeySequence::Forward);
    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);
}

void HelpWindow::Show(const QUrl& page) {
    browser_->setSource(page);
    show();
    raise();
    activateWindow();
}

bool OpenManual(QWidget* parent, const DataPaths& paths, const QString& languageCode,
                const QString& page) {
    const auto first = paths.ManualFile(languageCode.toStdString());
    if (!first) return false;
    const QString dir = QFileInfo(QString::fromStdString(first->string())).absolutePath();
    const qsizetype hash = page.indexOf('#');
    const QString file = dir + '/' + page.left(hash);
    QUrl url = QUrl::fromLocalFile(QFileInfo::exists(file) ? file : dir + "/index.html");
    if (hash >= 0 && QFileInfo::exists(file)) url.setFragment(page.mid(hash + 1));
    if (Opener() ? Opener()(url) : QDesktopServices::openUrl(url)) return true;
    // One window, brought forward again on the next request.
    static QPointer<HelpWindow> window;
    if (!window) {
        window = new HelpWindow(parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->Show(url);
    return true;
}

void SetManualOpener(std::function<bool(const QUrl&)> opener) {
    Opener() = std::move(opener);
}

}  // namespace spinalyst
