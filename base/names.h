#pragma once
// Name rules that turn song file names and paths into the texts shown.

#include <QString>

#include "base/textlist.h"

namespace MP3Mod {

// The pattern of song file names: ".mp3" anywhere in the name, in any case.
inline const QString SongPattern = QStringLiteral("*.mp3*");

// Everything from the first ".mp3" (any letter case) on is cut off.
QString CutMp3Extension(const QString& name);
// Every "-" becomes blank, "›", blank.
QString ReplaceDashes(const QString& name);
// Every "_" becomes one blank.
QString UnderscoresToBlanks(const QString& text);
// The text after the last "/"; empty when there is none or the path ends in "/".
QString FileNameFromPath(const QString& path);

// Row text of the song list after start-up: extension cut, dashes widened.
// Bytes of the name that are not UTF-8 show as U+FFFD here and below.
QString SongListName(const QString& fileName);
// SongListName and ShownFileName of every row, for a folder's worth of file
// names at once: a name kept as UTF-8 is worked on as bytes.
TextList SongListNames(const TextList& fileNames);
TextList ShownFileNames(const TextList& fileNames);
// The song's name on the control panel and the song info window.
QString SongDisplayName(const QString& path);

// Joins a folder and a name with exactly one "/" between them.
QString JoinPath(const QString& folder, const QString& name);

} // namespace MP3Mod
