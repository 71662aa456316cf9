#include "base/names.h"

#include "base/files.h"

namespace MP3Mod {

QString CutMp3Extension(const QString& name) {
    // Searching without regard to case on the original text keeps the cut
    // position right even where lower-casing would change the text's length.
    const qsizetype at = name.indexOf(QLatin1String(".mp3"), 0, Qt::CaseInsensitive);
    return at < 0 ? name : name.left(at);
}

QString ReplaceDashes(const QString& name) {
    QString result = name;
    return result.replace(QLatin1Char('-'), QStringLiteral(" \u203A "));
}

QString UnderscoresToBlanks(const QString& text) {
    QString result = text;
    return result.replace(QLatin1Char('_'), QLatin1Char(' '));
}

QString FileNameFromPath(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.mid(slash + 1);
}

QString SongListName(const QString& fileName) {
    return ReplaceDashes(CutMp3Extension(ShownFileName(fileName)));
}

QString SongDisplayName(const QString& path) {
    return CutMp3Extension(UnderscoresToBlanks(ShownFileName(FileNameFromPath(path))));
}

QString JoinPath(const QString& folder, const QString& name) {
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

} // namespace MP3Mod
