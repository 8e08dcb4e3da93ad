#include "ui/draws/input_panel.h"

#include <QLabel>
#include <QMouseEvent>

#include "core/draws/input_panel_layout.h"
#include "ui/common/look.h"

namespace spinalyst {

InputPanel::InputPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("pnlSaisie");
    setFixedSize(inputPanelWidth, inputPanelHeight);
    DressInCloth(this, true);
}

QLabel* InputPanel::inputLabel(Pocket p) const {
    return p >= 0 && p < maxPocketCount ? inputLabels[static_cast<std::size_t>(p)] : nullptr;
}

void InputPanel::BuildInputPanel(RouletteKind kind) {
    for (QLabel*& label : inputLabels) {
        delete label;
        label = nullptr;
    }
    QFont labelFont = font();
    // Ten points of a narrow face; in pixels so that two digits fit the 18-pixel square.
    labelFont.setPixelSize(12);
    labelFont.setLetterSpacing(QFont::AbsoluteSpacing, -0.5);
    for (const InputLabelPlace& place : InputPanelLayout(kind)) {
        auto* label = new QLabel(QString::fromStdString(PocketText(place.pocket)), this);
        label->setObjectName(QStringLiteral("inputLabel") +
                             QString::fromStdString(PocketText(place.pocket)));
        label->setProperty("pocket", place.pocket);
        label->setGeometry(place.left, place.top, inputLabelSize, inputLabelSize);
        label->setAlignment(Qt::AlignCenter);
        label->setFont(labelFont);
        label->setAutoFillBackground(true);
        const Rgb c = DisplayColour(place.pocket);
        QPalette pal = label->palette();
        pal.setColor(QPalette::Window, Qt::white);
        pal.setColor(QPalette::WindowText, QColor(c.r, c.g, c.b));
        label->setPalette(pal);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        label->show();
        inputLabels[static_cast<std::size_t>(place.pocket)] = label;
    }
}

bool InputPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* label = qobject_cast<QLabel*>(watched);
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (label && mouse->button() == Qt::LeftButton &&
            label->rect().contains(mouse->position().toPoint())) {
            emit pocketClicked(label->property("pocket").toInt());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace spinalyst
