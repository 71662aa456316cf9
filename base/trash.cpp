#include "base/trash.h"

#include <cerrno>
#include <cstdlib>
#include <optional>

#include <QDateTime>
#include <QDir>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/files.h"

namespace MP3Mod {

namespace {

// How many names ("song.mp3", "song.2.mp3", ...) a trash is tried for
// before it counts as unable to take the file.
constexpr int MaxTrashNames = 1000;

struct Trash {
    QByteArray folder;   // holds files/ and info/
    QByteArray pathBase; // what Path is relative to; empty for absolute paths
};

QByteArray ParentOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray WithSlash(const QByteArray& folder) {
    return folder.endsWith('/') ? folder : folder + '/';
}

QByteArray AbsoluteBytes(const QString& path) {
    const QByteArray bytes = EncodeFileName(path);
    return bytes.startsWith('/') ? bytes : WithSlash(EncodeFileName(QDir::currentPath())) + bytes;
}

// The user's data folder: $XDG_DATA_HOME where it is absolute, else
// ~/.local/share (never a folder relative to the working one).
QByteArray DataHome() {
    const QByteArray configured = qgetenv("XDG_DATA_HOME");
    if (configured.startsWith('/'))
        return configured;
    return WithSlash(EncodeFileName(QDir::homePath())) + ".local/share";
}

// The device of path, or of its nearest folder that exists.
std::optional<dev_t> DeviceOfNearest(QByteArray path) {
    struct stat info {};
    while (::stat(path.constData(), &info) != 0) {
        if (errno != ENOENT || path == "/")
            return std::nullopt;
        path = ParentOf(path);
    }
    return info.st_dev;
}

// The top folder of the file system that holds folder.
QByteArray TopFolder(QByteArray folder, dev_t device) {
    while (folder != "/") {
        const QByteArray parent = ParentOf(folder);
        struct stat info {};
        if (::stat(parent.constData(), &info) != 0 || info.st_dev != device)
            break;
        folder = parent;
    }
    return folder;
}

// Makes path and its missing parents, for the user alone; 0 or the error number.
int MakeFolders(const QByteArray& path) {
    for (qsizetype end = path.indexOf('/', 1);; end = path.indexOf('/', end + 1)) {
        const QByteArray folder = end < 0 ? path : path.left(end);
        if (::mkdir(folder.constData(), 0700) != 0 && errno != EEXIST)
            return errno;
        if (end < 0)
            break;
    }
    struct stat info {};
    if (::stat(path.constData(), &info) != 0)
        return errno;
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

int MakeTrashFolders(const QByteArray& trash) {
    const int error = MakeFolders(trash + "/files");
    return error != 0 ? error : MakeFolders(trash + "/info");
}

// A trash folder of the user's own on a shared file system: made when
// missing, and used only when it is a real folder (no link) that the user owns.
int MakeOwnTrash(const QByteArray& trash) {
    if (::mkdir(trash.constData(), 0700) != 0 && errno != EEXIST)
        return errno;
    struct stat info {};
    if (::lstat(trash.constData(), &info) != 0)
        return errno;
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        return EPERM;
    return MakeTrashFolders(trash);
}

// The trash of a file system other than the home trash's: $topdir/.Trash/$uid
// where $topdir/.Trash is a real folder with the sticky bit, else
// $topdir/.Trash-$uid.
std::optional<Trash> TopFolderTrash(const QByteArray& top, int& error) {
    const QByteArray uid = QByteArray::number(::getuid());
    const QByteArray shared = top + ".Trash";
    struct stat info {};
    if (::lstat(shared.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
        (info.st_mode & S_ISVTX) && MakeOwnTrash(shared + '/' + uid) == 0)
        return Trash{shared + '/' + uid, top};
    error = MakeOwnTrash(top + ".Trash-" + uid);
    return error == 0 ? std::optional<Trash>(Trash{top + ".Trash-" + uid, top}) : std::nullopt;
}

// The trash for a file in folder on device, made ready; error says why none
// can be had.
std::optional<Trash> TrashFor(const QByteArray& folder, dev_t device, int& error) {
    const QByteArray home = DataHome() + "/Trash";
    if (DeviceOfNearest(home) != device)
        return TopFolderTrash(WithSlash(TopFolder(folder, device)), error);
    error = MakeTrashFolders(home);
    return error == 0 ? std::optional<Trash>(Trash{home, {}}) : std::nullopt;
}

QByteArray NumberedName(const QByteArray& name, int number) {
    if (number == 1)
        return name;
    const QByteArray suffix = '.' + QByteArray::number(number);
    const qsizetype dot = name.lastIndexOf('.');
    return dot > 0 ? name.left(dot) + suffix + name.mid(dot) : name + suffix;
}

QByteArray TrashInfo(const QByteArray& path) {
    const QString now =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    return "[Trash Info]\nPath=" + path.toPercentEncoding("/") +
           "\nDeletionDate=" + now.toLatin1() + '\n';
}

// Writes a .trashinfo under a name nobody holds yet: 0, EEXIST when the name
// is taken, or the error of a failed step, after which no file is left.
int WriteTrashInfo(const QByteArray& info, const QByteArray& content) {
    const int fd = ::open(info.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    int error = WriteAll(fd, content);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0)
        ::unlink(info.constData());
    return error;
}

// The result of a step's error number; refused: the file is there, and no
// trash took it.
TrashResult Result(int error, bool refused) {
    if (error == 0)
        return {};
    return {ErrorText(error), error == ENOENT && !refused, refused};
}

TrashResult MoveInto(const Trash& trash, const QByteArray& file) {
    const QByteArray name = file.mid(file.lastIndexOf('/') + 1);
    const QByteArray content = TrashInfo(file.mid(trash.pathBase.size()));
    int error = EEXIST;
    for (int number = 1; number <= MaxTrashNames && error == EEXIST; ++number) {
        const QByteArray trashed = NumberedName(name, number);
        const QByteArray info = trash.folder + "/info/" + trashed + ".trashinfo";
        error = WriteTrashInfo(info, content);
        if (error != 0)
            continue;
        error = RenameWithoutReplacing(file, trash.folder + "/files/" + trashed);
        if (error != 0)
            ::unlink(info.constData());
    }
    return Result(error, error != ENOENT);
}

} // namespace

TrashResult TrashFile(const QString& path) {
    const QByteArray file = AbsoluteBytes(path);
    struct stat info {};
    if (::lstat(file.constData(), &info) != 0)
        return Result(errno, false);
    // The folder without links or "..", as the trash names it to put it back.
    char* real = ::realpath(ParentOf(file).constData(), nullptr);
    if (real == nullptr)
        return Result(errno, true);
    const QByteArray folder(real);
    std::free(real);
    int error = 0;
    const std::optional<Trash> trash = TrashFor(folder, info.st_dev, error);
    if (!trash)
        return Result(error, true);
    return MoveInto(*trash, WithSlash(folder) + file.mid(file.lastIndexOf('/') + 1));
}

} // namespace MP3Mod
