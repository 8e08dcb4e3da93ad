#include <QImage>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTest>

#include "ui/common/cell_delegate.h"

using namespace spinalyst;

namespace {

// The cells a grid of the program shows: figures and labels in several alignments, colours,
// faces and backgrounds, texts too long for their column, and empty cells.
struct CellCase {
    const char* text;
    Qt::Alignment alignment;
    QColor ink;
    QColor background;
    bool bold;
};
const CellCase cellCases[] = {
    {"17", Qt::AlignCenter, {}, {}, false},
    {"17", Qt::AlignLeft | Qt::AlignVCenter, {}, {}, false},
    {"17", Qt::AlignRight | Qt::AlignVCenter, {255, 0, 0}, {}, true},
    {"17", Qt::AlignCenter, {0, 128, 0}, {255, 255, 187}, true},
    {"00", Qt::AlignCenter, {}, {255, 255, 187}, false},
    {"X", Qt::AlignCenter, {0, 0, 255}, Qt::white, true},
    {"", Qt::AlignCenter, {}, {255, 255, 187}, false},
    {"", Qt::AlignCenter, {}, {}, false},
    {"A croupier with a very long name", Qt::AlignLeft | Qt::AlignVCenter, {}, {}, false},
    {"260114 213055", Qt::AlignCenter, {}, {}, false},
    {"1 234,50  ", Qt::AlignRight | Qt::AlignVCenter, {}, {}, false},
};

// Every case in every column, so that each text meets several widths, and a row of the cases
// shifted by one, so that equal texts sit under other looks.
void Fill(QStandardItemModel& model) {
    const int n = int(std::size(cellCases));
    model.setRowCount(2 * n);
    model.setColumnCount(4);
    for (int row = 0; row < model.rowCount(); ++row)
        for (int column = 0; column < model.columnCount(); ++column) {
            const CellCase& c = cellCases[(row + column * (row / n)) % n];
            auto* item = new QStandardItem(QString::fromUtf8(c.text));
            item->setTextAlignment(c.alignment);
            if (c.ink.isValid()) item->setForeground(c.ink);
            if (c.background.isValid()) item->setBackground(c.background);
            if (c.bold) {
                QFont bold;
                bold.setBold(true);
                item->setFont(bold);
            }
            model.setItem(row, column, item);
        }
}

QImage Picture(QTableView& view) {
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    view.render(&image);
    return image;
}

// Qt's own delegate eliding as ElidingCellDelegate does, to compare with.
class ElidingStyledDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideRight;
    }
};

}  // namespace

class CellDelegateTest final : public QObject {
    Q_OBJECT

private slots:
    // The kept pictures must be the very pixels the style paints, the first time and every
    // time after, including for a text that another cell showed in another look.
    void cellsLookAsTheStylePaintsThem() {
        QStandardItemModel model;
        Fill(model);
        QTableView view;
        view.setModel(&model);
        view.setTextElideMode(Qt::ElideNone);
        view.setColumnWidth(0, 40);
        view.setColumnWidth(1, 94);
        view.setColumnWidth(2, 70);
        view.setColumnWidth(3, 150);
        view.resize(400, 700);
        view.selectRow(3);
        view.setCurrentIndex(model.index(5, 1));
        view.show();

        auto* styled = new QStyledItemDelegate(&view);
        auto* styledEliding = new ElidingStyledDelegate(&view);
        auto* cached = new CellDelegate(&view);
        auto* cachedEliding = new ElidingCellDelegate(&view);
        auto useStyle = [&](bool style) {
            view.setItemDelegate(style ? styled : cached);
            view.setItemDelegateForColumn(
                2, style ? static_cast<QAbstractItemDelegate*>(styledEliding) : cachedEliding);
        };

        for (int pass = 0; pass < 3; ++pass) {
            useStyle(true);
            const QImage expected = Picture(view);
            useStyle(false);
            QVERIFY2(Picture(view) == expected, qPrintable(QString("pass %1, cold").arg(pass)));
            QVERIFY2(Picture(view) == expected, qPrintable(QString("pass %1, warm").arg(pass)));
            // The same texts in new colours and faces: no picture may stand for its old look.
            for (int row = 0; row < model.rowCount(); ++row) {
                QStandardItem* item = model.item(row, 0);
                item->setForeground(pass == 0 ? QColor(0, 0, 255) : QColor(255, 0, 0));
                QFont font = item->font();
                font.setItalic(pass == 0);
                item->setFont(font);
                model.item(row, 3)->setBackground(pass == 0 ? QColor(200, 222, 244)
                                                            : QColor(Qt::white));
            }
            view.setColumnWidth(1, 94 - 20 * pass);
        }
    }
};

QTEST_MAIN(CellDelegateTest)
#include "cell_delegate_test.moc"
