#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace spinalyst {

// A warning the user must acknowledge, in a message box.
void ShowWarning(QWidget* parent, const QString& text);
// Test hook: while set, warnings go to the hook instead of a message box.
void SetWarningHook(std::function<void(const QString&)> hook);

}  // namespace spinalyst
