#include "ui/common/notice.h"

#include <QDialog>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>

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

namespace {
// Qt's own file dialog, its list wide enough for the sizes, kinds and dates of either
// language; a platform's dialog, where one is used, keeps its own look.
QString RunFileDialog(QWidget* parent, const QString& title, const QString& suggested,
                      const QString& filter, bool save) {
    QFileDialog dialog(parent, title, suggested, filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.resize(dialog.size().expandedTo(QSize(760, 440)));
    if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = list->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    if (RunDialog(dialog) != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}
}  // namespace

QString ChooseFile(QWidget* parent, FilePurpose purpose, const QString& suggested) {
    if (FilePickerHook()) return FilePickerHook()(purpose);
    switch (purpose) {
        case FilePurpose::OpenGame:
            return RunFileDialog(parent, Text(TextId::MenuOpen).remove('&'), suggested,
                                 Text(TextId::GameFilesFilter), false);
        case FilePurpose::SaveGame:
            return RunFileDialog(parent, Text(TextId::MenuSaveAs).remove('&'), suggested,
                                 Text(TextId::GameFilesFilter), true);
        case FilePurpose::ImportSpins:
            return RunFileDialog(parent, Text(TextId::MenuImportSpins).remove('&'), suggested,
                                 Text(TextId::SpinListsFilter), false);
        case FilePurpose::ExportStatistics:
            return RunFileDialog(parent, Text(TextId::MenuExportStats).remove('&'), suggested,
                                 Text(TextId::CsvFilesFilter), true);
        case FilePurpose::RandomSourceFile:
            return RunFileDialog(parent, QString(), suggested,
                                 QStringLiteral("Fichiers texte (*.txt)"), false);
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
