#include "base/files.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <numeric>
#include <utility>
#include <vector>

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QUrl>
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/names.h"

namespace fs = std::filesystem;

namespace {

const QString NotRegular = QStringLiteral("it is not a regular file");

} // namespace

namespace MP3Mod {

namespace {

fs::path NativePath(const QString& path) {
    return fs::path(EncodeFileName(path).toStdString());
}

constexpr char16_t FirstEscape = 0xDC80; // byte 0x80
constexpr char16_t LastEscape = 0xDCFF;  // byte 0xFF

bool InRange(unsigned char byte, unsigned char low, unsigned char high) {
    return byte >= low && byte <= high;
}

// The length of the valid UTF-8 sequence at s (at most n bytes), 0 when none
// starts there: overlong forms, surrogates and values past U+10FFFF are invalid.
int Utf8SequenceLength(const unsigned char* s, qsizetype n) {
    const unsigned char lead = s[0];
    if (lead < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF; // bounds of the second byte
    if (InRange(lead, 0xC2, 0xDF))
        length = 2;
    else if (InRange(lead, 0xE0, 0xEF)) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (InRange(lead, 0xF0, 0xF4)) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else
        return 0;
    if (n < length || !InRange(s[1], low, high))
        return 0;
    for (int i = 2; i < length; ++i)
        if (!InRange(s[i], 0x80, 0xBF))
            return 0;
    return length;
}

bool IsEscapedByte(const QString& text, qsizetype i) {
    const char16_t unit = text[i].unicode();
    return unit >= FirstEscape && unit <= LastEscape && (i == 0 || !text[i - 1].isHighSurrogate());
}

bool IsHiddenName(const std::string& name) {
    return !name.empty() && name.front() == '.';
}

std::string LastComponent(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1).toStdString();
}

// A regular file, or a link to one; the entry's type spares a stat where the
// file system gives it.
bool IsRegularEntry(int folder, const dirent& entry) {
    if (entry.d_type == DT_REG)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    struct stat info {};
    return ::fstatat(folder, entry.d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
}

// Calls visit(name) for each normal file of the folder until it returns
// false. Unreadable folders and entries are passed over. Read with readdir
// itself: a folder of 100,000 songs is listed at the speed of the system.
template <typename Visit> void ForEachNormalFile(const QString& folder, Visit visit) {
    DIR* dir = ::opendir(EncodeFileName(folder).constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.' && IsRegularEntry(::dirfd(dir), *entry) &&
            !visit(std::string_view(entry->d_name)))
            break;
    }
    ::closedir(dir);
}

// The listed names in one buffer, each followed by a NUL, so that a folder of
// 100,000 songs is read without an allocation a name.
struct ListedNames {
    struct Name {
        std::size_t start;
        std::uint32_t length;
        bool ascii;     // most names are
        bool printable; // ASCII from the blank to "~", as nearly all are
    };
    std::string buffer;
    std::vector<Name> names;

    std::string_view Bytes(const Name& name) const {
        return std::string_view(buffer).substr(name.start, name.length);
    }
    QString Text(const Name& name) const {
        return DecodeFileName(QByteArray(buffer.data() + name.start, qsizetype(name.length)));
    }
};

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return !(c & 0x80); });
}

bool IsPrintableAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

// The order of names without regard to case, by code point: their
// case-folded texts, then their bytes. ASCII names fold their letters alone,
// as strcasecmp does; others are folded whole.
bool NameLess(const ListedNames& listed, const ListedNames::Name& a, const ListedNames::Name& b) {
    if (a.ascii && b.ascii) {
        const int folded =
            ::strcasecmp(listed.buffer.data() + a.start, listed.buffer.data() + b.start);
        return folded != 0 ? folded < 0 : listed.Bytes(a) < listed.Bytes(b);
    }
    const QString foldedA = listed.Text(a).toCaseFolded();
    const QString foldedB = listed.Text(b).toCaseFolded();
    return foldedA != foldedB ? foldedA < foldedB : listed.Bytes(a) < listed.Bytes(b);
}

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// The locale's order of printable ASCII names as fast as strcasecmp: each
// character's rank in it, letter case aside. Used only where that order is
// a plain one of characters: where no two letters sort as one (Czech "ch",
// Danish "aa", Welsh "dd"), which sorting every two-letter name shows.
class AsciiCollation {
public:
    explicit AsciiCollation(const QCollator& collator) {
        std::string characters;
        for (char c = ' '; c <= '~'; ++c)
            characters += c;
        std::stable_sort(characters.begin(), characters.end(), [&](char a, char b) {
            return collator.compare(QString(QLatin1Char(a)), QString(QLatin1Char(b))) < 0;
        });
        rank_[std::size_t(characters[0])] = 1; // above the NUL that ends a name
        for (std::size_t i = 1; i < characters.size(); ++i)
            rank_[std::size_t(characters[i])] =
                rank_[std::size_t(characters[i - 1])] +
                (collator.compare(QString(QLatin1Char(characters[i - 1])),
                                  QString(QLatin1Char(characters[i]))) != 0);
        std::vector<std::string> pairs;
        for (char a = 'a'; a <= 'z'; ++a)
            for (char b = 'a'; b <= 'z'; ++b)
                pairs.push_back({a, b});
        std::sort(pairs.begin(), pairs.end(), [this](const auto& a, const auto& b) {
            return Compare(a.c_str(), b.c_str()) < 0;
        });
        plain_ = std::adjacent_find(pairs.begin(), pairs.end(), [&](const auto& a, const auto& b) {
                     return Sign(collator.compare(QLatin1String(a), QLatin1String(b))) !=
                            Sign(Compare(a.c_str(), b.c_str()));
                 }) == pairs.end();
    }
    bool Plain() const { return plain_; }
    // Compares two names of printable ASCII, each ended by a NUL.
    int Compare(const char* a, const char* b) const {
        while (*a != 0 && rank_[std::size_t(*a)] == rank_[std::size_t(*b)])
            ++a, ++b;
        return int(rank_[std::size_t(*a)]) - int(rank_[std::size_t(*b)]);
    }

private:
    std::array<std::uint8_t, 128> rank_{}; // NUL ranks first
    bool plain_ = false;
};

// Sorts the names as the desktop's locale does, letter case aside ("É"
// beside "E", "ł" after "l"); names it cannot tell apart keep the order of
// their bytes. Two printable ASCII names are compared by their characters'
// ranks where the locale's order allows it. The C locale has no collation:
// there names go by code point.
void SortNames(ListedNames& listed) {
    QCollator collator{QLocale()};
    auto& names = listed.names;
    if (collator.locale().language() == QLocale::C) {
        std::sort(names.begin(), names.end(),
                  [&listed](const auto& a, const auto& b) { return NameLess(listed, a, b); });
        return;
    }
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const AsciiCollation ascii(collator);
    const auto byTable = [&ascii](const ListedNames::Name& name) {
        return ascii.Plain() && name.printable;
    };
    // Where the collator must compare, each name is decoded once, not at
    // every comparison.
    std::vector<QString> texts;
    if (!std::all_of(names.begin(), names.end(), byTable))
        for (const ListedNames::Name& name : names)
            texts.push_back(listed.Text(name));
    std::vector<std::uint32_t> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::uint32_t i, std::uint32_t j) {
        const ListedNames::Name& a = names[i];
        const ListedNames::Name& b = names[j];
        const int collated =
            byTable(a) && byTable(b)
                ? ascii.Compare(listed.buffer.data() + a.start, listed.buffer.data() + b.start)
                : collator.compare(texts[i], texts[j]);
        return collated != 0 ? collated < 0 : listed.Bytes(a) < listed.Bytes(b);
    });
    std::vector<ListedNames::Name> sorted;
    sorted.reserve(order.size());
    for (const std::uint32_t at : order)
        sorted.push_back(names[at]);
    names = std::move(sorted);
}

// "*.mp3*" matches every name holding ".mp3".
std::string NeedleOf(const QString& pattern) {
    QString needle = pattern;
    if (needle.startsWith(QLatin1Char('*')))
        needle.remove(0, 1);
    if (needle.endsWith(QLatin1Char('*')))
        needle.chop(1);
    return needle.toStdString();
}

} // namespace

QString DecodeFileName(const QByteArray& bytes) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    QString text;
    qsizetype runStart = 0; // start of the valid run not yet appended
    qsizetype i = 0;
    while (i < n) {
        const int length = Utf8SequenceLength(s + i, n - i);
        if (length > 0) {
            i += length;
            continue;
        }
        text += TextFromUtf8(QByteArrayView(bytes.constData() + runStart, i - runStart));
        text += QChar(char16_t(0xDC00 + s[i]));
        runStart = ++i;
    }
    if (runStart == 0)
        return TextFromUtf8(bytes);
    return text + TextFromUtf8(QByteArrayView(bytes.constData() + runStart, n - runStart));
}

QByteArray EncodeFileName(const QString& path) {
    QByteArray bytes;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!IsEscapedByte(path, i))
            continue;
        bytes += QStringView(path).mid(runStart, i - runStart).toUtf8();
        bytes += char(path[i].unicode() - 0xDC00);
        runStart = i + 1;
    }
    if (runStart == 0)
        return path.toUtf8();
    return bytes + QStringView(path).mid(runStart).toUtf8();
}

QString ShownFileName(const QString& text) {
    QString shown = text; // shares the text until a byte needs replacing
    for (qsizetype i = 0; i < text.size(); ++i)
        if (IsEscapedByte(text, i))
            shown[i] = QChar::ReplacementCharacter;
    return shown;
}

QString FileUri(const QString& path) {
    return QStringLiteral("file://") +
           QString::fromLatin1(EncodeFileName(path).toPercentEncoding("/"));
}

QString PathFromFileUri(const QString& uri) {
    const QUrl url(uri);
    if (url.scheme() != QLatin1String("file") || !url.host().isEmpty())
        return {};
    const QByteArray path =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    // An escaped NUL would end the name early ("a%00.mp3" naming "a").
    if (!path.startsWith('/') || path.contains('\0'))
        return {};
    return DecodeFileName(path);
}

QString ReadRegularFile(const QString& path, QByteArray& content) {
    content.clear();
    // Non-blocking, so that a FIFO in the file's place cannot hang the reader.
    const int fd = ::open(EncodeFileName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return ErrorText(errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return NotRegular;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return file.errorString();
    }
    content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        content.clear();
        return file.errorString();
    }
    return {};
}

QString NotRegularFileReason(const QString& path) {
    struct stat info {};
    if (::stat(EncodeFileName(path).constData(), &info) != 0 || S_ISREG(info.st_mode))
        return {};
    return NotRegular;
}

int WriteAll(int fd, const QByteArray& data) {
    qsizetype written = 0;
    while (written < data.size()) {
        const ssize_t n =
            ::write(fd, data.constData() + written, std::size_t(data.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        written += n;
    }
    return 0;
}

// renameat2 where the file system has it, else a hard link (which never
// replaces) and the removal of the old name.
int RenameWithoutReplacing(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    if (::link(from.constData(), to.constData()) != 0)
        return errno;
    return ::unlink(from.constData()) == 0 ? 0 : errno;
}

namespace {

// The permissions the new file gets: those of the file it replaces, or, for
// a new one, read and write for its owner and reading for the others.
mode_t ModeFor(const QByteArray& target) {
    struct stat old {};
    return ::stat(target.constData(), &old) == 0 ? old.st_mode & 07777 : 0644;
}

QByteArray FolderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArrayLiteral(".") : path.left(slash + 1);
}

// The hidden name of a target's save: ".name.XXXXXX", six letters or digits.
QByteArray AsideName(const QByteArray& target, const QByteArray& letters) {
    const qsizetype slash = target.lastIndexOf('/');
    return target.left(slash + 1) + '.' + target.mid(slash + 1) + '.' + letters;
}

bool IsAsideOf(std::string_view entry, std::string_view name) {
    constexpr std::size_t Letters = 6;
    if (entry.size() != name.size() + 2 + Letters || entry[0] != '.' ||
        entry.substr(1, name.size()) != name || entry[name.size() + 1] != '.')
        return false;
    return std::all_of(entry.end() - Letters, entry.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

// Removes what saves of target killed midway left beside it.
void RemoveLeftovers(const QByteArray& target) {
    const std::string name = target.mid(target.lastIndexOf('/') + 1).toStdString();
    DIR* dir = ::opendir(FolderOf(target).constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir))
        if (IsAsideOf(entry->d_name, name))
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    ::closedir(dir);
}

// Fills an open file, with the permissions and on the disk; 0 or the error.
int Fill(int fd, const QByteArray& data, mode_t mode) {
    const int error = WriteAll(fd, data);
    if (error == 0 && (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0))
        return errno;
    return error;
}

constexpr int NoUnnamedFiles = -1;

// Fills a file without a name in the target's folder (O_TMPFILE), so that a
// save killed midway leaves nothing behind, then names it aside, only for
// the moment before it takes the target's place. Returns 0, the error of a
// failed write, or NoUnnamedFiles where the file system has no such files
// (or no /proc names one).
int WriteUnnamed(const QByteArray& target, const QByteArray& data, QByteArray& aside) {
    const int fd = ::open(FolderOf(target).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0)
        return NoUnnamedFiles;
    int error = Fill(fd, data, ModeFor(target));
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    for (int tries = 0; error == 0 && aside.isEmpty() && tries < 100; ++tries) {
        const QByteArray name = AsideName(
            target, QByteArray::number(QRandomGenerator::global()->bounded(100000, 1000000)));
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) ==
            0)
            aside = name;
        else if (errno != EEXIST)
            error = NoUnnamedFiles;
    }
    ::close(fd);
    return error != 0 || !aside.isEmpty() ? error : EEXIST;
}

// Fills a hidden file made beside the target.
int WriteNamed(const QByteArray& target, const QByteArray& data, QByteArray& aside) {
    QByteArray name = AsideName(target, "XXXXXX");
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    aside = name;
    int error = Fill(fd, data, ModeFor(target));
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

// Written by hand rather than with QSaveFile: QSaveFile takes paths as text,
// which cannot name a file whose name is not UTF-8, and Qt 6.4's commit()
// moves a short file into place when its last write fails.
int WriteAside(const QByteArray& target, const QByteArray& data) {
    QByteArray aside;
    int error = WriteUnnamed(target, data, aside);
    if (error == NoUnnamedFiles)
        error = WriteNamed(target, data, aside);
    if (error == 0 && ::rename(aside.constData(), target.constData()) != 0)
        error = errno;
    if (error != 0 && !aside.isEmpty())
        ::unlink(aside.constData());
    return error;
}

} // namespace

QString WriteFileWhole(const QString& path, const QByteArray& data) {
    if (const QString reason = NotRegularFileReason(path); !reason.isEmpty())
        return reason;
    std::error_code ignored; // a folder that cannot be made fails the write below
    fs::create_directories(NativePath(path).parent_path(), ignored);
    const QByteArray target = EncodeFileName(path);
    const int error = WriteAside(target, data);
    if (error == 0)
        RemoveLeftovers(target);
    return error == 0 ? QString() : ErrorText(error);
}

QString ErrorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

bool IsRegularFile(const QString& path) {
    std::error_code error;
    return !path.isEmpty() && fs::is_regular_file(NativePath(path), error);
}

bool IsSongFile(const QString& path) {
    return IsRegularFile(path) &&
           FileNameFromPath(path).contains(QLatin1String(".mp3"), Qt::CaseInsensitive);
}

bool IsFolder(const QString& path) {
    std::error_code error;
    return !path.isEmpty() && fs::is_directory(NativePath(path), error);
}

QString ExpandHome(const QString& path) {
    if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
        return QDir::homePath() + path.mid(1);
    return path;
}

bool FileExists(const QString& typed) {
    if (typed.isEmpty())
        return false;
    const QString path = ExpandHome(typed);
    if (path.endsWith(QLatin1Char('/'))) {
        bool found = false;
        ForEachNormalFile(path, [&found](std::string_view) {
            found = true;
            return false;
        });
        return found;
    }
    std::error_code error;
    return !IsHiddenName(LastComponent(path)) && fs::is_regular_file(NativePath(path), error);
}

TextList ListNormalFiles(const QString& folder, const QString& pattern) {
    if (folder.isEmpty())
        return {};
    const std::string needle = NeedleOf(pattern);
    ListedNames listed;
    ForEachNormalFile(folder, [&](std::string_view name) {
        if (strcasestr(name.data(), needle.c_str()) != nullptr) {
            listed.names.push_back({listed.buffer.size(), std::uint32_t(name.size()), IsAscii(name),
                                    IsPrintableAscii(name)});
            listed.buffer.append(name).push_back('\0');
        }
        return true;
    });
    SortNames(listed);
    TextList names;
    names.reserve(qsizetype(listed.names.size()), qsizetype(listed.buffer.size()));
    for (const ListedNames::Name& name : listed.names) {
        if (name.ascii)
            names.append(
                QUtf8StringView(listed.buffer.data() + name.start, qsizetype(name.length)));
        else
            names.append(listed.Text(name));
    }
    return names;
}

QString NormalizedFolder(const QString& folder) {
    if (folder.isEmpty())
        return {};
    // Judged as the file system judges paths: only a leading "/" makes one
    // absolute (QDir would take ":name" for a resource).
    const QString path = ExpandHome(folder);
    return QDir::cleanPath(path.startsWith(QLatin1Char('/')) ? path
                                                             : JoinPath(QDir::currentPath(), path));
}

} // namespace MP3Mod
