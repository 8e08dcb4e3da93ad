#include "app/start_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "app/logo.h"
#include "app/look.h"

namespace spinalyst {

TLoginForm::TLoginForm(Settings settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      settings_(std::move(settings)) {
    setObjectName("LoginForm");
    setWindowTitle("Spinalyst");
    setFixedSize(442, 175);
    DressInCloth(this);

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setGeometry(188, 8, 244, 62);
    Image1->setPixmap(DrawLogo(QSize(244, 62)));

    Label3 = new QLabel(this);
    Label3->setObjectName("Label3");
    Label3->move(6, 65);
    QPalette labelPal = Label3->palette();
    labelPal.setColor(QPalette::WindowText, QColor(238, 236, 153));
    Label3->setPalette(labelPal);

    cbLanguage = new QComboBox(this);
    cbLanguage->setObjectName("cbLanguage");
    cbLanguage->setGeometry(82, 62, 100, 21);
    cbLanguage->addItems({QStringLiteral("English"), QStringLiteral("Français")});

    btOK = new QPushButton(QStringLiteral("OK"), this);
    btOK->setObjectName("btOK");
    btOK->setGeometry(245, 140, 91, 25);
    btOK->setDefault(true);
    btCancel = new QPushButton(this);
    btCancel->setObjectName("btCancel");
    btCancel->setGeometry(342, 140, 91, 25);

    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);

    languageCode_ = QString::fromStdString(settings_.ReadText(Param::Language));
    ApplyStartCaptions();
    connect(cbLanguage, &QComboBox::currentIndexChanged, this, &TLoginForm::cbLanguageChange);
}

void TLoginForm::ApplyStartCaptions() {
    const bool french = languageCode_ == QLatin1String("FR");
    Label3->setText(french ? QStringLiteral("Langue") : QStringLiteral("Language"));
    Label3->adjustSize();
    btOK->setText(QStringLiteral("OK"));
    btCancel->setText(french ? QStringLiteral("Annuler") : QStringLiteral("Cancel"));
    const QSignalBlocker blocker(cbLanguage);
    cbLanguage->setCurrentIndex(french ? 1 : 0);
}

void TLoginForm::cbLanguageChange(int index) {
    if (index < 0) return;
    languageCode_ = index == 1 ? QStringLiteral("FR") : QStringLiteral("EN");
    ApplyStartCaptions();
    settings_.WriteText(Param::Language, languageCode_.toStdString());
}

bool ShowStartDialog(const Settings& settings) {
    TLoginForm form(settings);
    return form.exec() == QDialog::Accepted;
}

}  // namespace spinalyst
