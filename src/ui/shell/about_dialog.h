#pragma once

#include <QDialog>
#include <QPixmap>
#include <QSize>

class QLabel;
class QPushButton;

namespace spinalyst {

// The about box: emblem, logo and version on the cloth green. Its texts are the same in every
// language.
class AboutDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AboutDialog)

public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // Shows the box modally, centred on the parent.
    static void ShowAbout(QWidget* parent);

private:
    QLabel* emblem_ = nullptr;
    QLabel* logo_ = nullptr;
    QLabel* versionLabel_ = nullptr;
    QLabel* version_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

// The small emblem of the about box: a wheel seen at an angle.
QPixmap DrawEmblem(QSize size);

}  // namespace spinalyst
