#include "base/textlist.h"

#include <algorithm>
#include <cstring>

#include <QStringDecoder>

namespace MP3Mod {

namespace {

// An empty row of an empty list has no buffer to copy to: memcpy must not
// be given a null pointer, even for no bytes.
void CopyInto(void* to, const void* from, qsizetype bytes) {
    if (bytes > 0)
        std::memcpy(to, from, std::size_t(bytes));
}

} // namespace

QString TextFromUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

TextList::TextList(const QStringList& texts) {
    for (const QString& text : texts)
        append(text);
}

QString TextList::at(qsizetype row) const {
    const Row& found = rows_[std::size_t(row)];
    const char* start = bytes_.data() + found.start;
    if (!found.utf16)
        return TextFromUtf8(QByteArrayView(start, found.bytes));
    // UTF-16 rows start at an even offset of a buffer from operator new, so
    // their characters are aligned as QChar needs.
    return QString(reinterpret_cast<const QChar*>(start), found.bytes / 2);
}

std::optional<QUtf8StringView> TextList::utf8At(qsizetype row) const {
    const Row& found = rows_[std::size_t(row)];
    if (found.utf16)
        return std::nullopt;
    return QUtf8StringView(bytes_.data() + found.start, found.bytes);
}

QStringList TextList::toStringList() const {
    QStringList texts;
    texts.reserve(size());
    for (qsizetype row = 0; row < size(); ++row)
        texts.append(at(row));
    return texts;
}

void TextList::reserve(qsizetype rows, qsizetype bytes) {
    rows_.reserve(std::size_t(rows));
    bytes_.reserve(std::size_t(bytes));
}

char* TextList::Grow(qsizetype bytes, bool utf16) {
    std::size_t start = bytes_.size();
    if (utf16)
        start += start % 2;
    bytes_.resize(start + std::size_t(bytes));
    rows_.push_back({qsizetype(start), std::int32_t(bytes), utf16});
    return bytes_.data() + start;
}

void TextList::append(QStringView text) {
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        char* out = Grow(text.size(), false);
        for (QChar c : text)
            *out++ = char(c.unicode());
    } else if (text.isValidUtf16()) {
        append(QUtf8StringView(text.toUtf8()));
    } else {
        CopyInto(Grow(text.size() * 2, true), text.data(), text.size() * 2);
    }
}

void TextList::append(QUtf8StringView text) {
    CopyInto(Grow(text.size(), false), text.data(), text.size());
}

void TextList::append(TextList other) {
    if (isEmpty()) {
        *this = std::move(other);
        return;
    }
    for (const Row& row : other.rows_)
        CopyInto(Grow(row.bytes, row.utf16), other.bytes_.data() + row.start, row.bytes);
}

void TextList::appendEach(QStringView prefix, const TextList& other) {
    // An escaped byte in the prefix or the row: the row goes through UTF-16.
    const bool utf8Prefix = prefix.isValidUtf16();
    const QByteArray head = prefix.toUtf8();
    for (qsizetype i = 0; i < other.size(); ++i) {
        const Row& row = other.rows_[std::size_t(i)];
        if (row.utf16 || !utf8Prefix) {
            append(QStringView(prefix.toString() + other.at(i)));
            continue;
        }
        char* out = Grow(head.size() + row.bytes, false);
        CopyInto(out, head.constData(), head.size());
        CopyInto(out + head.size(), other.bytes_.data() + row.start, row.bytes);
    }
}

void TextList::removeAt(qsizetype row) {
    // The row's bytes stay in the buffer until the list is cleared: rows are
    // removed one at a time, by the user.
    rows_.erase(rows_.begin() + row);
}

void TextList::clear() {
    std::vector<char>().swap(bytes_);
    std::vector<Row>().swap(rows_);
}

} // namespace MP3Mod
