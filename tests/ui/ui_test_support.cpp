#include "ui_test_support.h"

#include <QFile>

namespace spinalyst::test {

DataDir::DataDir() {
    dir_.setAutoRemove(true);
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

}  // namespace spinalyst::test
