#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace spinalyst {

class GameSession;
class AppSettings;

// Where random draws come from: the program's generator, or (shown, not yet offered) a file.
// A click on a source is announced at once (sourceClicked); only OK keeps the choice.
class RandomSourceDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RandomSourceDialog)

public:
    RandomSourceDialog(int source, const QString& file, QWidget* parent = nullptr);

    int source() const { return source_; }
    // The file picked with the browse button; text typed into the box does not count.
    const QString& file() const { return file_; }

signals:
    void sourceClicked(int source);

private:
    void OnSourceClicked(QCheckBox* clicked);
    void OnBrowse();
    void OnOk();

    int source_;
    QString file_;
    QCheckBox* programSourceCheck_ = nullptr;
    QCheckBox* fileSourceCheck_ = nullptr;
    QLineEdit* sourceFileEdit_ = nullptr;
    QToolButton* browseButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

// Reloads the stored source into the session, shows the dialog, and on OK writes "RndSource"
// and "RndSourceFile". A click on a source takes effect in the session at once, even when the
// dialog is then cancelled.
void ChooseRandomSource(QWidget* parent, GameSession& session, AppSettings& settings);

}  // namespace spinalyst
