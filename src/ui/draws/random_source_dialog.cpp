#include "draws/random_source_dialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include "app/texts.h"
#include "draws/game.h"
#include "store/settings.h"

namespace spinalyst {

namespace {
std::optional<QString> nextFileName;
std::function<int(TdlgRndSrc&)> testDriver;
}  // namespace

TdlgRndSrc::TdlgRndSrc(Game& game, QString& randomSourceFile, const Settings& settings,
                       QWidget* parent)
    : QDialog(parent), game_(game), randomSourceFile_(randomSourceFile) {
    setObjectName("dlgRndSrc");
    setFixedSize(339, 122);
    cbSrc1 = new QCheckBox(this);
    cbSrc1->setObjectName("cbSrc1");
    cbSrc1->setGeometry(16, 14, 200, 20);
    cbSrc2 = new QCheckBox(this);
    cbSrc2->setObjectName("cbSrc2");
    cbSrc2->setGeometry(16, 44, 90, 20);
    cbSrc2->setEnabled(false);
    edSrcFile = new QLineEdit(this);
    edSrcFile->setObjectName("edSrcFile");
    edSrcFile->setGeometry(110, 42, 184, 23);
    sbSrcFile = new QToolButton(this);
    sbSrcFile->setObjectName("sbSrcFile");
    sbSrcFile->setText("...");
    sbSrcFile->setGeometry(298, 42, 25, 23);
    btOK = new QPushButton(this);
    btOK->setObjectName("btOK");
    btOK->setGeometry(167, 86, 75, 25);
    btOK->setDefault(true);
    btCancel = new QPushButton(this);
    btCancel->setObjectName("btCancel");
    btCancel->setGeometry(248, 86, 75, 25);

    // The dialog reloads the stored choice each time it opens.
    game_.SetRandomSource(static_cast<int>(settings.ReadInt(Param::RndSource)));
    randomSourceFile_ = QString::fromStdString(settings.ReadText(Param::RndSourceFile));
    cbSrc1->setChecked(game_.randomSource() == randomFromProgram);
    cbSrc2->setChecked(game_.randomSource() == randomFromFile);
    edSrcFile->setText(randomSourceFile_);

    setWindowTitle(Text(TextId::RandomSourceTitle));
    cbSrc1->setText(Text(TextId::SourceProgram));
    cbSrc2->setText(Text(TextId::SourceFile));
    btOK->setText(Text(TextId::Ok));
    btCancel->setText(Text(TextId::Cancel));

    connect(cbSrc1, &QCheckBox::clicked, this, [this] { cbSrc1Click(cbSrc1); });
    connect(cbSrc2, &QCheckBox::clicked, this, [this] { cbSrc1Click(cbSrc2); });
    connect(sbSrcFile, &QToolButton::clicked, this, &TdlgRndSrc::sbSrcFileClick);
    connect(btOK, &QPushButton::clicked, this, &TdlgRndSrc::btOKClick);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TdlgRndSrc::cbSrc1Click(QCheckBox* clicked) {
    // The two boxes act as radio buttons; a click on the checked one leaves it checked.
    const QSignalBlocker b1(cbSrc1), b2(cbSrc2);
    cbSrc1->setChecked(clicked == cbSrc1);
    cbSrc2->setChecked(clicked == cbSrc2);
    game_.SetRandomSource(clicked == cbSrc1 ? randomFromProgram : randomFromFile);
}

void TdlgRndSrc::sbSrcFileClick() {
    QString file;
    if (nextFileName) {
        file = *nextFileName;
        nextFileName.reset();
    } else {
        file = QFileDialog::getOpenFileName(this, QString(), QString(),
                                            QStringLiteral("Fichiers texte (*.txt)"));
    }
    if (file.isEmpty()) return;
    edSrcFile->setText(file);
    randomSourceFile_ = file;
}

void TdlgRndSrc::btOKClick() {
    if (cbSrc2->isChecked() && edSrcFile->text().isEmpty()) return;
    accept();
}

void TdlgRndSrc::SetNextFileName(std::optional<QString> file) {
    nextFileName = std::move(file);
}

void TdlgRndSrc::SetTestDriver(std::function<int(TdlgRndSrc&)> driver) {
    testDriver = std::move(driver);
}

int TdlgRndSrc::Run(TdlgRndSrc& dialog) {
    if (testDriver) {
        auto driver = std::move(testDriver);
        testDriver = nullptr;
        return driver(dialog);
    }
    return dialog.exec();
}

void ChooseRandomSource(QWidget* parent, Game& game, QString& randomSourceFile,
                        const Settings& settings) {
    TdlgRndSrc dialog(game, randomSourceFile, settings, parent);
    if (TdlgRndSrc::Run(dialog) != QDialog::Accepted) return;
    settings.Update([&](IniFile& ini) {
        ini.SetInt(paramsSection, Info(Param::RndSource).key, game.randomSource());
        ini.Set(paramsSection, Info(Param::RndSourceFile).key, randomSourceFile.toStdString());
    });
}

}  // namespace spinalyst
