#include "ui/draws/croupier_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/common/notice.h"
#include "ui/common/texts.h"

namespace spinalyst {

CroupierDialog::CroupierDialog(QWidget* parent, TextId title) : QDialog(parent) {
    setObjectName(title == TextId::NewCroupierTitle ? "dlgNewCroupier" : "dlgNewWheel");
    setWindowTitle(Text(title));
    setFixedSize(282, 105);
    nameLabel_ = new QLabel(Text(TextId::NameLabel) + " :", this);
    nameLabel_->setObjectName("lbNom");
    nameLabel_->setGeometry(16, 22, 60, 21);
    nameEdit_ = new QLineEdit(this);
    nameEdit_->setObjectName("edCroupier");
    nameEdit_->setGeometry(80, 20, 186, 23);
    okButton_ = new QPushButton(Text(TextId::Ok), this);
    okButton_->setObjectName("btOK");
    okButton_->setGeometry(110, 66, 75, 25);
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(Text(TextId::Cancel), this);
    cancelButton_->setObjectName("btCancel");
    cancelButton_->setGeometry(191, 66, 75, 25);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

QString CroupierDialog::name() const {
    return nameEdit_->text();
}

std::optional<QString> CroupierDialog::AskName(QWidget* parent, TextId title) {
    CroupierDialog dialog(parent, title);
    if (RunDialog(dialog) != QDialog::Accepted) return std::nullopt;
    return dialog.name();
}

}  // namespace spinalyst
