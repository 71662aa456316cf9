#include "base/playlistfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "base/files.h"
#include "base/names.h"

namespace MP3Mod {

namespace {

bool IsLineEnd(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// Reads the comma- and line-separated items of a playlist text.
class ItemReader {
public:
    explicit ItemReader(const QString& text) : text_(text) {}

    bool AtEnd() const { return at_ >= text_.size(); }

    // The next item; skipped lines give no item (returns false).
    bool Next(QString& item) {
        const bool lineStart = at_ == 0 || IsLineEnd(text_[at_ - 1]);
        while (!AtEnd() && (Peek() == QLatin1Char(' ') || Peek() == QLatin1Char('\t')))
            ++at_;
        if (lineStart && !AtEnd() && Peek() == QLatin1Char('#')) {
            TakeUntilSeparator(false);
            return false;
        }
        if (!AtEnd() && Peek() == QLatin1Char('"')) {
            ++at_;
            const qsizetype close = text_.indexOf(QLatin1Char('"'), at_);
            const qsizetype end = close < 0 ? text_.size() : close;
            item = text_.mid(at_, end - at_);
            at_ = end + 1;
            TakeUntilSeparator(true); // what follows the closing quote is dropped
            return true;
        }
        item = TakeUntilSeparator(true);
        return true;
    }

private:
    QChar Peek() const { return text_[at_]; }

    // Takes the text up to the next comma (when commas count) or line end,
    // and consumes that separator.
    QString TakeUntilSeparator(bool commas) {
        const qsizetype start = at_;
        while (!AtEnd() && !IsLineEnd(Peek()) && !(commas && Peek() == QLatin1Char(',')))
            ++at_;
        const QString taken = text_.mid(start, at_ - start);
        if (AtEnd())
            return taken;
        if (Peek() == QLatin1Char('\r') && at_ + 1 < text_.size() &&
            text_[at_ + 1] == QLatin1Char('\n'))
            ++at_;
        ++at_;
        return taken;
    }

    const QString& text_;
    qsizetype at_ = 0;
};

// Removing the suffix can bring escaped bytes together into valid UTF-8:
// the entry is then the text that its bytes decode to, as it reads back
// once saved.
QString WithoutEmailSuffix(const QString& item) {
    const QString removed = ReplaceAllNoCase(item, EmailSuffix, {});
    return removed.size() == item.size() ? removed : DecodeFileName(EncodeFileName(removed));
}

QString FromPlaylistFolder(const QString& entry, const QString& folder) {
    // Only a leading "/" makes a path absolute (QDir takes ":name" for a resource).
    if (entry.isEmpty() || entry.startsWith(QLatin1Char('/')))
        return entry;
    return QDir::cleanPath(JoinPath(folder, entry));
}

} // namespace

QString WritePlaylistFile(const QString& path, const QStringList& entries) {
    if (path.isEmpty())
        return QStringLiteral("No file name was given.");
    QByteArray content;
    for (const QString& entry : entries)
        content += EncodeFileName(entry) + "\r\n";
    return WriteFileWhole(path, content);
}

QStringList EntryNames(const QStringList& paths) {
    QStringList names;
    names.reserve(paths.size());
    for (const QString& path : paths)
        names.append(ShownFileName(FileNameFromPath(path)));
    return names;
}

QStringList ReadPlaylistFile(const QString& path) {
    QByteArray content;
    if (!ReadRegularFile(path, content).isEmpty())
        return {};
    // A byte-order mark belongs to the file, not to its first entry. The rest
    // is decoded as file names are, so that a path in the file that is not
    // valid UTF-8 still names its file.
    const qsizetype mark = content.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const QString text = DecodeFileName(content.mid(mark));
    const QString folder = QFileInfo(path).absolutePath();
    QStringList entries;
    ItemReader reader(text);
    QString item;
    while (!reader.AtEnd()) {
        if (reader.Next(item))
            entries.append(FromPlaylistFolder(WithoutEmailSuffix(item), folder));
    }
    return entries;
}

QString ReplaceAllNoCase(const QString& text, const QString& search, const QString& replacement) {
    if (search.isEmpty())
        return text;
    // Built piece by piece, so the work grows with the text, not with the
    // number of replacements times its length.
    QString result;
    qsizetype copied = 0;
    for (qsizetype at = text.indexOf(search, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(search, copied, Qt::CaseInsensitive)) {
        QCoreApplication::processEvents();
        result += QStringView(text).mid(copied, at - copied);
        result += replacement;
        copied = at + search.size();
    }
    if (copied == 0)
        return text;
    result += QStringView(text).mid(copied);
    return result;
}

} // namespace MP3Mod
