#include "base/names.h"

#include "base/files.h"

namespace MP3Mod {

QString CutMp3Extension(const QString& name) {
    // Searched on the original text, so the cut position is right even where
    // lower-casing would change the text's length. Only "M" and "m" fold to
    // "m" (and "P", "p" to "p"), so a plain loop finds it, fast enough for
    // 100,000 names at start-up.
    const QChar* text = name.constData();
    for (qsizetype at = 0; at + 4 <= name.size(); ++at)
        if (text[at] == QLatin1Char('.') && (text[at + 1].unicode() | 0x20) == 'm' &&
            (text[at + 2].unicode() | 0x20) == 'p' && text[at + 3] == QLatin1Char('3'))
            return name.left(at);
    return name;
}

QString ReplaceDashes(const QString& name) {
    if (!name.contains(QLatin1Char('-')))
        return name;
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
    QString path;
    path.reserve(folder.size() + 1 + name.size()); // one allocation a path
    path += folder;
    if (!folder.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    path += name;
    return path;
}

} // namespace MP3Mod
