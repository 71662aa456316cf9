#include <QFile>

#include "base/common.h"
#include "controls/listbox.h"
#include "library/songlist.h"
#include "tests/support/programfixture.h"
#include "tests/support/texthistory.h"

class SongListTest : public ProgramTest {
protected:
    void SetUp() override {
        music.write("Song-Title.mp3");
        music.write("a.mp3.old.mp3");
        music.write("track_01.MP3");
        storeDirectory(music.path());
        start();
    }
    SongListCommands commands() { return {form1(), form2(), dialogs}; }
    const QStringList plainNames = {"a.mp3.old.mp3", "Song-Title.mp3", "track_01.MP3"};
    QStringList pathsOf(const QStringList& names) const {
        QStringList paths;
        for (const QString& name : names)
            paths.append(music.path() + "/" + name);
        return paths;
    }
};

TEST_F(SongListTest, StartupRowsShowSongListNamesWithPathsAlongside) {
    EXPECT_EQ(form1().List1->Items(),
              QStringList({"a", QString::fromUtf8("Song \u203A Title"), "track_01"}));
    EXPECT_EQ(form1().List2->Items(), pathsOf(plainNames));
}

TEST_F(SongListTest, RefreshListShowsPlainNamesAndReportsTheCount) {
    music.write("new.mp3");
    TextHistory count(form2().mp3Count);
    TextHistory status(form1().Stats);
    commands().RefreshlistClick();
    const QStringList names = {"a.mp3.old.mp3", "new.mp3", "Song-Title.mp3", "track_01.MP3"};
    EXPECT_EQ(form1().List1->Items(), names);
    EXPECT_EQ(form1().List2->Items(), pathsOf(names));
    EXPECT_FALSE(form1().List2->isHidden());
    EXPECT_TRUE(form1().List1->isEnabled());
    EXPECT_EQ(count.changes(), QStringList({"Refreshed mp3 count: 4", "mp3 Count: 4"}));
    EXPECT_EQ(status.changes(),
              QStringList({"Please wait while I refresh the mp3s.", "Thank you for waiting.", ""}));
}

TEST_F(SongListTest, RefreshOfAnEmptiedFolderCountsZero) {
    for (const QString& name : plainNames)
        QFile::remove(music.at(name));
    TextHistory count(form2().mp3Count);
    commands().RefreshlistClick();
    EXPECT_EQ(count.changes(), QStringList({"Refreshed mp3 count: 0", "mp3 Count: 0"}));
    EXPECT_EQ(form1().List2->ListCount(), 0);
}

TEST_F(SongListTest, RefreshGlyphRebuildsQuietly) {
    const QString countBefore = form2().mp3Count->text();
    TextHistory status(form1().Stats);
    commands().lblRefreshClick();
    EXPECT_EQ(form1().List1->Items(), plainNames);
    EXPECT_TRUE(form1().List2->isHidden());
    EXPECT_EQ(form2().mp3Count->text(), countBefore);
    EXPECT_EQ(status.changes(), QStringList({"Thank you for waiting.", ""}));
}

TEST_F(SongListTest, RefreshSongListThanksForOneSecond) {
    TextHistory status(form1().Stats);
    MP3Mod::RefreshSongList(form1());
    EXPECT_EQ(status.changes(), QStringList({"Thank you for waiting.", ""}));
    EXPECT_EQ(form1().List2->Items(), pathsOf(plainNames));
}

TEST_F(SongListTest, RefreshWithAVanishedFolderEmptiesTheList) {
    form1().dir->setText(music.at("gone"));
    MP3Mod::RefreshSongList(form1());
    EXPECT_EQ(form1().List1->ListCount(), 0);
    EXPECT_EQ(form1().List2->ListCount(), 0);
}

TEST_F(SongListTest, AddDirectoryAppendsAfterTheSongs) {
    TestFolder more;
    more.write("Z-1.mp3");
    dialogs.inputAnswers = {more.path()};
    commands().AddDirectoryClick();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "What directory of mp3s would you like to add?");
    EXPECT_EQ(dialogs.shown[0].title, "What dir.?");
    EXPECT_EQ(form1().List1->ListCount(), 4);
    EXPECT_EQ(form1().List1->List(3), QString::fromUtf8("Z \u203A 1"));
    EXPECT_EQ(form1().List2->List(3), more.path() + "/Z-1.mp3");
    EXPECT_EQ(form1().dir->text(), music.path()); // the song directory stays
}

TEST_F(SongListTest, AddingTheSongDirectoryListsEverySongTwice) {
    dialogs.inputAnswers = {music.path() + "/"};
    commands().AddDirectoryClick();
    EXPECT_EQ(form1().List2->Items(), pathsOf(plainNames) + pathsOf(plainNames));
}

TEST_F(SongListTest, AddDirectoryIgnoresAnswersWithoutNormalFiles) {
    TestFolder hiddenOnly;
    hiddenOnly.write(".x.mp3");
    dialogs.inputAnswers = {"", music.at("missing"), hiddenOnly.path()};
    for (int i = 0; i < 3; ++i)
        commands().AddDirectoryClick();
    EXPECT_EQ(form1().List1->ListCount(), 3);
    EXPECT_EQ(dialogs.shown.size(), 3u);            // no message for any of them
    EXPECT_EQ(form1().File1->Path(), music.path()); // an empty answer never lists "/"
}
