#pragma once

#include <QWidget>
#include <array>

#include "core/model/roulette.h"

class QLabel;

namespace spinalyst {

// The green panel of clickable pockets laid out like the table. Rebuilt for every game.
class InputPanel final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InputPanel)

public:
    explicit InputPanel(QWidget* parent = nullptr);

    // Releases the labels of the previous game and creates one per pocket of the kind.
    void BuildInputPanel(RouletteKind kind);
    // The label of a pocket, or nullptr when the kind has none.
    QLabel* inputLabel(Pocket p) const;

signals:
    void pocketClicked(Pocket p);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QLabel*, maxPocketCount> inputLabels{};
};

}  // namespace spinalyst
