#pragma once
// A list of texts kept compactly, for lists of 100,000 songs: every text lies
// in one shared buffer, as UTF-8 (or as UTF-16 when it holds a lone surrogate,
// an escaped byte of a file name, which UTF-8 cannot carry), with no object
// of its own.

#include <cstdint>
#include <optional>
#include <vector>

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QUtf8StringView>

namespace MP3Mod {

// UTF-8 decoded whole: a byte-order mark at the start is kept as U+FEFF,
// where Qt's plain decoding drops it and so changes the text.
QString TextFromUtf8(QByteArrayView bytes);

class TextList {
public:
    TextList() = default;
    explicit TextList(const QStringList& texts);

    qsizetype size() const { return qsizetype(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    // The room the texts take, in bytes.
    qsizetype byteSize() const { return qsizetype(bytes_.size()); }
    // The text of a row that exists.
    QString at(qsizetype row) const;
    // The bytes of a row that exists and is kept as UTF-8; none for a row
    // kept as UTF-16. Valid until the list changes.
    std::optional<QUtf8StringView> utf8At(qsizetype row) const;
    QStringList toStringList() const;

    // Room for rows texts of bytes bytes in all. Pages reserved but never
    // filled take no memory, so a generous guess costs nothing.
    void reserve(qsizetype rows, qsizetype bytes);
    void append(QStringView text);
    void append(QUtf8StringView text); // valid UTF-8
    // Appends the rows of other; takes its buffer whole when this list is empty.
    void append(TextList other);
    // Appends every row of other with prefix before it, copying bytes where
    // both are UTF-8: the full paths of a folder's files, say.
    void appendEach(QStringView prefix, const TextList& other);
    void removeAt(qsizetype row);
    void clear();

private:
    struct Row {
        qsizetype start;
        std::int32_t bytes;
        bool utf16;
    };

    char* Grow(qsizetype bytes, bool utf16);

    std::vector<char> bytes_;
    std::vector<Row> rows_;
};

} // namespace MP3Mod
