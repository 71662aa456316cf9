#pragma once
// The settings file: an INI file whose sections and keys are looked up without
// regard to letter case.

#include <QString>

namespace MP3Mod {

// Longest value returned; longer values are cut to this many characters.
inline constexpr int MaxIniValueLength = 749;

// The value of key in section, or empty when the file, section or key is missing.
QString ReadIniValue(const QString& section, const QString& key, const QString& file);

// Writes KEY=value (key upper-cased) into section, keeping every other line of
// the file (a leading byte-order mark too). The file is replaced whole or not
// at all; a file that exists but cannot be read or is not a regular file (a
// FIFO, a folder) is left alone, and so is a value holding a line break.
// Returns the reason of a failure, or an empty text.
QString WriteIniValue(const QString& section, const QString& key, const QString& value,
                      const QString& file);

} // namespace MP3Mod
