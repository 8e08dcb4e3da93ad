#pragma once

#include <QDialog>
#include <QString>

#include "core/store/settings.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace spinalyst {

// The start dialog: the user picks the language of the texts, then continues or quits. The
// choice is written to the settings file at once, so it survives a Cancel.
class StartDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StartDialog)

public:
    explicit StartDialog(Settings settings, QWidget* parent = nullptr);

    const QString& languageCode() const { return languageCode_; }
    // Whether writing the chosen language to the settings file failed.
    bool settingsWriteFailed() const { return settingsWriteFailed_; }

private:
    void ApplyStartCaptions();
    void OnLanguageChosen(int index);

    Settings settings_;
    QString languageCode_;
    bool settingsWriteFailed_ = false;
    QLabel* logo_ = nullptr;
    QLabel* languageLabel_ = nullptr;
    QComboBox* languageList_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

// Shows the start dialog modally; true when the user pressed OK. settingsWriteFailed tells
// whether the language choice could not be written.
bool ShowStartDialog(const Settings& settings, bool* settingsWriteFailed = nullptr);

}  // namespace spinalyst
