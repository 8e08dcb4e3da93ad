#include "ui/common/croupier_list.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "core/draws/croupier_table.h"
#include "core/draws/wheel_name_table.h"

namespace spinalyst {

namespace {
void FillNameBox(QComboBox* box, const std::vector<std::string>& names) {
    const QSignalBlocker blocker(box);
    const QString text = box->currentText();
    box->clear();
    box->addItem(QString());
    for (const std::string& name : names) box->addItem(QString::fromStdString(name));
    box->setCurrentIndex(0);
    box->setEditText(text);
}
}  // namespace

void FillCroupierBox(QComboBox* box, const CroupierTable& croupiers) {
    FillNameBox(box, croupiers.SortedNames());
}

void FillWheelBox(QComboBox* box, const WheelNameTable& wheels) {
    FillNameBox(box, wheels.SortedNames());
}

}  // namespace spinalyst
