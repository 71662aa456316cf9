#pragma once
// Folders that cannot be written, and a user who cannot write them.

#include <vector>

#include <QFile>
#include <QProcess>
#include <QString>
#include <grp.h>
#include <unistd.h>

// Makes a folder that cannot be written for as long as the guard lives:
// read-only permissions, or for root (who ignores them) the immutable flag.
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

// Runs the test as the user "nobody" for as long as the guard lives, when it
// runs as root, so that permissions hold as for a user; root's rights come
// back at its end. A user other than root stays as it is.
class UnprivilegedUser {
public:
    static constexpr uid_t Nobody = 65534;
    UnprivilegedUser() {
        if (::geteuid() != 0)
            return;
        groups_.resize(std::size_t(::getgroups(0, nullptr)));
        ::getgroups(int(groups_.size()), groups_.data());
        dropped_ = ::setgroups(0, nullptr) == 0 && ::setresgid(Nobody, Nobody, 0) == 0 &&
                   ::setresuid(Nobody, Nobody, 0) == 0;
    }
    ~UnprivilegedUser() {
        if (::setresuid(0, 0, 0) == 0 && ::setresgid(0, 0, 0) == 0)
            ::setgroups(groups_.size(), groups_.data());
    }
    // False where root's rights could not be given up.
    bool ok() const { return dropped_ || ::geteuid() != 0; }

private:
    std::vector<gid_t> groups_;
    bool dropped_ = false;
};
