#pragma once
// Makes a folder that cannot be written for as long as the guard lives:
// read-only permissions, or for root (who ignores them) the immutable flag.

#include <QFile>
#include <QProcess>
#include <QString>
#include <unistd.h>

class UnwritableFolder {
public:
    explicit UnwritableFolder(const QString& folder) : folder_(folder) {
        if (::geteuid() == 0)
            ok_ = QProcess::execute(QStringLiteral("chattr"), {"+i", folder_}) == 0;
        else
            ok_ = QFile::setPermissions(folder_, QFile::ReadOwner | QFile::ExeOwner);
    }
    ~UnwritableFolder() {
        if (::geteuid() == 0)
            QProcess::execute(QStringLiteral("chattr"), {"-i", folder_});
        else
            QFile::setPermissions(folder_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // False where the file system offers no way to lock the folder.
    bool locked() const { return ok_; }

private:
    QString folder_;
    bool ok_ = false;
};
