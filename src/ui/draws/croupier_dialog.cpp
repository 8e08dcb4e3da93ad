#include "draws/croupier_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/texts.h"

namespace spinalyst {

namespace {
// Outer optional: whether a test set an answer; inner: the answer (nullopt = Cancel).
std::optional<std::optional<QString>> nextAnswer;
}  // namespace

TdlgNewCroupier::TdlgNewCroupier(QWidget* parent) : QDialog(parent) {
    setObjectName("dlgNewCroupier");
    setWindowTitle(Text(TextId::NewCroupierTitle));
    setFixedSize(282, 105);
    lbNom = new QLabel(Text(TextId::NameLabel) + " :", this);
    lbNom->setObjectName("lbNom");
    lbNom->setGeometry(16, 22, 60, 21);
    edCroupier = new QLineEdit(this);
    edCroupier->setObjectName("edCroupier");
    edCroupier->setGeometry(80, 20, 186, 23);
    btOK = new QPushButton(Text(TextId::Ok), this);
    btOK->setObjectName("btOK");
    btOK->setGeometry(110, 66, 75, 25);
    btOK->setDefault(true);
    btCancel = new QPushButton(Text(TextId::Cancel), this);
    btCancel->setObjectName("btCancel");
    btCancel->setGeometry(191, 66, 75, 25);
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TdlgNewCroupier::name() const {
    return edCroupier->text();
}

std::optional<QString> TdlgNewCroupier::AskName(QWidget* parent) {
    if (nextAnswer) {
        auto answer = *nextAnswer;
        nextAnswer.reset();
        return answer;
    }
    TdlgNewCroupier dialog(parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.name();
}

void TdlgNewCroupier::SetNextAnswer(std::optional<QString> answer) {
    nextAnswer = answer;
}

}  // namespace spinalyst
