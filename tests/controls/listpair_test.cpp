#include <QTest>
#include <gtest/gtest.h>

#include "controls/listbox.h"
#include "controls/listpair.h"

// The path list follows the name list by itself, whatever moves the
// selection; no handler has to keep the two in step.
TEST(ListPair, PathListFollowsEveryChangeOfTheSelection) {
    ListBox names(nullptr);
    ListBox paths(nullptr);
    ListPair rows(names, paths, nullptr);
    names.resize(200, 100);
    names.show();
    rows.Append(QStringList({"a", "b", "c", "d"}), QStringList({"/m/a", "/m/b", "/m/c", "/m/d"}));
    const auto inStep = [&] {
        return names.ListIndex() == paths.ListIndex();
    };

    rows.Step(1); // from no selection, the first row
    EXPECT_EQ(rows.SelectedPath(), "/m/a");
    QTest::keyClick(&names, Qt::Key_Down);
    EXPECT_EQ(rows.SelectedPath(), "/m/b");
    names.SetListIndex(3); // code that moves the name list alone
    EXPECT_EQ(rows.SelectedPath(), "/m/d");

    rows.Remove(3);
    EXPECT_TRUE(inStep());
    EXPECT_EQ(paths.Items(), QStringList({"/m/a", "/m/b", "/m/c"}));

    rows.Select(0);
    rows.Step(-1); // above the first row: nothing is selected, in either list
    EXPECT_EQ(paths.ListIndex(), -1);
    EXPECT_EQ(rows.SelectedPath(), "");

    rows.Select(1);
    const QRect second = names.visualRect(names.model()->index(1, 0));
    QTest::mouseClick(names.viewport(), Qt::LeftButton, Qt::ControlModifier, second.center());
    EXPECT_EQ(names.ListIndex(), -1); // Ctrl+click clears the user's selection
    EXPECT_EQ(paths.ListIndex(), -1);

    rows.Select(2);
    rows.Rename(QStringList({"A", "B", "C"}));
    EXPECT_EQ(names.Items(), QStringList({"A", "B", "C"}));
    EXPECT_EQ(paths.Items(), QStringList({"/m/a", "/m/b", "/m/c"}));
    EXPECT_TRUE(inStep());

    rows.Select(1);
    rows.Clear();
    EXPECT_EQ(paths.ListCount(), 0);
    EXPECT_FALSE(rows.Select(0));
}
