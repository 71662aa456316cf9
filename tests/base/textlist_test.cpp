#include <gtest/gtest.h>

#include "base/textlist.h"

using MP3Mod::TextList;

namespace {

// Texts of every kind a list holds: plain ASCII, Latin-1, characters beyond
// Latin-1, a pair and a lone surrogate (an escaped byte of a file name), and
// an empty text, in an order that leaves wide texts at odd offsets.
QStringList MixedTexts() {
    return {QStringLiteral("a"),
            QString::fromUtf8("caf\xc3\xa9"),
            QString::fromUtf8("\xe6\x97\xa5\xe6\x9c\xac"),
            QString(),
            QString::fromUtf8("song \xf0\x9f\x8e\xb5") + QChar(0xDCE9),
            QStringLiteral("Artist - Title.mp3")};
}

} // namespace

TEST(TextList, KeepsEveryTextExactlyThroughAppendsAndRemovals) {
    const QStringList texts = MixedTexts();
    TextList list(texts);
    EXPECT_EQ(list.toStringList(), texts);

    TextList more;
    more.append(QUtf8StringView("x"));
    more.append(QStringView(texts[2]));
    list.append(more);
    EXPECT_EQ(list.toStringList(), texts + QStringList({"x", texts[2]}));

    list.removeAt(1);
    list.removeAt(0);
    list.append(QStringView(texts[4]));
    EXPECT_EQ(list.toStringList(), texts.mid(2) + QStringList({"x", texts[2], texts[4]}));

    TextList empty;
    empty.append(std::move(list));
    EXPECT_EQ(empty.size(), 7);
    EXPECT_EQ(empty.at(6), texts[4]);
    empty.clear();
    EXPECT_TRUE(empty.isEmpty());
}

// A list whose rows are all empty; a row that begins with U+FEFF.
TEST(TextList, KeepsEmptyRowsAndALeadingByteOrderMark) {
    TextList list;
    list.append(QStringView());
    list.append(QUtf8StringView(""));
    TextList empties;
    empties.append(QStringView(u""));
    list.append(std::move(empties));
    const QString marked = QStringLiteral("\ufeffsong");
    list.append(QStringView(marked));
    EXPECT_EQ(list.toStringList(), QStringList({"", "", "", marked}));
}

TEST(TextList, KeepsTextsThatUtf8CarriesAsUtf8) {
    TextList list;
    list.append(QStringView(QStringLiteral("caf\u00e9 \u203a")));
    EXPECT_EQ(list.byteSize(), 9);
}
