#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

#include "tests/support/printers.h"
#include "windows/form1.h"

namespace {

QStringList Items(const QMenu* menu) {
    QStringList items;
    for (const QAction* item : menu->actions())
        items.append(item->isSeparator() ? QStringLiteral("-") : item->text());
    return items;
}

} // namespace

TEST(Menus, SongListMenuHasEveryItemInOrder) {
    Form1 form1;
    EXPECT_EQ(Items(form1.Whatever), QStringList({"Auto next",
                                                  "Auto previous",
                                                  "Auto random",
                                                  "Auto repeat",
                                                  "Sleep mode",
                                                  "-",
                                                  "Count String",
                                                  "Delete Song",
                                                  "Fast Forward",
                                                  "Mute song",
                                                  "Next",
                                                  "Pause",
                                                  "Previous",
                                                  "Random",
                                                  "Refresh list",
                                                  "Rename mp3",
                                                  "Repeat",
                                                  "Set balance to middle",
                                                  "Stop",
                                                  "-",
                                                  "Add Directory",
                                                  "Add string to Playlist",
                                                  "Add To Playlist",
                                                  "Change directory",
                                                  "-",
                                                  "Rate Effect:",
                                                  "Reset Effects"}));
    for (QAction* mode : {form1.AutoNext, form1.AutoPrevious, form1.AutoRandom, form1.Sleep,
                          form1.Mute, form1.Stop1})
        EXPECT_TRUE(mode->isCheckable() && !mode->isChecked());
}

TEST(Menus, SmallMenus) {
    Form1 form1;
    EXPECT_EQ(Items(form1.Stuff), QStringList({"Minimize"}));
    EXPECT_EQ(Items(form1.Other), QStringList({"About", "Greets", "Help"}));
    EXPECT_EQ(Items(form1.ID3Stuff), QStringList({"Artist:", "Song:", "Year:", "Album:"}));
}
