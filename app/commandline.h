#pragma once
// The program's command line: --help and --version, and song files.

#include <QStringList>

// Reads the arguments. --help and --version print and end the process (0),
// before any display or sound server is touched; an unknown option prints
// the usage on stderr and ends it (2). Each argument that names no MP3 file
// is refused with one line on stderr. Returns the songs' absolute paths.
QStringList SongsFromCommandLine(int argc, char* argv[]);
