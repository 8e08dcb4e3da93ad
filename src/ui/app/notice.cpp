#include "app/notice.h"

#include <QMessageBox>

namespace spinalyst {

namespace {
std::function<void(const QString&)>& WarningHook() {
    static std::function<void(const QString&)> hook;
    return hook;
}
}  // namespace

void ShowWarning(QWidget* parent, const QString& text) {
    if (WarningHook()) {
        WarningHook()(text);
        return;
    }
    QMessageBox::warning(parent, QStringLiteral("Spinalyst"), text);
}

void SetWarningHook(std::function<void(const QString&)> hook) {
    WarningHook() = std::move(hook);
}

}  // namespace spinalyst
