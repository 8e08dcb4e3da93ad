#pragma once

#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace spinalyst {

// Every modal exchange with the user passes through here: warnings, questions, file pickers
// and the program's own dialogs. Each has one test hook: while it is set, the hook answers in
// place of the user and nothing waits for a person.

// A warning the user must acknowledge, in a message box.
void ShowWarning(QWidget* parent, const QString& text);
// Test hook: while set, warnings go to the hook instead of a message box.
void SetWarningHook(std::function<void(const QString&)> hook);

enum class Answer { Yes, No, Cancel };
// A question in a message box: Yes / No, or with cancelAllowed Save / Discard / Cancel (Save
// answering Yes, Discard No).
Answer AskQuestion(QWidget* parent, const QString& text, bool cancelAllowed);
// Test hook: while set, questions go to the hook, which gives the answer.
void SetQuestionHook(std::function<Answer(const QString&)> hook);

// What a file picker is for.
enum class FilePurpose { OpenGame, SaveGame, ImportSpins, ExportStatistics, RandomSourceFile };
// A file name from the file picker of the purpose; empty when the user cancels.
QString ChooseFile(QWidget* parent, FilePurpose purpose, const QString& suggested = {});
// Test hook: while set, file pickers ask the hook instead.
void SetFilePickerHook(std::function<QString(FilePurpose)> hook);

// Runs a dialog modally: its result, QDialog::Accepted or Rejected.
int RunDialog(QDialog& dialog);
// Test hook: while set, the hook is handed the dialog, built and not shown, and gives the
// result in place of the user.
void SetDialogHook(std::function<int(QDialog&)> hook);

}  // namespace spinalyst
