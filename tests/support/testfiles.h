#pragma once
// Folders and files made for a test, removed with it.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TestFolder {
public:
    TestFolder();
    QString path() const { return dir_.path(); }
    // Path of a name inside the folder.
    QString at(const QString& name) const;
    // Writes a file (creating folders on the way) and returns its path.
    QString write(const QString& name, const QByteArray& content = "x") const;
    // Writes a file whose name is the given bytes (UTF-8 or not); returns its
    // path as the program keeps it.
    QString writeRawName(const QByteArray& name, const QByteArray& content = "x") const;
    QString makeFolder(const QString& name) const;
    QString makeFifo(const QString& name) const;
    QString link(const QString& target, const QString& name) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir dir_;
};
