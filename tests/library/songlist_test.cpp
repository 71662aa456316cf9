#include "library/common.h"
#include "library/songlist.h"
#include "tests/support/programfixture.h"
#include "windows/listbox.h"

#include "windows/label.h"
#include <QFile>
#include <QTimer>

// Captures a label's text at given moments of the program's clock while a
// command runs.
class TextProbe {
  public:
    TextProbe(const QLabel* label, std::initializer_list<double> seconds) {
        for (double at : seconds)
            QTimer::singleShot(int(at / MP3Mod::ClockFactor() * 1000),
                               [this, label] { texts.append(label->text()); });
    }
    QStringList texts;
};

class SongListTest : public ProgramTest {
  protected:
    void SetUp() override {
        music.write("Song-Title.mp3");
        music.write("a.mp3.old.mp3");
        music.write("track_01.MP3");
        storeDirectory(music.path());
        start();
    }
    Form1& form1() { return program->form1; }
    Form2& form2() { return program->form2; }
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
    TextProbe count(form2().mp3Count, {5});
    TextProbe status(form1().Stats, {5});
    commands().RefreshlistClick();
    const QStringList names = {"a.mp3.old.mp3", "new.mp3", "Song-Title.mp3", "track_01.MP3"};
    EXPECT_EQ(form1().List1->Items(), names);
    EXPECT_EQ(form1().List2->Items(), pathsOf(names));
    EXPECT_FALSE(form1().List2->isHidden());
    EXPECT_TRUE(form1().List1->isEnabled());
    EXPECT_EQ(count.texts, QStringList({"Refreshed mp3 count: 4"}));
    EXPECT_EQ(status.texts, QStringList({"Thank you for waiting."}));
    EXPECT_EQ(form2().mp3Count->text(), "mp3 Count: 4");
    EXPECT_EQ(form1().Stats->text(), "");
}

TEST_F(SongListTest, RefreshOfAnEmptiedFolderCountsZero) {
    for (const QString& name : plainNames)
        QFile::remove(music.at(name));
    TextProbe count(form2().mp3Count, {5});
    commands().RefreshlistClick();
    EXPECT_EQ(count.texts, QStringList({"Refreshed mp3 count: 0"}));
    EXPECT_EQ(form2().mp3Count->text(), "mp3 Count: 0");
    EXPECT_EQ(form1().List2->ListCount(), 0);
}

TEST_F(SongListTest, RefreshGlyphRebuildsQuietly) {
    const QString countBefore = form2().mp3Count->text();
    TextProbe status(form1().Stats, {5});
    commands().lblRefreshClick();
    EXPECT_EQ(form1().List1->Items(), plainNames);
    EXPECT_TRUE(form1().List2->isHidden());
    EXPECT_EQ(form2().mp3Count->text(), countBefore);
    EXPECT_EQ(status.texts, QStringList({"Thank you for waiting."}));
    EXPECT_EQ(form1().Stats->text(), "");
}

TEST_F(SongListTest, RefreshSongListThanksForOneSecond) {
    TextProbe status(form1().Stats, {0.5, 1.5});
    MP3Mod::RefreshSongList(form1(), *form1().List1, *form1().List2);
    MP3Mod::WaitSeconds(1.6);
    EXPECT_EQ(status.texts, QStringList({"Thank you for waiting.", ""}));
    EXPECT_EQ(form1().List2->Items(), pathsOf(plainNames));
}

TEST_F(SongListTest, RefreshWithAVanishedFolderEmptiesTheList) {
    form1().dir->setText(music.at("gone"));
    MP3Mod::RefreshSongList(form1(), *form1().List1, *form1().List2);
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
    EXPECT_EQ(dialogs.shown.size(), 3u); // no message for any of them
}
