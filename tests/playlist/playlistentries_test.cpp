#include <QAction>
#include <QFileInfo>
#include <QTest>

#include "base/files.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/timer.h"
#include "tests/support/fulldisk.h"
#include "tests/support/programfixture.h"
#include "tests/support/texthistory.h"
#include "tests/support/unwritable.h"

class PlaylistTest : public ProgramTest {
protected:
    void SetUp() override {
        startWith({"Track One.mp3", "Someone Else.mp3", "bigband.mp3", "Other.mp3"});
    }
    QString data(const QString& name) const { return config.at("data/" + name); }
    void addMatching(const QString& typed) {
        dialogs.inputAnswers = {typed};
        form4().Additem1->trigger();
    }
    QStringList names() { return form4().List1->Items(); }
    QStringList paths() { return form4().List2->Items(); }
};

TEST_F(PlaylistTest, LoadLeavesTheAutoTimersOff) {
    EXPECT_FALSE(form4().Timer1->Enabled());
    EXPECT_FALSE(form4().Timer2->Enabled());
    EXPECT_EQ(form4().Stats3->text(), "Playlist Status.");
}

TEST_F(PlaylistTest, AddItemAppendsEverySongWhoseNameHoldsTheText) {
    addMatching("one");
    EXPECT_EQ(dialogs.shown[0].text,
              "What String do you want to add?\r\nEx: Slipk for slipknot or 3p for 3pebble. Just "
              "partially what you want added is acceptable");
    EXPECT_EQ(dialogs.shown[0].title, "String to add=?");
    EXPECT_EQ(names(), QStringList({"Someone Else", "Track One"}));
    EXPECT_EQ(paths(), QStringList({music.at("Someone Else.mp3"), music.at("Track One.mp3")}));
    addMatching("big band");
    addMatching("one");
    EXPECT_EQ(names(),
              QStringList({"Someone Else", "Track One", "bigband", "Someone Else", "Track One"}));
    addMatching("   ");
    EXPECT_EQ(names().size(), 9);
    addMatching("");
    addMatching("nothing like it");
    EXPECT_EQ(names().size(), 9);
    EXPECT_EQ(paths().size(), 9);
}

TEST_F(PlaylistTest, RemoveItemTakesTheSelectedRowFromBothLists) {
    addMatching(" ");
    addMatching("Other");
    ASSERT_EQ(names().size(), 5);
    form4().List1->SetListIndex(2);
    form4().RemoveItem->trigger();
    EXPECT_EQ(names(), QStringList({"bigband", "Other", "Track One", "Other"}));
    EXPECT_EQ(paths()[2], music.at("Track One.mp3"));
    EXPECT_EQ(form4().List1->ListIndex(), -1);
    form4().RemoveItem->trigger(); // nothing selected: nothing removed
    EXPECT_EQ(names().size(), 4);
}

TEST_F(PlaylistTest, BackgroundClickSelectsNothing) {
    addMatching(" ");
    form4().List1->SetListIndex(1);
    EXPECT_EQ(form4().List2->ListIndex(), 1);
    form4().show();
    QTest::mouseClick(&form4(), Qt::LeftButton, {}, QPoint(5, 120));
    EXPECT_EQ(form4().List1->ListIndex(), -1);
    EXPECT_EQ(form4().List2->ListIndex(), -1);
    form4().RemoveItem->trigger();
    EXPECT_EQ(names().size(), 4);
}

TEST_F(PlaylistTest, DoubleClickPlaysTheEntry) {
    addMatching("other");
    form4().List1->SetListIndex(0);
    emit form4().List1->DoubleClick();
    EXPECT_EQ(media.opened, QStringList({music.at("Other.mp3")}));
}

TEST_F(PlaylistTest, SaveWritesTheDefaultFileThenAsksForAName) {
    addMatching("one");
    form4().Saveplaylist->trigger();
    EXPECT_EQ(
        config.read("data/Playlist.m3u"),
        (music.at("Someone Else.mp3") + "\r\n" + music.at("Track One.mp3") + "\r\n").toUtf8());
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, "List saved as " + data("Playlist.m3u") + ".");
    EXPECT_EQ(dialogs.shown[1].title, "List Saved successfully.");

    for (const char* name : {"Mix", "Mix.m3u", "", "../escape", ".x", ".."}) {
        dialogs.inputAnswers = {name};
        form4().Saveplaylist->trigger();
    }
    EXPECT_EQ(dialogs.shown[2].title, "Input name.");
    EXPECT_EQ(dialogs.shown[2].text,
              "Playlist.m3u Already exists, Please choose another name for your Playlist name, It "
              "will be saved as " +
                  data("whatever.m3u") +
                  ", Whatever as what you input.  If you wish to add on to your Current Playlist, "
                  "type the name of the playlist in.");
    EXPECT_TRUE(QFileInfo::exists(data("Mix.m3u")));
    EXPECT_TRUE(QFileInfo::exists(data("Mix.m3u.m3u")));
    EXPECT_FALSE(QFileInfo::exists(config.at("escape.m3u")));
    // Refused: a name holding "/", and hidden names the chooser would never offer.
    ASSERT_EQ(dialogs.shown.size(), 2u + 6u + 3u); // no message after a save by name
    EXPECT_EQ(dialogs.shown[6].text, "A playlist name cannot hold \"/\": ../escape");
    EXPECT_EQ(dialogs.shown[8].text, "A playlist name cannot start with \".\": .x");
    EXPECT_EQ(dialogs.shown[10].text, "A playlist name cannot start with \".\": ..");
    EXPECT_EQ(dialogs.shown[10].title, "Error.");
    EXPECT_EQ(QDir(data("")).entryList(QDir::Files | QDir::Hidden),
              QStringList({"Mix.m3u", "Mix.m3u.m3u", "Playlist.m3u"}));
}

TEST_F(PlaylistTest, FailedSaveSaysSoAndKeepsTheOldFile) {
    config.write("data/Playlist.m3u", "/old.mp3\r\n");
    config.write("data/Mix.m3u", "/old mix.mp3\r\n");
    addMatching("one");
    UnwritableFolder lock(config.at("data"));
    if (!lock.locked())
        GTEST_SKIP() << "this file system cannot lock a folder";
    dialogs.inputAnswers = {"Mix"};
    form4().Saveplaylist->trigger();
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[2].title, "Error.");
    EXPECT_TRUE(dialogs.shown[2].text.contains(data("Mix.m3u")));
    EXPECT_EQ(config.read("data/Mix.m3u"), "/old mix.mp3\r\n");
}

TEST_F(PlaylistTest, SaveOnAFullDiskSaysSoAndKeepsTheOldFile) {
    config.write("data/Mix.m3u", "/old mix.mp3\r\n");
    addMatching("o");
    {
        const FullDisk full(16);
        form4().Saveplaylist->trigger(); // the default name: a new file
        dialogs.inputAnswers = {"Mix"};
        form4().Saveplaylist->trigger();
    }
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[1].title, "Error.");
    EXPECT_TRUE(dialogs.shown[1].text.contains(data("Playlist.m3u")));
    EXPECT_EQ(dialogs.shown[2].title, "Error.");
    EXPECT_EQ(config.read("data/Mix.m3u"), "/old mix.mp3\r\n");
    EXPECT_EQ(QDir(data("")).entryList(QDir::Files | QDir::Hidden), QStringList({"Mix.m3u"}));
}

// Songs dropped from a file manager; a folder gives its songs. What is not
// an MP3 file (nor a path a URI may name) is passed over, said once.
TEST_F(PlaylistTest, DroppedSongsAreAppendedAndTheFirstPlays) {
    addMatching("other");
    const QString song = music.write("dropped one.mp3");
    const QString second = music.write("dropped two.MP3");
    music.write("album/cover.jpg");
    emit form4().FilesDropped({MP3Mod::FileUri(music.write("notes.txt")), MP3Mod::FileUri(song),
                               MP3Mod::FileUri(second), MP3Mod::FileUri(music.at("gone.mp3")),
                               "file:///etc/passwd%00.mp3", "file:x.mp3",
                               MP3Mod::FileUri(music.write("album/b.mp3"))});
    ASSERT_EQ(dialogs.shown.size(), 2u); // the Add Item question, then the refusals
    EXPECT_EQ(dialogs.shown[1].text, "4 dropped files are not MP3 files: they were passed over.");
    EXPECT_EQ(paths(), QStringList({music.at("Other.mp3"), song, second, music.at("album/b.mp3")}));
    EXPECT_EQ(names(), QStringList({"Other", "dropped one.mp3", "dropped two.MP3", "b.mp3"}));
    EXPECT_EQ(media.opened, QStringList({song}));
    EXPECT_EQ(form4().List1->ListIndex(), 1);

    // Dropped while Load's chooser is up (its shown rows empty), a folder
    // plays its own first song.
    config.write("data/Mix.m3u", "/a.mp3\r\n");
    config.write("data/Other.m3u", "/b.mp3\r\n");
    form4().LoadPlaylist1->trigger();
    emit form4().FilesDropped({MP3Mod::FileUri(music.at("album"))});
    EXPECT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(media.CurrentFile(), music.at("album/b.mp3"));
    EXPECT_EQ(names().size(), paths().size());
}

// Songs given at the start: the first plays in the song info window, and all
// are in the playlist window.
TEST_F(ProgramTest, SongsGivenAtTheStartPlayInsteadOfARandomRow) {
    music.write("listed.mp3");
    storeDirectory(music.path());
    const QString first = music.write("given/first.mp3");
    const QString second = music.write("given/second.mp3");
    program = std::make_unique<Program>(media, dialogs,
                                        ProgramPaths{settingsFile(), config.at("data")}, [] {});
    program->Start({first, second});
    EXPECT_EQ(media.opened, QStringList({first}));
    EXPECT_EQ(form4().List2->Items(), QStringList({first, second}));
    EXPECT_EQ(form4().List1->Items(), QStringList({"first.mp3", "second.mp3"}));
    EXPECT_TRUE(form3().isVisible());
}

TEST_F(PlaylistTest, LoadWithNoneOneOrSeveralFiles) {
    addMatching("other");
    form4().LoadPlaylist1->trigger();
    EXPECT_EQ(dialogs.shown.back().title, "No playlists found.");
    EXPECT_EQ(dialogs.shown.back().text,
              "There were no playlists found, please make one or more then try again.");
    EXPECT_EQ(names(), QStringList({"Other.mp3"})); // shown again from the paths

    config.write("data/Mix.m3u", "/songs/a.mp3\r\n/songs/b.mp3\r\n");
    form4().LoadPlaylist1->trigger(); // exactly one: loaded at once, appended
    EXPECT_EQ(paths(), QStringList({music.at("Other.mp3"), "/songs/a.mp3", "/songs/b.mp3"}));
    EXPECT_EQ(names(), QStringList({"Other.mp3", "a.mp3", "b.mp3"}));
    EXPECT_EQ(form4().ThePlaylist->text(), data("Mix.m3u"));
    form4().LoadPlaylist1->trigger(); // a second load doubles the entries
    EXPECT_EQ(paths().size(), 5);
    EXPECT_EQ(names().size(), 5);

    config.write("data/Other.M3U", "/songs/c.mp3\n");
    form4().LoadPlaylist1->trigger();
    EXPECT_EQ(dialogs.shown.back().title, "Multiple Finds.");
    EXPECT_TRUE(form4().File1->isVisibleTo(&form4()));
    EXPECT_FALSE(form4().List1->isVisibleTo(&form4()));
    EXPECT_TRUE(form4().Loadit->isVisibleTo(&form4()));
    emit form4().Loadit->Click(); // nothing chosen yet
    EXPECT_TRUE(form4().File1->isVisibleTo(&form4()));
    EXPECT_EQ(form4().File1->Items(), QStringList({"Mix.m3u", "Other.M3U"}));
    form4().File1->SetListIndex(1);
    emit form4().Loadit->Click();
    EXPECT_EQ(paths().last(), "/songs/c.mp3");
    EXPECT_EQ(names().size(), paths().size());
    EXPECT_EQ(form4().ThePlaylist->text(), data("Other.M3U"));
    EXPECT_TRUE(form4().List1->isVisibleTo(&form4()));
    EXPECT_FALSE(form4().File1->isVisibleTo(&form4()));
    EXPECT_TRUE(form4().Label2->isVisibleTo(&form4()));
}

TEST_F(PlaylistTest, ClearListDeletesTheLoadedPlaylist) {
    addMatching("one");
    form4().ClearList->trigger();
    EXPECT_EQ(dialogs.shown.back().text, "Please make or load a playlist.");
    EXPECT_EQ(dialogs.shown.back().title, "Error.");
    EXPECT_EQ(names().size(), 2);

    config.write("data/Mix.m3u", "/songs/a.mp3\r\n");
    form4().LoadPlaylist1->trigger();
    if (UnwritableFolder lock(config.at("data")); lock.locked()) {
        const QStringList loaded = paths();
        form4().ClearList->trigger(); // no trash can take it: asked, and kept at No
        EXPECT_TRUE(dialogs.shown.back().text.endsWith("). Delete it for good?"));
        EXPECT_EQ(paths(), loaded);
        EXPECT_EQ(form4().ThePlaylist->text(), data("Mix.m3u"));
    }
    const size_t messages = dialogs.shown.size();
    form4().ClearList->trigger();
    EXPECT_EQ(dialogs.shown.size(), messages);
    EXPECT_TRUE(names().isEmpty());
    EXPECT_TRUE(paths().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(data("Mix.m3u")));
    EXPECT_EQ(form4().ThePlaylist->text(), "");
    form4().ClearList->trigger();
    EXPECT_EQ(dialogs.shown.back().text, "Please make or load a playlist.");
}

// A name that is not UTF-8 names its own file, not the one that Qt's text
// for it would name.
TEST_F(PlaylistTest, ClearListDeletesAPlaylistWhoseNameIsNotUtf8) {
    config.makeFolder("data");
    const QString loaded = config.writeRawName("data/caf\xe9.m3u", "/songs/a.mp3\r\n");
    form4().LoadPlaylist1->trigger();
    ASSERT_EQ(form4().ThePlaylist->text(), loaded);
    const QString neighbour = config.write("data/caf\ufffd.m3u", "/songs/b.mp3\r\n");
    form4().ClearList->trigger();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(MP3Mod::IsRegularFile(loaded));
    EXPECT_TRUE(QFileInfo::exists(neighbour));
}

TEST_F(PlaylistTest, ClearListOfAPlaylistAlreadyGoneStillEmptiesTheLists) {
    config.write("data/Mix.m3u", "/songs/a.mp3\r\n");
    form4().LoadPlaylist1->trigger();
    QFile::remove(data("Mix.m3u"));
    form4().ClearList->trigger();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(paths().isEmpty());
    EXPECT_EQ(form4().ThePlaylist->text(), "");
}
