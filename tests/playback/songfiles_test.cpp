#include <cerrno>

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include "base/files.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "tests/support/id3block.h"
#include "tests/support/programfixture.h"
#include "tests/support/unwritable.h"

class SongFilesTest : public ProgramTest {
protected:
    void SetUp() override { startWith({"a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3"}); }
    QStringList files() const {
        return QDir(music.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
    void answer(Dialogs::Answer reply) { dialogs.messageAnswers = {reply}; }
    void rename(int row, const QString& to) {
        form1().List1->SetListIndex(row);
        dialogs.inputAnswers = {to};
        form1().Renamemp3->trigger();
    }
};

TEST_F(SongFilesTest, DeleteTakesOnlyTheConfirmedSong) {
    form1().List1->SetListIndex(3);
    answer(Dialogs::Answer::Yes);
    form1().DeleteMP3->trigger();
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown[0].text, "Are you sure you want to Delete d?");
    EXPECT_EQ(dialogs.shown[0].title, "Confirmation of Delete.");
    EXPECT_EQ(dialogs.shown[0].icon, Dialogs::Icon::Question);
    EXPECT_EQ(dialogs.shown[0].buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(files(), QStringList({"a.mp3", "b.mp3", "c.mp3", "e.mp3"}));
    EXPECT_EQ(form1().List1->Items(), QStringList({"a.mp3", "b.mp3", "c.mp3", "e.mp3"}));
    EXPECT_EQ(form1().Stats->text(), "File deleted successfully.");
    EXPECT_TRUE(form1().List1->isEnabled());
}

TEST_F(SongFilesTest, AnsweringNoOrNoRowDeletesNothing) {
    form1().List1->SetListIndex(1);
    answer(Dialogs::Answer::No);
    form1().DeleteMP3->trigger();
    form1().List1->SetListIndex(-1);
    form1().DeleteMP3->trigger();
    EXPECT_EQ(files().size(), 5);
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(SongFilesTest, DeleteAfterTheFolderChangedStillTakesTheConfirmedSong) {
    music.write("0 new first.mp3"); // shifts every row of a rebuilt list down by one
    form1().List1->SetListIndex(2);
    answer(Dialogs::Answer::Yes);
    form1().DeleteMP3->trigger();
    EXPECT_EQ(files(), QStringList({"0 new first.mp3", "a.mp3", "b.mp3", "d.mp3", "e.mp3"}));
}

TEST_F(SongFilesTest, DeleteOfASongGoneMeanwhileDeletesNothingElse) {
    form1().List1->SetListIndex(2);
    QFile::remove(music.at("c.mp3"));
    answer(Dialogs::Answer::Yes);
    form1().DeleteMP3->trigger();
    EXPECT_EQ(files(), QStringList({"a.mp3", "b.mp3", "d.mp3", "e.mp3"}));
    EXPECT_EQ(dialogs.shown.back().title, "Error.");
    EXPECT_NE(form1().Stats->text(), "File deleted successfully.");
    EXPECT_TRUE(form1().List1->isEnabled());
}

// A song no trash can take is deleted only at the user's word; a failure says why.
TEST_F(SongFilesTest, DeleteThatFailsSaysWhyAndKeepsTheListUsable) {
    UnwritableFolder lock(music.path());
    if (!lock.locked())
        GTEST_SKIP() << "this file system cannot lock a folder";
    form1().List1->SetListIndex(0);
    dialogs.messageAnswers = {Dialogs::Answer::Yes, Dialogs::Answer::No};
    form1().DeleteMP3->trigger();
    EXPECT_EQ(dialogs.shown.back().text, music.at("a.mp3") + " cannot be moved to the trash (" +
                                             MP3Mod::ErrorText(::geteuid() == 0 ? EPERM : EACCES) +
                                             "). Delete it for good?");
    EXPECT_NE(form1().Stats->text(), "File deleted successfully.");
    form1().List1->SetListIndex(0);
    dialogs.messageAnswers = {Dialogs::Answer::Yes, Dialogs::Answer::Yes};
    form1().DeleteMP3->trigger();
    EXPECT_EQ(files().size(), 5);
    EXPECT_EQ(dialogs.shown.back().title, "Error.");
    EXPECT_TRUE(dialogs.shown.back().text.contains(music.at("a.mp3")));
    EXPECT_NE(form1().Stats->text(), "File deleted successfully.");
    EXPECT_TRUE(form1().List1->isEnabled());
    EXPECT_EQ(form1().List1->ListCount(), 5);
}

TEST_F(SongFilesTest, RenameFollowsTheNameRulesAndKeepsMp3LowerCase) {
    rename(0, "New_Song.MP3");
    EXPECT_EQ(dialogs.shown[0].text, "What is the new filename you want for a.mp3");
    EXPECT_EQ(dialogs.shown[0].title, "New Filename.");
    EXPECT_TRUE(QFileInfo::exists(music.at("New Song.mp3")));
    EXPECT_FALSE(QFileInfo::exists(music.at("a.mp3")));
    EXPECT_EQ(music.read("New Song.mp3"), "a.mp3"); // the same file, moved
    rename(0, "x.mp3.b");
    EXPECT_TRUE(QFileInfo::exists(music.at("x.mp3")));
    EXPECT_TRUE(form1().List1->Items().contains("x.mp3"));
}

TEST_F(SongFilesTest, RenameNeverReplacesAFile) {
    music.write(".hidden.mp3", "hidden");
    QFile::link(music.at("nowhere"), music.at("Made Meanwhile.mp3")); // a name that is taken
    for (const char* taken : {"b", "Made_Meanwhile"}) {
        dialogs.shown.clear();
        rename(0, taken);
        ASSERT_EQ(dialogs.shown.size(), 2u) << taken;
        EXPECT_EQ(dialogs.shown[1].text, "File already exists, please try again.");
        EXPECT_EQ(dialogs.shown[1].title, "Error.");
    }
    EXPECT_EQ(music.read("a.mp3"), "a.mp3");
    EXPECT_EQ(music.read("b.mp3"), "b.mp3");
}

TEST_F(SongFilesTest, RenameRefusesAnswersThatAreNoNameOrAHiddenOne) {
    music.write(".hidden.mp3", "hidden");
    for (const char* bad :
         {"", "sub/dir", ".", "..", ".mp3", "../up", ".a", ".hidden", "z.mp3/../../elsewhere"}) {
        dialogs.shown.clear();
        rename(0, bad);
        ASSERT_EQ(dialogs.shown.size(), 2u) << bad;
        EXPECT_EQ(dialogs.shown[1].text, "Your input was invalid.  Please try again.");
        EXPECT_EQ(dialogs.shown[1].title, "Invalid.");
    }
    EXPECT_EQ(files(), QStringList({".hidden.mp3", "a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3"}));
    EXPECT_EQ(music.read(".hidden.mp3"), "hidden");
}

TEST_F(SongFilesTest, RenameKeepsTheSongInItsOwnFolder) {
    TestFolder other;
    other.write("far.mp3");
    dialogs.inputAnswers = {other.path()};
    form1().AddDirectory->trigger();
    rename(5, "near");
    EXPECT_TRUE(QFileInfo::exists(other.at("near.mp3")));
    EXPECT_FALSE(QFileInfo::exists(music.at("near.mp3")));
}

TEST_F(SongFilesTest, RenameThatFailsSaysWhy) {
    UnwritableFolder lock(music.path());
    if (!lock.locked())
        GTEST_SKIP() << "this file system cannot lock a folder";
    rename(0, "locked out");
    EXPECT_EQ(dialogs.shown.back().title, "Error.");
    EXPECT_TRUE(QFileInfo::exists(music.at("a.mp3")));
    EXPECT_EQ(form1().List1->ListCount(), 5);
}

TEST_F(SongFilesTest, AddToPlaylistAppendsTheSelectedSongEachTime) {
    form1().List1->SetListIndex(1);
    form1().AddToPlaylist->trigger();
    form1().AddToPlaylist->trigger();
    EXPECT_EQ(program->form4.List1->Items(), QStringList({"b", "b"}));
    EXPECT_EQ(program->form4.List2->Items(), QStringList({music.at("b.mp3"), music.at("b.mp3")}));
    EXPECT_EQ(program->form4.List1->ListIndex(), -1);
    form1().List1->SetListIndex(-1);
    form1().AddToPlaylist->trigger();
    EXPECT_EQ(program->form4.List1->ListCount(), 2);
}

class CountStringTest : public SongFilesTest {
protected:
    void SetUp() override { startWith({"Big Band - Night.mp3", "bigband_night.mp3", "Korn.mp3"}); }
};

TEST_F(CountStringTest, CountsIgnoringBlanksAndCaseAndQuotesTheAnswer) {
    for (const char* typed : {"Big B", "zzz", ""}) {
        dialogs.inputAnswers = {typed};
        form1().CountString->trigger();
    }
    ASSERT_EQ(dialogs.shown.size(), 5u); // no message for the empty answer
    EXPECT_EQ(dialogs.shown[0].text,
              "What String do you want to count?\r\nEx: Slipk for slipknot or 3p for 3pebble");
    EXPECT_EQ(dialogs.shown[0].title, "String to add=?");
    EXPECT_EQ(dialogs.shown[1].text, "You have 2 songs matching Big B");
    EXPECT_EQ(dialogs.shown[1].title, "Conformation.");
    EXPECT_EQ(dialogs.shown[3].text, "You have 0 songs matching zzz");
    EXPECT_EQ(form1().List3->ListCount(), 0);
}

TEST_F(CountStringTest, AddStringToPlaylistAppendsTheMatches) {
    dialogs.inputAnswers = {"big b"};
    form1().AddPlaylistString->trigger();
    EXPECT_EQ(program->form4.List2->Items(),
              QStringList({music.at("Big Band - Night.mp3"), music.at("bigband_night.mp3")}));
}

TEST_F(SongFilesTest, SongWhoseNameIsNotUtf8CanBePlayedTaggedRenamedAndDeleted) {
    const QString cafe = music.writeRawName(
        "caf\xe9.mp3", QByteArray(500, 'a') + Id3Block({"Caf\xe9 title", "", "", ""}));
    const QString bad = music.writeRawName("b\xff.mp3");
    form1().Refreshlist->trigger();
    const int row = int(form1().List2->Items().indexOf(cafe));
    ASSERT_GE(row, 0);
    EXPECT_EQ(form1().List1->List(row), QString("caf") + QChar::ReplacementCharacter + ".mp3");
    form1().List1->SetListIndex(row);
    emit form1().List1->DoubleClick();
    EXPECT_EQ(media.CurrentFile(), cafe);
    EXPECT_EQ(form1().Title->text(), QString::fromLatin1("Caf\xe9 title"));
    rename(row, "renamed");
    EXPECT_TRUE(files().contains("renamed.mp3"));
    form1().List1->SetListIndex(int(form1().List2->Items().indexOf(bad)));
    answer(Dialogs::Answer::Yes);
    form1().DeleteMP3->trigger();
    EXPECT_EQ(files(), QStringList({"a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3", "renamed.mp3"}));
    EXPECT_EQ(form1().Stats->text(), "File deleted successfully.");
}
