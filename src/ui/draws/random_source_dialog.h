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
class TdlgRndSrc final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TdlgRndSrc)

public:
    TdlgRndSrc(Game& game, QString& randomSourceFile, const Settings& settings,
               QWidget* parent = nullptr);

    // Test hooks: the next file the browse button picks, and a stand-in for exec().
    static void SetNextFileName(std::optional<QString> file);
    static void SetTestDriver(std::function<int(TdlgRndSrc&)> driver);
    static int Run(TdlgRndSrc& dialog);

private:
    void cbSrc1Click(QCheckBox* clicked);
    void sbSrcFileClick();
    void btOKClick();

    Game& game_;
    QString& randomSourceFile_;
    QCheckBox* cbSrc1 = nullptr;
    QCheckBox* cbSrc2 = nullptr;
    QLineEdit* edSrcFile = nullptr;
    QToolButton* sbSrcFile = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;
};

// Shows the dialog; on OK writes "RndSource" and "RndSourceFile".
void ChooseRandomSource(QWidget* parent, Game& game, QString& randomSourceFile,
                        const Settings& settings);

}  // namespace spinalyst
