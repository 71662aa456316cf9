#pragma once
// File system tests and listings of "normal files": regular files (or links to
// them) whose name does not start with ".".

#include <QByteArray>
#include <QString>

#include "base/textlist.h"

namespace MP3Mod {

// A file name as the file system stores it (bytes) turned into text and back,
// losslessly: valid UTF-8 is decoded, and each byte that is not part of valid
// UTF-8 becomes the lone surrogate U+DC00 + byte (as Python's surrogateescape
// does), so that the path still names the same file when encoded again.
QString DecodeFileName(const QByteArray& bytes);
QByteArray EncodeFileName(const QString& path);
// The text as shown to the user: every escaped byte shows as U+FFFD.
QString ShownFileName(const QString& text);
// A file:// URI that keeps the path's own bytes, and the path it names (empty
// for a URI of any other scheme, a relative path or one holding a NUL).
QString FileUri(const QString& path);
QString PathFromFileUri(const QString& uri);

// Failures in this layer are said as a reason, an empty text on success.

// Reads the whole content of a regular file, opened without blocking, into
// content (left empty on a failure). Returns why it cannot: path names no
// regular file (a FIFO, a device, a folder), or it cannot be read.
QString ReadRegularFile(const QString& path, QByteArray& content);
// Why a file cannot be written at path: empty when nothing is there or a
// regular file is; the reason when something else (a FIFO, a folder) is.
QString NotRegularFileReason(const QString& path);
bool IsRegularFile(const QString& path);
// Whether path names a song the program plays: a regular file whose name
// holds ".mp3" in any letter case, as the song list's pattern takes.
bool IsSongFile(const QString& path);

// Writes data to the file at path whole or not at all, naming it by its own
// bytes: written to a hidden file beside it, which then takes its place. Every
// step is checked; on a failure (a full disk, say) the old file stays as it
// was. Something other than a regular file in its place (a FIFO, a folder) is
// a failure. Returns the reason of a failure, or an empty text.
QString WriteFileWhole(const QString& path, const QByteArray& data);
// Writes all of data to a file descriptor, however the system splits the
// writes; the error number of a failure, 0 when all was written.
int WriteAll(int fd, const QByteArray& data);
// rename(2) that never replaces a file at to; the error number, or 0.
int RenameWithoutReplacing(const QByteArray& from, const QByteArray& to);
// The system's text for an error number.
QString ErrorText(int error);
// Whether path names a folder (following links); never reads Qt resources.
bool IsFolder(const QString& path);

// For a path ending in "/": true when that folder holds at least one normal
// file. For any other path: true when it names a normal file. Empty: false.
bool FileExists(const QString& path);

// The names of the normal files in a folder that match a pattern of the form
// "*text*" (text found anywhere in the name, letter case ignored), sorted as
// the desktop's locale sorts, without regard to letter case. An unreadable or
// missing folder gives none.
TextList ListNormalFiles(const QString& folder, const QString& pattern);

// The path with a leading "~" (alone or before "/") taken as the home folder,
// as the shell would; any other path unchanged.
QString ExpandHome(const QString& path);

// A folder path as a file list box reports it: absolute, without a trailing
// "/" (except for the root itself).
QString NormalizedFolder(const QString& folder);

} // namespace MP3Mod
