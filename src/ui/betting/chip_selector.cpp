#include "ui/betting/chip_selector.h"

#include <QButtonGroup>
#include <QPainter>

#include "core/betting/chips.h"
#include "core/betting/money.h"
#include "ui/betting/chip_painter.h"
#include "ui/common/format.h"

namespace spinalyst {

namespace {
// A chip is 24 pixels across; its button leaves room around it for the ring.
constexpr int chipSide = 24;
constexpr int ringMargin = 4;
constexpr int buttonSide = chipSide + 2 * ringMargin;
constexpr int selectorSide = 113;
}  // namespace

ChipButton::ChipButton(int denomination, QWidget* parent)
    : QAbstractButton(parent), denomination_(denomination) {
    setCheckable(true);
    setFixedSize(buttonSide, buttonSide);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

QSize ChipButton::sizeHint() const {
    return {buttonSide, buttonSide};
}

void ChipButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ChipDenomination& chip = chipDenominations[static_cast<std::size_t>(denomination_)];
    if (isChecked()) {
        painter.setPen(QPen(QColor(255, 215, 0), 2.5));
        painter.setBrush(QColor(255, 255, 255, 60));
        painter.drawEllipse(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
    } else if (underMouse()) {
        painter.setPen(QPen(QColor(255, 255, 255, 150), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(rect()).adjusted(2, 2, -2, -2));
    }
    PaintChip(painter, QRectF(ringMargin, ringMargin, chipSide, chipSide), chip);
}

ChipSelector::ChipSelector(QWidget* parent) : QWidget(parent) {
    setObjectName("pnlChips");
    setFixedSize(selectorSide, selectorSide);
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (int k = 0; k < static_cast<int>(buttons_.size()); ++k) {
        auto* button = new ChipButton(k, this);
        button->setObjectName(QStringLiteral("sbChip%1").arg(k + 1));
        const Cents value = chipDenominations[static_cast<std::size_t>(k)].value;
        button->setToolTip(AmountText(value));
        // Columns of three, smallest first, as the chips lie in their tray.
        button->move(k / 3 * 32, k % 3 * 36);
        group->addButton(button, k);
        buttons_[static_cast<std::size_t>(k)] = button;
        connect(button, &QAbstractButton::clicked, this, [this, value] { emit chipChosen(value); });
    }
    ShowChosen(defaultChipValue);
}

bool ChipSelector::ShowChosen(Cents value) {
    for (ChipButton* button : buttons_)
        if (chipDenominations[static_cast<std::size_t>(button->denomination())].value == value) {
            const QSignalBlocker blocker(button);
            button->setChecked(true);
            return true;
        }
    return false;
}

Cents ChipSelector::chosen() const {
    for (ChipButton* button : buttons_)
        if (button->isChecked())
            return chipDenominations[static_cast<std::size_t>(button->denomination())].value;
    return 0;
}

ChipButton* ChipSelector::button(int denomination) const {
    return denomination >= 0 && denomination < static_cast<int>(buttons_.size())
               ? buttons_[static_cast<std::size_t>(denomination)]
               : nullptr;
}

}  // namespace spinalyst
