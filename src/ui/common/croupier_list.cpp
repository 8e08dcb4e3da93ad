#include "ui/common/croupier_list.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "core/draws/croupier_table.h"

namespace spinalyst {

void FillCroupierBox(QComboBox* box, const CroupierTable& croupiers) {
    const QSignalBlocker blocker(box);
    const QString text = box->currentText();
    box->clear();
    box->addItem(QString());
    for (const std::string& name : croupiers.SortedNames())
        box->addItem(QString::fromStdString(name));
    box->setCurrentIndex(0);
    box->setEditText(text);
}

}  // namespace spinalyst
