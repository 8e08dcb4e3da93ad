#include "ui/common/notice.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "ui/common/texts.h"

namespace spinalyst {

namespace {
std::function<void(const QString&)>& WarningHook() {
    static std::function<void(const QString&)> hook;
    return hook;
}
std::function<Answer(const QString&)>& QuestionHook() {
    static std::function<Answer(const QString&)> hook;
    return hook;
}
std::function<QString(FilePurpose)>& FilePickerHook() {
    static std::function<QString(FilePurpose)> hook;
    return hook;
}
std::function<int(QDialog&)>& DialogHook() {
    static std::function<int(QDialog&)> hook;
    return hook;
}
}  // namespace

void ShowWarning(QWidget* parent, const QString& text) {
    if (WarningHook()) {
        WarningHook()(text);
        return;
    }
    QMessageBox::warning(parent, QStringLiteral("Spinalyst"), text);
}

void SetWarningHook(std::function<void(const QString&)> hook) {
    WarningHook() = std::move(hook);
}

Answer AskQuestion(QWidget* parent, const QString& text, bool cancelAllowed) {
    if (QuestionHook()) return QuestionHook()(text);
    // Buttons in the program's language: the toolkit's own ones would stay in English.
    QMessageBox box(QMessageBox::Question, QStringLiteral("Spinalyst"), text, QMessageBox::NoButton,
                    parent);
    QAbstractButton* yes = nullptr;
    QAbstractButton* no = nullptr;
    if (cancelAllowed) {
        yes = box.addButton(Text(TextId::MenuSave), QMessageBox::AcceptRole);
        no = box.addButton(Text(TextId::DontSave), QMessageBox::DestructiveRole);
        box.setEscapeButton(box.addButton(Text(TextId::Cancel), QMessageBox::RejectRole));
    } else {
        yes = box.addButton(Text(TextId::Yes), QMessageBox::YesRole);
        no = box.addButton(Text(TextId::No), QMessageBox::NoRole);
        box.setEscapeButton(no);
    }
    box.setDefaultButton(qobject_cast<QPushButton*>(yes));
    box.exec();
    if (box.clickedButton() == yes) return Answer::Yes;
    if (box.clickedButton() == no) return Answer::No;
    return Answer::Cancel;
}

void SetQuestionHook(std::function<Answer(const QString&)> hook) {
    QuestionHook() = std::move(hook);
}

QString ChooseFile(QWidget* parent, FilePurpose purpose, const QString& suggested) {
    if (FilePickerHook()) return FilePickerHook()(purpose);
    switch (purpose) {
        case FilePurpose::OpenGame:
            return QFileDialog::getOpenFileName(parent, Text(TextId::MenuOpen).remove('&'),
                                                suggested, Text(TextId::GameFilesFilter));
        case FilePurpose::SaveGame:
            return QFileDialog::getSaveFileName(parent, Text(TextId::MenuSaveAs).remove('&'),
                                                suggested, Text(TextId::GameFilesFilter));
        case FilePurpose::ImportSpins:
            return QFileDialog::getOpenFileName(parent, Text(TextId::MenuImportSpins).remove('&'),
                                                suggested, Text(TextId::SpinListsFilter));
        case FilePurpose::ExportStatistics:
            return QFileDialog::getSaveFileName(parent, Text(TextId::MenuExportStats).remove('&'),
                                                suggested, Text(TextId::CsvFilesFilter));
        case FilePurpose::RandomSourceFile:
            return QFileDialog::getOpenFileName(parent, QString(), suggested,
                                                QStringLiteral("Fichiers texte (*.txt)"));
    }
    return {};
}

void SetFilePickerHook(std::function<QString(FilePurpose)> hook) {
    FilePickerHook() = std::move(hook);
}

int RunDialog(QDialog& dialog) {
    if (DialogHook()) return DialogHook()(dialog);
    return dialog.exec();
}

void SetDialogHook(std::function<int(QDialog&)> hook) {
    DialogHook() = std::move(hook);
}

}  // namespace spinalyst
