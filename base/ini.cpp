#include "base/ini.h"

#include <optional>

#include <QFileInfo>

#include "base/files.h"

namespace MP3Mod {

namespace {

// The file is handled as raw lines, so that lines the program does not touch
// are written back byte for byte, whatever their encoding.
struct IniLines {
    QByteArray byteOrderMark; // some editors begin a UTF-8 file with one
    QList<QByteArray> lines;  // without "\n"; a "\r" before it stays
    QByteArray lineEnd = "\n";
};

IniLines SplitLines(QByteArray data) {
    IniLines ini;
    static constexpr QByteArrayView Utf8Mark("\xEF\xBB\xBF");
    if (data.startsWith(Utf8Mark)) {
        ini.byteOrderMark = Utf8Mark.toByteArray();
        data.remove(0, Utf8Mark.size());
    }
    if (data.isEmpty())
        return ini;
    ini.lines = data.split('\n');
    if (data.endsWith('\n'))
        ini.lines.removeLast();
    if (data.contains("\r\n"))
        ini.lineEnd = "\r\n";
    return ini;
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::optional<QString> SectionOf(const QByteArray& line) {
    const QByteArray text = line.trimmed();
    const qsizetype close = text.indexOf(']');
    if (!text.startsWith('[') || close < 0)
        return std::nullopt;
    return QString::fromUtf8(text.mid(1, close - 1)).trimmed();
}

struct KeyValue {
    QString key;
    QString value;
};

std::optional<KeyValue> KeyValueOf(const QByteArray& line) {
    const QByteArray text = line.trimmed();
    const qsizetype equals = text.indexOf('=');
    if (text.startsWith(';') || text.startsWith('[') || equals < 0)
        return std::nullopt;
    // A value is kept by its bytes, as a folder name it may be.
    return KeyValue{QString::fromUtf8(text.left(equals)).trimmed(),
                    DecodeFileName(text.mid(equals + 1).trimmed())};
}

// Index of the header line of section, or -1.
qsizetype FindSection(const IniLines& ini, const QString& section) {
    for (qsizetype i = 0; i < ini.lines.size(); ++i) {
        const auto name = SectionOf(ini.lines[i]);
        if (name && SameName(*name, section))
            return i;
    }
    return -1;
}

// Index of the line after the last line of the section that starts at header.
qsizetype SectionEnd(const IniLines& ini, qsizetype header) {
    qsizetype end = header + 1;
    while (end < ini.lines.size() && !SectionOf(ini.lines[end]))
        ++end;
    return end;
}

qsizetype FindKey(const IniLines& ini, qsizetype header, const QString& key) {
    const qsizetype end = SectionEnd(ini, header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const auto entry = KeyValueOf(ini.lines[i]);
        if (entry && SameName(entry->key, key))
            return i;
    }
    return -1;
}

// Where a new key goes: after the last line of the section that is not blank.
qsizetype InsertionPoint(const IniLines& ini, qsizetype header) {
    qsizetype at = SectionEnd(ini, header);
    while (at > header + 1 && ini.lines[at - 1].trimmed().isEmpty())
        --at;
    return at;
}

void SetValue(IniLines& ini, const QString& section, const QString& key, const QString& value) {
    const QByteArray carriage = ini.lineEnd == "\r\n" ? "\r" : "";
    const QByteArray entry = (key + QLatin1Char('=')).toUtf8() + EncodeFileName(value) + carriage;
    const qsizetype header = FindSection(ini, section);
    if (header < 0) {
        ini.lines.append((QLatin1Char('[') + section + QLatin1Char(']')).toUtf8() + carriage);
        ini.lines.append(entry);
        return;
    }
    const qsizetype existing = FindKey(ini, header, key);
    if (existing >= 0)
        ini.lines[existing] = entry;
    else
        ini.lines.insert(InsertionPoint(ini, header), entry);
}

QByteArray Joined(const IniLines& ini) {
    QByteArray data = ini.byteOrderMark;
    for (const QByteArray& line : ini.lines)
        data += line + '\n';
    return data;
}

} // namespace

QString ReadIniValue(const QString& section, const QString& key, const QString& file) {
    QByteArray content;
    if (!ReadRegularFile(file, content).isEmpty())
        return {};
    const IniLines ini = SplitLines(content);
    const qsizetype header = FindSection(ini, section);
    if (header < 0)
        return {};
    const qsizetype line = FindKey(ini, header, key.toLower());
    if (line < 0)
        return {};
    return KeyValueOf(ini.lines[line])->value.left(MaxIniValueLength);
}

QString WriteIniValue(const QString& section, const QString& key, const QString& value,
                      const QString& file) {
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
        return QStringLiteral("the value holds a line break");
    if (const QString reason = NotRegularFileReason(file); !reason.isEmpty())
        return reason; // a FIFO or a folder in its place is never replaced
    IniLines ini;
    if (QFileInfo::exists(file)) {
        QByteArray content;
        if (const QString failure = ReadRegularFile(file, content); !failure.isEmpty())
            return failure;
        ini = SplitLines(content);
    }
    SetValue(ini, section, key.toUpper(), value);
    return WriteFileWhole(file, Joined(ini));
}

} // namespace MP3Mod
