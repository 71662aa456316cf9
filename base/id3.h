#pragma once
// The ID3 version 1 tag in the last 128 bytes of a song file.

#include <optional>

#include <QString>

namespace MP3Mod {

struct Id3v1Tag {
    // Each field as stored: Latin-1, up to its first NUL, trailing blanks removed.
    QString title;
    QString artist;
    QString album;
    QString year;
    int track = 0; // ID3v1.1's track number; 0 where the tag has none
};

// The tag of the file at path; all fields empty for a file without a tag (or
// shorter than a tag). No value when no normal file is at path. Never fails
// and leaves no file open.
std::optional<Id3v1Tag> ReadTag(const QString& path);

// One field: "n/a" when blank, empty when no normal file is at path.
QString ReadTagTitle(const QString& path);
QString ReadTagArtist(const QString& path);
QString ReadTagAlbum(const QString& path);
QString ReadTagYear(const QString& path);

} // namespace MP3Mod
