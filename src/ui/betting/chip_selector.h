#pragma once

#include <QAbstractButton>
#include <QWidget>
#include <array>

#include "core/model/roulette.h"

namespace spinalyst {

// One chip of the selector: a chip picture that, once chosen, wears the ring.
class ChipButton final : public QAbstractButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChipButton)

public:
    ChipButton(int denomination, QWidget* parent = nullptr);
    int denomination() const { return denomination_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int denomination_;
};

// The nine chips a click can stake, three columns of three; the chosen one wears the ring.
class ChipSelector final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChipSelector)

public:
    explicit ChipSelector(QWidget* parent = nullptr);

    // Puts the ring on the chip of that value, without announcing it; false when no chip has
    // it.
    bool ShowChosen(Cents value);
    Cents chosen() const;
    ChipButton* button(int denomination) const;

signals:
    void chipChosen(Cents value);

private:
    std::array<ChipButton*, 9> buttons_{};
};

}  // namespace spinalyst
