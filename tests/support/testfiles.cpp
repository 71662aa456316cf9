#include "tests/support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/files.h"
#include "base/names.h"

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

QString TestFolder::writeRawName(const QByteArray& name, const QByteArray& content) const {
    const QString file = MP3Mod::JoinPath(path(), MP3Mod::DecodeFileName(name));
    const int fd =
        ::open(MP3Mod::EncodeFileName(file).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, content.constData(), size_t(content.size())) != content.size())
        qFatal("cannot write test file %s", name.constData());
    ::close(fd);
    return file;
}

QString TestFolder::makeFifo(const QString& name) const {
    if (::mkfifo(QFile::encodeName(at(name)).constData(), 0644) != 0)
        qFatal("cannot make FIFO %s", qPrintable(at(name)));
    return at(name);
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
