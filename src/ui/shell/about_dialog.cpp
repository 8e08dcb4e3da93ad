#include "ui/shell/about_dialog.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "ui/common/look.h"
#include "ui/common/notice.h"
#include "ui/shell/logo.h"

namespace spinalyst {

QPixmap DrawEmblem(QSize size) {
    QPixmap pixmap = NewDrawing(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // The wheel seen from the side of the table: an ellipse of alternating pockets on a rim.
    const QRectF rim(4, 4, size.width() - 8, size.height() - 8);
    p.setPen(QPen(QColor(90, 50, 20), 2));
    p.setBrush(QColor(130, 75, 30));
    p.drawEllipse(rim);
    const QRectF pockets = rim.adjusted(5, 4, -5, -4);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 37; ++i) {
        p.setBrush(i == 0 ? ToQColor(greenDisplay)
                          : (i % 2 ? QColor(200, 0, 0) : QColor(20, 20, 20)));
        p.drawPie(pockets, i * 5760 / 37, 5760 / 37 + 1);
    }
    p.setBrush(paleYellow);
    p.drawEllipse(pockets.center(), pockets.width() * 0.28, pockets.height() * 0.28);
    p.setBrush(QColor(190, 160, 60));
    p.drawEllipse(pockets.center(), pockets.width() * 0.07, pockets.height() * 0.1);
    // The ball.
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(pockets.left() + pockets.width() * 0.78, pockets.top() + 5), 2.5, 2.5);
    return pixmap;
}

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("dlgAbout");
    setWindowTitle(QStringLiteral("A propos"));
    setFixedSize(430, 168);
    DressInCloth(this);

    emblem_ = new QLabel(this);
    emblem_->setObjectName("imgEmblem");
    emblem_->setGeometry(8, 8, 96, 48);
    emblem_->setPixmap(DrawEmblem(QSize(96, 48)));
    logo_ = new QLabel(this);
    logo_->setObjectName("imgLogo");
    logo_->setGeometry(178, 8, 244, 62);
    logo_->setPixmap(DrawLogo(QSize(244, 62)));

    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, paleYellow);
    versionLabel_ = new QLabel(QStringLiteral("Version"), this);
    versionLabel_->setObjectName("lbVersion");
    versionLabel_->setPalette(palette);
    versionLabel_->move(178, 88);
    version_ = new QLabel(QStringLiteral("1.1.1    (2009)"), this);
    version_->setObjectName("lbVersionNumber");
    version_->setPalette(palette);
    version_->move(240, 88);

    okButton_ = new QPushButton(QStringLiteral("&OK"), this);
    okButton_->setObjectName("btnOk");
    okButton_->setGeometry(170, 130, 91, 25);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutDialog::ShowAbout(QWidget* parent) {
    AboutDialog box(parent);
    if (parent) box.move(parent->geometry().center() - box.rect().center());
    RunDialog(box);
}

}  // namespace spinalyst
