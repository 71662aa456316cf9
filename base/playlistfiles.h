#pragma once
// Playlist files: one song path a line, UTF-8, each line ended by CR LF.

#include <QString>
#include <QStringList>

namespace MP3Mod {

// Removed from every entry read, in any letter case.
inline const QString EmailSuffix = QStringLiteral("@kelm.example");

// Writes the entries to the file whole or not at all: the old file stays as
// it was when writing fails, and something other than a regular file in its
// place (a FIFO, a folder) is a failure. Entries are written as the file
// system's bytes. Returns the reason of a failure, or an empty text.
QString WritePlaylistFile(const QString& path, const QStringList& entries);

// The names the playlist window shows for its entries: each file's name,
// with bytes that are not UTF-8 shown as U+FFFD.
QStringList EntryNames(const QStringList& paths);

// The entries of a playlist file, in file order; none when it cannot be read.
// Items are separated by commas and line ends; a double-quoted item may hold
// commas. Lines starting with "#" (other players' header and info lines) are
// skipped, and a relative entry is taken from the playlist file's folder.
QStringList ReadPlaylistFile(const QString& path);

// The text with every occurrence of search (found without regard to case)
// replaced; window events are handled at every replacement. An empty search
// gives the text unchanged.
QString ReplaceAllNoCase(const QString& text, const QString& search, const QString& replacement);

} // namespace MP3Mod
