#include "base/id3.h"

#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/files.h"

namespace MP3Mod {

namespace {

constexpr int TagSize = 128;

// A field ends at its first NUL (writers pad with them); then trailing blanks go.
QString Field(const char* block, int offset, int width) {
    const char* start = block + offset;
    const void* nul = std::memchr(start, '\0', size_t(width));
    int length = nul ? int(static_cast<const char*>(nul) - start) : width;
    while (length > 0 && start[length - 1] == ' ')
        --length;
    return QString::fromLatin1(start, length);
}

Id3v1Tag TagOf(const char* block) {
    if (std::memcmp(block, "TAG", 3) != 0)
        return {};
    return {Field(block, 3, 30), Field(block, 33, 30), Field(block, 63, 30), Field(block, 93, 4)};
}

bool IsHidden(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1).startsWith(QLatin1Char('.'));
}

QString Shown(const std::optional<Id3v1Tag>& tag, QString Id3v1Tag::*field) {
    if (!tag)
        return {};
    const QString& value = (*tag).*field;
    return value.isEmpty() ? QStringLiteral("n/a") : value;
}

} // namespace

std::optional<Id3v1Tag> ReadTag(const QString& path) {
    if (path.isEmpty() || IsHidden(path))
        return std::nullopt;
    // Non-blocking, so that a pipe with a song's name cannot hang the reader.
    const int fd = ::open(EncodeFileName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::optional<Id3v1Tag> tag;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        char block[TagSize];
        const bool whole = info.st_size >= TagSize &&
                           ::pread(fd, block, TagSize, info.st_size - TagSize) == TagSize;
        tag = whole ? TagOf(block) : Id3v1Tag{};
    }
    ::close(fd);
    return tag;
}

QString ReadTagTitle(const QString& path) {
    return Shown(ReadTag(path), &Id3v1Tag::title);
}

QString ReadTagArtist(const QString& path) {
    return Shown(ReadTag(path), &Id3v1Tag::artist);
}

QString ReadTagAlbum(const QString& path) {
    return Shown(ReadTag(path), &Id3v1Tag::album);
}

QString ReadTagYear(const QString& path) {
    return Shown(ReadTag(path), &Id3v1Tag::year);
}

} // namespace MP3Mod
