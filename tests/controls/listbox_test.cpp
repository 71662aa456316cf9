#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "controls/listbox.h"

// The list box keeps its rows in a compact text list; to the handlers it is
// the same list of texts with one selected row.
TEST(ListBox, RowsAddedInBulkOrOneByOneReadAndSelectAlike) {
    ListBox list(nullptr);
    list.resize(200, 100);
    list.show();
    const QString escaped = QStringLiteral("caf") + QChar(0xDCE9) + QStringLiteral(".mp3");
    MP3Mod::TextList bulk;
    bulk.append(QStringView(u"first"));
    bulk.append(QStringView(escaped));
    list.AddItems(std::move(bulk));
    list.AddItem(QStringLiteral("last"));
    EXPECT_EQ(list.Items(), QStringList({"first", escaped, "last"}));
    // The view draws a byte that is not UTF-8 as U+FFFD, as the song list's names do.
    EXPECT_EQ(list.model()->index(1, 0).data().toString(),
              QStringLiteral("caf") + QChar::ReplacementCharacter + QStringLiteral(".mp3"));
    EXPECT_EQ(list.List(3), "");

    QSignalSpy clicks(&list, &ListBox::Click);
    ASSERT_TRUE(list.SetListIndex(2));
    EXPECT_EQ(clicks.count(), 1);
    list.AddItems(QStringList({"more", "rows"})); // as AddItem: the selection stays
    EXPECT_EQ(list.ListIndex(), 2);
    EXPECT_EQ(clicks.count(), 1);
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.ListIndex(), 3);
    EXPECT_EQ(clicks.count(), 2);
    list.RemoveItem(3); // the selected row goes: the next one is selected, and that is reported
    EXPECT_EQ(list.ListIndex(), 3);
    EXPECT_EQ(list.List(3), "rows");
    EXPECT_GT(clicks.count(), 2);
    EXPECT_EQ(list.Items(), QStringList({"first", escaped, "last", "rows"}));
    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
}
