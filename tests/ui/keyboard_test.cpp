#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "ui/common/game_session.h"
#include "ui/shell/main_window.h"
#include "ui_test_support.h"

using namespace spinalyst;

namespace {
// Whether typed digits reach draw entry: no box takes them for itself.
bool DrawEntryHasTheKeys() {
    QWidget* focus = QApplication::focusWidget();
    if (!focus || qobject_cast<QLineEdit*>(focus) || qobject_cast<QAbstractSpinBox*>(focus))
        return false;
    auto* combo = qobject_cast<QComboBox*>(focus);
    return !combo || !combo->isEditable();
}
void TypePocket(const char* digits) {
    QTest::keyClicks(QApplication::focusWidget(), digits);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}
}  // namespace

class KeyboardTest final : public QObject {
    Q_OBJECT

private slots:
    void init() {
        dir_ = std::make_unique<test::DataDir>();
        dir_->Write("spinalyst_EN.lang",
                    "NUMERO\tTEXT\n123\tKeys add draws\n124\tKeys edit the box\n");
        dir_->Write("croupiers", "idx\tname\n1\tAlain\n2\tZoé\n");
        window_ = std::make_unique<MainWindow>(dir_->paths());
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    void cleanup() {
        window_.reset();
        dir_.reset();
    }

    void pickingACroupierGivesTheKeysBackToDrawEntry() {
        auto* croupiers = window_->findChild<QComboBox*>("cbCroupiers");
        QCOMPARE(croupiers->count(), 3);  // the empty entry, Alain, Zoé
        croupiers->setFocus();
        QVERIFY(!DrawEntryHasTheKeys());
        auto* where = window_->findChild<QLabel*>("lbTypingGoesTo");
        QCOMPARE(where->text(), QString("Keys edit the box"));
        QTest::keyClick(croupiers, Qt::Key_Down);  // a choice from the list: Alain
        QTRY_VERIFY(DrawEntryHasTheKeys());
        QCOMPARE(where->text(), QString("Keys add draws"));
        TypePocket("9");
        TypePocket("11");
        const DrawLog& log = window_->session().game().log();
        QCOMPARE(log.drawCount(), 2);
        QCOMPARE(log.draw(1), 9);
        QCOMPARE(log.drawCroupier(1), 1);
        QCOMPARE(log.drawCroupier(2), 1);
        QCOMPARE(croupiers->currentText(), QString("Alain"));
    }

    void enterInANumberBoxAppliesItThenLetsGo() {
        auto* count = window_->findChild<QSpinBox*>("seAnalyse1");
        count->setFocus();
        count->selectAll();
        QTest::keyClicks(count, "25");
        QTest::keyClick(count, Qt::Key_Return);
        QCOMPARE(count->value(), 25);
        QTRY_VERIFY(DrawEntryHasTheKeys());
        TypePocket("7");
        QCOMPARE(window_->session().drawCount(), 1);
    }

    void escapeOrAClickOnATabEndsTheEdit() {
        auto* start = window_->findChild<QSpinBox*>("seStart1");
        start->setFocus();
        QTest::keyClick(start, Qt::Key_Escape);
        QVERIFY(DrawEntryHasTheKeys());

        start->setFocus();
        QTabBar* tabs = window_->findChild<QTabWidget*>("pcStats")->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
        QTRY_VERIFY(DrawEntryHasTheKeys());
        TypePocket("12");
        QCOMPARE(window_->session().drawCount(), 1);
    }

    void aBoxBeingEditedKeepsItsDigits() {
        auto* croupiers = window_->findChild<QComboBox*>("cbCroupiers");
        croupiers->setFocus();
        croupiers->lineEdit()->clear();
        QTest::keyClicks(croupiers->lineEdit(), "12");
        QTest::keyClick(croupiers->lineEdit(), Qt::Key_Return);
        QCOMPARE(croupiers->currentText(), QString("12"));
        QCOMPARE(window_->session().drawCount(), 0);
    }

private:
    std::unique_ptr<test::DataDir> dir_;
    std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
