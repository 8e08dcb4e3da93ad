#include "ui/shell/start_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "ui/common/app_settings.h"
#include "ui/common/look.h"
#include "ui/common/notice.h"
#include "ui/shell/logo.h"

namespace spinalyst {

StartDialog::StartDialog(AppSettings* settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      settings_(settings) {
    setObjectName("LoginForm");
    setWindowTitle("Spinalyst");
    setFixedSize(442, 175);
    DressInCloth(this);

    logo_ = new QLabel(this);
    logo_->setObjectName("Image1");
    logo_->setGeometry(188, 8, 244, 62);
    logo_->setPixmap(DrawLogo(QSize(244, 62)));

    languageLabel_ = new QLabel(this);
    languageLabel_->setObjectName("Label3");
    languageLabel_->move(6, 65);
    QPalette labelPal = languageLabel_->palette();
    labelPal.setColor(QPalette::WindowText, paleYellow);
    languageLabel_->setPalette(labelPal);

    languageList_ = new QComboBox(this);
    languageList_->setObjectName("cbLanguage");
    languageList_->setGeometry(82, 62, 100, 21);
    languageList_->addItems({QStringLiteral("English"), QStringLiteral("Français")});

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName("btOK");
    okButton_->setGeometry(245, 140, 91, 25);
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(this);
    cancelButton_->setObjectName("btCancel");
    cancelButton_->setGeometry(342, 140, 91, 25);

    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    languageCode_ = settings_->language();
    ApplyStartCaptions();
    connect(languageList_, &QComboBox::currentIndexChanged, this, &StartDialog::OnLanguageChosen);
}

void StartDialog::ApplyStartCaptions() {
    const bool french = languageCode_ == QLatin1String("FR");
    languageLabel_->setText(french ? QStringLiteral("Langue") : QStringLiteral("Language"));
    languageLabel_->adjustSize();
    okButton_->setText(QStringLiteral("OK"));
    cancelButton_->setText(french ? QStringLiteral("Annuler") : QStringLiteral("Cancel"));
    const QSignalBlocker blocker(languageList_);
    languageList_->setCurrentIndex(french ? 1 : 0);
}

void StartDialog::OnLanguageChosen(int index) {
    if (index < 0) return;
    languageCode_ = index == 1 ? QStringLiteral("FR") : QStringLiteral("EN");
    ApplyStartCaptions();
    settings_->SetLanguage(languageCode_);
}

bool ShowStartDialog(AppSettings* settings) {
    StartDialog form(settings);
    return RunDialog(form) == QDialog::Accepted;
}

}  // namespace spinalyst
