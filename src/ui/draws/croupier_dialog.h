#pragma once

#include <QDialog>
#include <optional>

#include "core/store/text_ids.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace spinalyst {

// Asks for the name of a new croupier, or of a new wheel under its own title.
class CroupierDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CroupierDialog)

public:
    explicit CroupierDialog(QWidget* parent = nullptr, TextId title = TextId::NewCroupierTitle);
    QString name() const;

    // The typed name when the user pressed OK, nullopt on Cancel.
    static std::optional<QString> AskName(QWidget* parent, TextId title = TextId::NewCroupierTitle);

private:
    QLabel* nameLabel_ = nullptr;
    QLineEdit* nameEdit_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace spinalyst
