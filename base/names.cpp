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

namespace {

// Names made row for row: by bytes from a name kept as UTF-8, which holds no
// escaped byte, else by the routine for one name.
template <typename FromUtf8>
TextList NamesOf(const TextList& fileNames, FromUtf8 fromUtf8, QString (*nameOf)(const QString&)) {
    TextList names;
    // A dash grows to five bytes; room that stays unused costs nothing.
    names.reserve(fileNames.size(), 3 * fileNames.byteSize());
    QByteArray name;
    for (qsizetype row = 0; row < fileNames.size(); ++row) {
        if (const std::optional<QUtf8StringView> bytes = fileNames.utf8At(row)) {
            name.resize(0); // keeps the room of the last name
            fromUtf8(*bytes, name);
            names.append(QUtf8StringView(name));
        } else {
            names.append(QStringView(nameOf(fileNames.at(row))));
        }
    }
    return names;
}

// CutMp3Extension and ReplaceDashes on UTF-8: both only look for ASCII.
void SongListNameOfUtf8(QUtf8StringView fileName, QByteArray& name) {
    QByteArrayView kept(fileName.data(), fileName.size());
    for (qsizetype dot = 0; (dot = kept.indexOf('.', dot)) >= 0 && dot + 4 <= kept.size(); ++dot)
        if ((kept[dot + 1] | 0x20) == 'm' && (kept[dot + 2] | 0x20) == 'p' &&
            kept[dot + 3] == '3') {
            kept.truncate(dot);
            break;
        }
    qsizetype from = 0;
    for (qsizetype dash; (dash = kept.indexOf('-', from)) >= 0; from = dash + 1)
        name.append(kept.sliced(from, dash - from)).append(" \xE2\x80\xBA "); // " › "
    name.append(kept.sliced(from));
}

} // namespace

TextList SongListNames(const TextList& fileNames) {
    return NamesOf(fileNames, SongListNameOfUtf8, SongListName);
}

TextList ShownFileNames(const TextList& fileNames) {
    return NamesOf(
        fileNames, [](QUtf8StringView fileName, QByteArray& name) { name.append(fileName); },
        ShownFileName);
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
