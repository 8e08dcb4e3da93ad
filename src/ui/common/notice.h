#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace spinalyst {

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
enum class FilePurpose { OpenGame, SaveGame, ImportSpins, ExportStatistics };
// A file name from the file picker of the purpose; empty when the user cancels.
QString ChooseFile(QWidget* parent, FilePurpose purpose, const QString& suggested = {});
// Test hook: while set, file pickers ask the hook instead.
void SetFilePickerHook(std::function<QString(FilePurpose)> hook);

}  // namespace spinalyst
