#include "base/id3.h"

#include <array>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/files.h"

namespace MP3Mod {

namespace {

constexpr int TagSize = 128;
using TagBlock = std::array<char, TagSize>;

// Where a field lies in the tag block.
struct FieldPlace {
    int offset;
    int width;
};
constexpr FieldPlace Title{3, 30};
constexpr FieldPlace Artist{33, 30};
constexpr FieldPlace Album{63, 30};
constexpr FieldPlace Year{93, 4};

// A field ends at its first NUL (writers pad with them); then trailing blanks
// go. A block without a tag has every field empty.
QString Field(const TagBlock& block, FieldPlace place) {
    if (std::memcmp(block.data(), "TAG", 3) != 0)
        return {};
    const char* start = block.data() + place.offset;
    const void* nul = std::memchr(start, '\0', size_t(place.width));
    int length = nul ? int(static_cast<const char*>(nul) - start) : place.width;
    while (length > 0 && start[length - 1] == ' ')
        --length;
    return QString::fromLatin1(start, length);
}

// ID3v1.1 keeps a track number in the comment's last byte, with a NUL
// before it; 0 where there is none.
int Track(const TagBlock& block) {
    constexpr int Marker = 125;
    if (std::memcmp(block.data(), "TAG", 3) != 0 || block[Marker] != '\0')
        return 0;
    return static_cast<unsigned char>(block[Marker + 1]);
}

bool IsHidden(const QString& path) {
    return QStringView(path).mid(path.lastIndexOf(QLatin1Char('/')) + 1).startsWith(u'.');
}

// The last 128 bytes of the file at path (all zero when it is shorter); no
// value when no normal file is at path.
std::optional<TagBlock> ReadTagBlock(const QString& path) {
    if (path.isEmpty() || IsHidden(path))
        return std::nullopt;
    // Non-blocking, so that a pipe with a song's name cannot hang the reader.
    const int fd = ::open(EncodeFileName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::optional<TagBlock> block;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        block.emplace();
        const bool whole = info.st_size >= TagSize &&
                           ::pread(fd, block->data(), TagSize, info.st_size - TagSize) == TagSize;
        if (!whole)
            block->fill(0);
    }
    ::close(fd);
    return block;
}

// One field of the file's tag, decoded alone: "n/a" when blank, empty when no
// normal file is at path.
QString ShownField(const QString& path, FieldPlace place) {
    const std::optional<TagBlock> block = ReadTagBlock(path);
    if (!block)
        return {};
    QString value = Field(*block, place);
    return value.isEmpty() ? QStringLiteral("n/a") : value;
}

} // namespace

std::optional<Id3v1Tag> ReadTag(const QString& path) {
    const std::optional<TagBlock> block = ReadTagBlock(path);
    if (!block)
        return std::nullopt;
    return Id3v1Tag{Field(*block, Title), Field(*block, Artist), Field(*block, Album),
                    Field(*block, Year), Track(*block)};
}

QString ReadTagTitle(const QString& path) {
    return ShownField(path, Title);
}

QString ReadTagArtist(const QString& path) {
    return ShownField(path, Artist);
}

QString ReadTagAlbum(const QString& path) {
    return ShownField(path, Album);
}

QString ReadTagYear(const QString& path) {
    return ShownField(path, Year);
}

} // namespace MP3Mod
