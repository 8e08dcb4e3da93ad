#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

#include "ui/common/game_session.h"
#include "ui/common/notice.h"
#include "ui/draws/draws_model.h"
#include "ui/shell/main_window.h"
#include "ui_test_support.h"

using namespace spinalyst;

namespace {
QString Cell(QTableView* view, int row, int column) {
    return view->model()->index(row, column).data().toString();
}
QStringList Entries(QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i) list << box->itemText(i);
    return list;
}
void Click(QWidget* root, const char* name) {
    auto* button = root->findChild<QAbstractButton*>(name);
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}
}  // namespace

class DrawsTest final : public QObject {
    Q_OBJECT

private slots:
    void gridListsDrawsNewestFirstAndFollowsUndo() {
        test::DataDir dir;
        MainWindow window(dir.paths());
        auto* grid = window.findChild<QTableView*>("sgDraws");
        QAbstractItemModelTester tester(grid->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        GameSession& session = window.session();
        QCOMPARE(grid->model()->rowCount(), 0);
        for (Pocket p : {26, 0, 26}) session.AddDraw(p);
        QCOMPARE(grid->model()->rowCount(), 3);
        QCOMPARE(Cell(grid, 0, 2), QString("3"));
        QCOMPARE(Cell(grid, 0, 5), QString("26"));
        QCOMPARE(Cell(grid, 0, 16), QString("36"));
        QCOMPARE(Cell(grid, 0, 17), QString("1"));
        QCOMPARE(Cell(grid, 1, 4), QString("0"));
        QCOMPARE(Cell(grid, 2, 17), QString());
        QCOMPARE(grid->model()->index(1, 4).data(Qt::ForegroundRole).value<QBrush>().color(),
                 QColor(0, 128, 0));
        Click(&window, "btnUndo");
        QCOMPARE(grid->model()->rowCount(), 2);
        QCOMPARE(Cell(grid, 0, 2), QString("2"));
        window.findChild<QAction*>("Nouveau1")->trigger();
        QCOMPARE(grid->model()->rowCount(), 0);
        Click(&window, "btnUndo");  // nothing to undo
        QCOMPARE(session.drawCount(), 0);
    }

    void theParityHeaderReadsInTheOrderOfItsColumns() {
        for (const char* language : {"EN", "FR"}) {
            test::DataDir dir;
            dir.Write("spinalyst.ini", QByteArray("[Params]\nLanguage=") + language + "\n");
            dir.CopyShippedLanguages();
            MainWindow window(dir.paths());
            auto* grid = window.findChild<QTableView*>("sgDraws");
            window.session().AddDraw(5);
            // Column 6 marks odd pockets, column 7 even ones: the header puts odd first.
            QCOMPARE(Cell(grid, 0, 6), QString("X"));
            QCOMPARE(Cell(grid, 0, 7), QString());
            const QString header = grid->model()->headerData(6, Qt::Horizontal).toString();
            QCOMPARE(header, QString(language == QByteArray("EN") ? "O-E" : "I-P"));
        }
    }

    void pageButtonsShowTheirColumns() {
        test::DataDir dir;
        MainWindow window(dir.paths());
        auto* grid = window.findChild<QTableView*>("sgDraws");
        auto visible = [&] {
            QList<int> shown;
            for (int c = 0; c < grid->model()->columnCount(); ++c)
                if (!grid->isColumnHidden(c)) shown << c;
            return shown;
        };
        QCOMPARE(visible(), (QList<int>{0, 1, 2, 3, 4, 5}));
        QCOMPARE(grid->columnWidth(0), 94);
        Click(&window, "btPrior");
        QCOMPARE(visible(), (QList<int>{0, 1, 2, 3, 4, 5}));
        Click(&window, "btNext");
        QCOMPARE(visible(), (QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
        // A new game shows page one's columns but keeps the page: the next ">" shows page 3.
        window.findChild<QAction*>("Nouveau1")->trigger();
        QCOMPARE(visible(), (QList<int>{0, 1, 2, 3, 4, 5}));
        Click(&window, "btNext");
        QCOMPARE(visible(), (QList<int>{2, 3, 4, 5, 16, 17, 18, 19}));
        Click(&window, "btNext");
        QCOMPARE(visible(), (QList<int>{2, 3, 4, 5, 16, 17, 18, 19}));
        Click(&window, "btFirst");
        QCOMPARE(visible(), (QList<int>{0, 1, 2, 3, 4, 5}));
        Click(&window, "btLast");
        QCOMPARE(grid->columnWidth(17), 44);
        QCOMPARE(grid->columnWidth(19), 24);
    }

    void croupiersAreNumberedListedByNameAndKeptAtOnce() {
        test::DataDir dir;
        dir.Write("spinalyst_EN.lang", "NUMERO\tTEXT\n27\tNew\n");  // no record 26
        {
            MainWindow window(dir.paths());
            auto* box = window.findChild<QComboBox*>("cbCroupiers");
            QCOMPARE(window.findChild<QLabel*>("lbCroupier")->text(), QString("<!26!>"));
            QCOMPARE(
                window.findChild<QTableView*>("sgDraws")->model()->headerData(1, Qt::Horizontal),
                QVariant(QString("<!26!>")));
            window.session().AddDraw(4);  // before any croupier
            test::AnswerCroupierName("Zoé");
            Click(&window, "btCroupier");
            window.session().AddDraw(5);
            test::AnswerCroupierName("Alain");
            Click(&window, "btCroupier");
            window.session().AddDraw(6);
            test::AnswerCroupierName(std::nullopt);  // Cancel changes nothing
            Click(&window, "btCroupier");
            QCOMPARE(Entries(box), (QStringList{"", "Alain", "Zoé"}));
            QCOMPARE(box->currentText(), QString("Alain"));
            // The analysis filter offers the new croupiers at once.
            QCOMPARE(Entries(window.findChild<QComboBox*>("cbCroupier")),
                     (QStringList{"", "Alain", "Zoé"}));
            window.session().AddDraw(7);
            auto* grid = window.findChild<QTableView*>("sgDraws");
            QCOMPARE(Cell(grid, 0, 1), QString("Alain"));
            QCOMPARE(Cell(grid, 2, 1), QString("Zoé"));
            QCOMPARE(Cell(grid, 3, 1), QString("-"));
            // Choosing a name selects that croupier; a partial name selects none.
            box->setCurrentIndex(2);
            window.session().AddDraw(8);
            QCOMPARE(Cell(grid, 0, 1), QString("Zoé"));
            box->setEditText("Zo");
            window.session().AddDraw(9);
            QCOMPARE(Cell(grid, 0, 1), QString("-"));
            // A batch clears the croupier box and its draws carry no croupier.
            box->setCurrentIndex(1);
            Click(&window, "btRandom");
            QCOMPARE(Cell(grid, 0, 1), QString("-"));
            QCOMPARE(box->currentText(), QString());
            window.session().AddDraw(1);
            QCOMPARE(Cell(grid, 0, 1), QString("-"));
        }
        // The next run lists both, with the numbers they were given (no close needed).
        QCOMPARE(dir.Read("croupiers"), QByteArray("idx\tname\n1\tZoé\n2\tAlain\n"));
        MainWindow next(dir.paths());
        QCOMPARE(Entries(next.findChild<QComboBox*>("cbCroupiers")),
                 (QStringList{"", "Alain", "Zoé"}));
    }

    void aCroupierFileThatCannotBeWrittenIsReported() {
        test::DataDir dir;
        dir.Write("spinalyst_EN.lang", "NUMERO\tTEXT\n122\tNot written\n");
        QDir(dir.file("croupiers")).mkpath(".");  // a directory where the file should be
        MainWindow window(dir.paths());
        test::AnswerCroupierName("Zoé");
        Click(&window, "btCroupier");
        QCOMPARE(window.statusBar()->currentMessage(), QString("Not written"));
        QCOMPARE(window.session().croupiers().CroupierIndex("Zoé"), 1);
        window.session().AddDraw(3);
        QCOMPARE(Cell(window.findChild<QTableView*>("sgDraws"), 0, 1), QString("Zoé"));
    }

    void aBatchIsAnnouncedOnce() {
        test::DataDir dir;
        dir.Write("spinalyst.ini", "[Params]\nRoulette=2\n");
        MainWindow window(dir.paths());
        QSignalSpy added(&window.session(), &GameSession::drawsAdded);
        window.findChild<QSpinBox*>("seNbRand")->setValue(100000);
        QCOMPARE(window.findChild<QSpinBox*>("seNbRand")->maximum(), 100000);
        Click(&window, "btRandom");
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.at(0).at(0).toInt(), 100000);
        auto* grid = window.findChild<QTableView*>("sgDraws");
        QCOMPARE(grid->model()->rowCount(), 100000);
        QCOMPARE(Cell(grid, 0, 2), QString("100000"));
        QVERIFY(!QApplication::overrideCursor());
        const DrawLog& log = window.session().game().log();
        for (int n = 1; n <= log.drawCount(); ++n) QVERIFY(log.draw(n) >= 1);
    }

    void randomSourceDialogKeepsTheChoiceForOkOnly() {
        test::DataDir dir;
        dir.Write("spinalyst.ini", "[Params]\nRndSource=2\nRndSourceFile=/tmp/spins.txt\n");
        dir.CopyShippedLanguages();
        MainWindow window(dir.paths());
        GameSession& session = window.session();
        QCOMPARE(session.game().randomSource(), 2);
        Click(&window, "btRandom");  // the file source draws nothing yet, and says why
        QCOMPARE(session.drawCount(), 0);
        QVERIFY(window.statusBar()->currentMessage().contains("random source is a file"));

        SetDialogHook([](QDialog& dialog) {
            dialog.show();
            auto* program = dialog.findChild<QCheckBox*>("cbSrc1");
            auto* file = dialog.findChild<QCheckBox*>("cbSrc2");
            if (!file->isChecked() || file->isEnabled() || program->isChecked()) return -1;
            if (dialog.findChild<QLineEdit*>("edSrcFile")->text() != "/tmp/spins.txt") return -1;
            program->click();
            program->click();  // stays checked
            if (!program->isChecked() || file->isChecked()) return -1;
            return int(QDialog::Rejected);
        });
        window.findChild<QAction*>("Sourcealeatoire1")->trigger();
        QCOMPARE(session.game().randomSource(), 1);  // in effect at once
        QVERIFY(dir.Read("spinalyst.ini").contains("RndSource=2"));
        Click(&window, "btRandom");
        QCOMPARE(session.drawCount(), 1);

        SetFilePickerHook([](FilePurpose purpose) {
            return purpose == FilePurpose::RandomSourceFile ? QString("/data/other.txt")
                                                            : QString();
        });
        SetDialogHook([](QDialog& dialog) {
            dialog.show();
            dialog.findChild<QCheckBox*>("cbSrc1")->click();
            QTest::mouseClick(dialog.findChild<QAbstractButton*>("sbSrcFile"), Qt::LeftButton);
            QTest::mouseClick(dialog.findChild<QPushButton*>("btOK"), Qt::LeftButton);
            return dialog.result();
        });
        window.findChild<QAction*>("Sourcealeatoire1")->trigger();
        const QByteArray file = dir.Read("spinalyst.ini");
        QVERIFY(file.contains("RndSource=1"));
        QVERIFY(file.contains("RndSourceFile=/data/other.txt"));
    }
};

QTEST_MAIN(DrawsTest)
#include "draws_test.moc"
