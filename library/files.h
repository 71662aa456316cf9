#pragma once
// File system tests and listings of "normal files": regular files (or links to
// them) whose name does not start with ".".

#include <QString>
#include <QStringList>

namespace MP3Mod {

// For a path ending in "/": true when that folder holds at least one normal
// file. For any other path: true when it names a normal file. Empty: false.
bool FileExists(const QString& path);

// The names of the normal files in a folder that match a pattern of the form
// "*text*" (text found anywhere in the name, letter case ignored), sorted
// without regard to letter case. An unreadable or missing folder gives none.
QStringList ListNormalFiles(const QString& folder, const QString& pattern);

// The path with a leading "~" (alone or before "/") taken as the home folder,
// as the shell would; any other path unchanged.
QString ExpandHome(const QString& path);

// A folder path as a file list box reports it: absolute, without a trailing
// "/" (except for the root itself).
QString NormalizedFolder(const QString& folder);

} // namespace MP3Mod
