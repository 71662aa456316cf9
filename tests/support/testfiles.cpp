#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestFolder::TestFolder() {
    dir_.setAutoRemove(true);
}

QString TestFolder::at(const QString& name) const {
    return dir_.filePath(name);
}

QString TestFolder::write(const QString& name, const QByteArray& content) const {
    const QString file = at(name);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size())
        qFatal("cannot write test file %s", qPrintable(file));
    return file;
}

QString TestFolder::makeFolder(const QString& name) const {
    QDir().mkpath(at(name));
    return at(name);
}

QString TestFolder::link(const QString& target, const QString& name) const {
    QFile::link(target, at(name));
    return at(name);
}

QByteArray TestFolder::read(const QString& name) const {
    QFile in(at(name));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}
