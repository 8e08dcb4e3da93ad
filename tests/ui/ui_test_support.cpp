#include "ui_test_support.h"

#include <QDialog>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QWidget>
#include <QWindow>

#include "ui/common/notice.h"

namespace spinalyst::test {

DataDir::DataDir() {
    dir_.setAutoRemove(true);
    // No modal dialog may wait for a person: unsaved draws are discarded, file pickers and
    // dialogs cancelled unless a test answers otherwise.
    SetQuestionHook([](const QString&) { return Answer::No; });
    SetFilePickerHook([](FilePurpose) { return QString(); });
    SetDialogHook([](QDialog&) { return int(QDialog::Rejected); });
}

DataPaths DataDir::paths() const {
    DataPaths p;
    p.writeDir = dir_.path().toStdString();
    p.readDirs = {p.writeDir};
    return p;
}

void DataDir::Write(const QString& name, const QByteArray& content) const {
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly)) f.write(content);
}

QByteArray DataDir::Read(const QString& name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void DataDir::CopyShippedLanguages() const {
    for (const char* name : {"spinalyst_EN.lang", "spinalyst_FR.lang"}) {
        QFile shipped(QStringLiteral(SPINALYST_SOURCE_DATA_DIR "/") + name);
        if (shipped.open(QIODevice::ReadOnly)) Write(name, shipped.readAll());
    }
}

void AnswerCroupierName(std::optional<QString> name) {
    SetDialogHook([name](QDialog& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>("edCroupier");
        if (!name || !edit) return int(QDialog::Rejected);
        edit->setText(*name);
        return int(QDialog::Accepted);
    });
}

PaintCounter::PaintCounter(std::initializer_list<QWidget*> widgets) {
    for (QWidget* w : widgets) w->installEventFilter(this);
}

int PaintCounter::paints(QWidget* widget) const {
    const auto it = paints_.find(widget);
    return it == paints_.end() ? 0 : it->second;
}

bool PaintCounter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) ++paints_[watched];
    return false;
}

QString ShownTitle(QWidget* window) {
    window->winId();
    return window->windowHandle()->title();
}

}  // namespace spinalyst::test
