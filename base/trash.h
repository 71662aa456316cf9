#pragma once
// The desktop's trash (freedesktop.org), by the files' own bytes, so that a
// deleted song or playlist can be put back where it was.

#include <QString>

namespace MP3Mod {

struct TrashResult {
    QString failure;      // why the file is not in a trash; empty when it is
    bool gone = false;    // no file was there
    bool refused = false; // the file is there, but no trash could take it
};

// Moves the file at path into the trash of its own file system: the home
// trash ($XDG_DATA_HOME/Trash, made with its folders when missing), or
// $topdir/.Trash/$uid or $topdir/.Trash-$uid on another file system. Its
// .trashinfo is written whole and checked; its Path gives back the name's
// exact bytes. Every step is tried once (a name taken in the trash tries the
// next of a bounded few), so a trash that cannot take the file says so at
// once, with the reason of the step that failed.
TrashResult TrashFile(const QString& path);

} // namespace MP3Mod
