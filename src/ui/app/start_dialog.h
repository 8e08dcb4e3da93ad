#pragma once

#include <QDialog>
#include <QString>

#include "store/settings.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace spinalyst {

// The start dialog: the user picks the language of the texts, then continues or quits. The
// choice is written to the settings file at once, so it survives a Cancel.
class TLoginForm final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TLoginForm)

public:
    explicit TLoginForm(Settings settings, QWidget* parent = nullptr);

    const QString& languageCode() const { return languageCode_; }

private:
    void ApplyStartCaptions();
    void cbLanguageChange(int index);

    Settings settings_;
    QString languageCode_;
    QLabel* Image1 = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* cbLanguage = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;
};

// Shows the start dialog modally; true when the user pressed OK.
bool ShowStartDialog(const Settings& settings);

}  // namespace spinalyst
