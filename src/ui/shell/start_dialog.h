#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

namespace spinalyst {

class AppSettings;

// The start dialog: the user picks the language of the texts, then continues or quits. The
// choice goes to the settings at once, so it survives a Cancel.
class StartDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StartDialog)

public:
    explicit StartDialog(AppSettings* settings, QWidget* parent = nullptr);

    const QString& languageCode() const { return languageCode_; }

private:
    void ApplyStartCaptions();
    void OnLanguageChosen(int index);

    AppSettings* settings_;
    QString languageCode_;
    QLabel* logo_ = nullptr;
    QLabel* languageLabel_ = nullptr;
    QComboBox* languageList_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

// Shows the start dialog modally; true when the user pressed OK.
bool ShowStartDialog(AppSettings* settings);

}  // namespace spinalyst
