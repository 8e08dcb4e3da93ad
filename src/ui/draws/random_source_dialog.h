#pragma once

#include <QDialog>
#include <functional>
#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace spinalyst {

class Game;
class Settings;

// Where random draws come from: the program's generator, or (shown, not yet offered) a file.
// A click on a source takes effect at once; only OK writes the choice to the settings.
class RandomSourceDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RandomSourceDialog)

public:
    RandomSourceDialog(Game& game, QString& randomSourceFile, const Settings& settings,
                       QWidget* parent = nullptr);

    // Test hooks: the next file the browse button picks, and a stand-in for exec().
    static void SetNextFileName(std::optional<QString> file);
    static void SetTestDriver(std::function<int(RandomSourceDialog&)> driver);
    static int Run(RandomSourceDialog& dialog);

private:
    void OnSourceClicked(QCheckBox* clicked);
    void OnBrowse();
    void OnOk();

    Game& game_;
    QString& randomSourceFile_;
    QCheckBox* programSourceCheck_ = nullptr;
    QCheckBox* fileSourceCheck_ = nullptr;
    QLineEdit* sourceFileEdit_ = nullptr;
    QToolButton* browseButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

// Shows the dialog; on OK writes "RndSource" and "RndSourceFile". False when that write
// failed (the choice still holds until the program ends).
bool ChooseRandomSource(QWidget* parent, Game& game, QString& randomSourceFile,
                        const Settings& settings);

}  // namespace spinalyst
