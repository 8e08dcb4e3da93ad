#include "ui/common/look.h"

#include <QWidget>

namespace spinalyst {

namespace {
const QString face = QStringLiteral("Tahoma");
}  // namespace

QFont BaseFont(bool bold) {
    QFont f(face);
    f.setPointSize(8);
    f.setBold(bold);
    return f;
}

QFont FaceAtPixels(int pixels, bool bold) {
    QFont f(face);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void DressInCloth(QWidget* widget, bool bold) {
    widget->setAutoFillBackground(true);
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, clothGreen);
    widget->setPalette(pal);
    widget->setFont(BaseFont(bold));
}

}  // namespace spinalyst
