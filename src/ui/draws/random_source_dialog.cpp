#include "ui/draws/random_source_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include "core/draws/game.h"
#include "ui/common/app_settings.h"
#include "ui/common/game_session.h"
#include "ui/common/notice.h"
#include "ui/common/texts.h"

namespace spinalyst {

RandomSourceDialog::RandomSourceDialog(int source, const QString& file, QWidget* parent)
    : QDialog(parent), source_(source), file_(file) {
    setObjectName("dlgRndSrc");
    setFixedSize(339, 122);
    programSourceCheck_ = new QCheckBox(this);
    programSourceCheck_->setObjectName("cbSrc1");
    programSourceCheck_->setGeometry(16, 14, 200, 20);
    fileSourceCheck_ = new QCheckBox(this);
    fileSourceCheck_->setObjectName("cbSrc2");
    fileSourceCheck_->setGeometry(16, 44, 90, 20);
    fileSourceCheck_->setEnabled(false);
    sourceFileEdit_ = new QLineEdit(this);
    sourceFileEdit_->setObjectName("edSrcFile");
    sourceFileEdit_->setGeometry(110, 42, 184, 23);
    browseButton_ = new QToolButton(this);
    browseButton_->setObjectName("sbSrcFile");
    browseButton_->setText("...");
    browseButton_->setGeometry(298, 42, 25, 23);
    okButton_ = new QPushButton(this);
    okButton_->setObjectName("btOK");
    okButton_->setGeometry(167, 86, 75, 25);
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(this);
    cancelButton_->setObjectName("btCancel");
    cancelButton_->setGeometry(248, 86, 75, 25);

    programSourceCheck_->setChecked(source_ == randomFromProgram);
    fileSourceCheck_->setChecked(source_ == randomFromFile);
    sourceFileEdit_->setText(file_);

    setWindowTitle(Text(TextId::RandomSourceTitle));
    programSourceCheck_->setText(Text(TextId::SourceProgram));
    fileSourceCheck_->setText(Text(TextId::SourceFile));
    okButton_->setText(Text(TextId::Ok));
    cancelButton_->setText(Text(TextId::Cancel));

    connect(programSourceCheck_, &QCheckBox::clicked, this,
            [this] { OnSourceClicked(programSourceCheck_); });
    connect(fileSourceCheck_, &QCheckBox::clicked, this,
            [this] { OnSourceClicked(fileSourceCheck_); });
    connect(browseButton_, &QToolButton::clicked, this, &RandomSourceDialog::OnBrowse);
    connect(okButton_, &QPushButton::clicked, this, &RandomSourceDialog::OnOk);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

void RandomSourceDialog::OnSourceClicked(QCheckBox* clicked) {
    // The two boxes act as radio buttons; a click on the checked one leaves it checked.
    const QSignalBlocker b1(programSourceCheck_), b2(fileSourceCheck_);
    programSourceCheck_->setChecked(clicked == programSourceCheck_);
    fileSourceCheck_->setChecked(clicked == fileSourceCheck_);
    source_ = clicked == programSourceCheck_ ? randomFromProgram : randomFromFile;
    emit sourceClicked(source_);
}

void RandomSourceDialog::OnBrowse() {
    const QString file = ChooseFile(this, FilePurpose::RandomSourceFile);
    if (file.isEmpty()) return;
    sourceFileEdit_->setText(file);
    file_ = file;
}

void RandomSourceDialog::OnOk() {
    if (fileSourceCheck_->isChecked() && sourceFileEdit_->text().isEmpty()) return;
    accept();
}

void ChooseRandomSource(QWidget* parent, GameSession& session, AppSettings& settings) {
    // The stored choice is reloaded each time the dialog opens.
    session.SetRandomSource(settings.randomSource());
    RandomSourceDialog dialog(session.game().randomSource(), settings.randomSourceFile(), parent);
    QObject::connect(&dialog, &RandomSourceDialog::sourceClicked, &session,
                     &GameSession::SetRandomSource);
    if (RunDialog(dialog) == QDialog::Accepted)
        settings.SetRandomSource(dialog.source(), dialog.file());
}

}  // namespace spinalyst
