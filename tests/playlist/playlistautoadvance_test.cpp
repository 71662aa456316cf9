#include <QAction>

#include "base/common.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/timer.h"
#include "tests/support/programfixture.h"
#include "tests/support/texthistory.h"

class PlaylistAdvanceTest : public ProgramTest {
protected:
    void SetUp() override {
        for (const char* name : {"Entry_0.mp3", "Entry_1.mp3", "Entry_2.mp3"})
            music.write(name);
        storeDirectory(music.path());
        start();
        dialogs.inputAnswers = {"entry"};
        form4().Additem1->trigger();
        media.opened.clear();
        media.duration = 100;
    }
    QString entry(int row) { return music.at(QString("Entry_%1.mp3").arg(row)); }
    void playEntry(int row) {
        form4().List1->SetListIndex(row);
        emit form4().List1->DoubleClick();
    }
};

TEST_F(PlaylistAdvanceTest, AutoNextClickedTwice) {
    form4().AutoNext->trigger();
    EXPECT_EQ(form4().Stats3->text(), "Playlist auto-next enabled.");
    EXPECT_TRUE(form4().Timer1->Enabled());
    form4().AutoNext->trigger();
    EXPECT_EQ(form4().Stats3->text(), "Playlist auto-next disabled.");
    EXPECT_FALSE(form4().Timer1->Enabled());
    EXPECT_FALSE(form4().AutoNext->isChecked());
}

TEST_F(PlaylistAdvanceTest, AutoNextPlaysThroughThreeEntriesThenSwitchesOff) {
    playEntry(0);
    form4().AutoNext->trigger();
    TextHistory status(form4().Stats3);
    TextHistory song(program->form2.Stats2);
    for (int row : {1, 2}) {
        endSong();
        MP3Mod::WaitSeconds(5);
        EXPECT_EQ(media.opened.last(), entry(row));
        EXPECT_EQ(form4().List1->ListIndex(), row);
        EXPECT_EQ(form4().List2->ListIndex(), row);
    }
    EXPECT_TRUE(song.changes().contains("Entry 1"));
    endSong();
    MP3Mod::WaitSeconds(2);
    EXPECT_FALSE(form4().AutoNext->isChecked());
    EXPECT_FALSE(form4().Timer1->Enabled());
    EXPECT_EQ(media.opened.size(), 3);
    EXPECT_EQ(status.changes(),
              QStringList({"Playlist Auto-Next triggered next song.", "Playlist Status.",
                           "Playlist Auto-Next triggered next song.", "Playlist Status.",
                           "Playlist Exhausted, Auto-next Disabled.", "Playlist Status."}));
    EXPECT_EQ(song.changes().last(), "No song.");
}

TEST_F(PlaylistAdvanceTest, AutoNextWithNothingLoaded) {
    media.duration = 0; // nothing loaded: the song-ended test holds
    form4().AutoNext->trigger();
    MP3Mod::WaitSeconds(1.5);
    ASSERT_FALSE(media.opened.isEmpty());
    EXPECT_EQ(media.opened[0], entry(0));
    form4().AutoNext->trigger(); // off
    media.opened.clear();
    media.currentFile.clear();
    form4().List1->SetListIndex(2);
    form4().AutoNext->trigger();
    MP3Mod::WaitSeconds(1.5);
    EXPECT_TRUE(media.opened.isEmpty());
    EXPECT_FALSE(form4().AutoNext->isChecked());
}

TEST_F(PlaylistAdvanceTest, AutoRepeatPlaysTheDoubleClickedEntryAgainThenTheOthersAndStartsOver) {
    playEntry(0);
    form4().AutoRepeat->trigger();
    media.opened.clear();
    for (int play = 0; play < 4; ++play) {
        endSong();
        MP3Mod::WaitSeconds(1.5);
        EXPECT_EQ(form4().List1->ListIndex(), form4().List2->ListIndex());
    }
    EXPECT_EQ(media.opened, QStringList({entry(0), entry(1), entry(2), entry(0)}));
    EXPECT_TRUE(form4().AutoRepeat->isChecked());
}

TEST_F(PlaylistAdvanceTest, AutoRepeatWithNoSelectionStartsWithTheFirstEntry) {
    form4().List1->SetListIndex(-1);
    // As after the list got the focus without a click: current row 0, none selected.
    form4().List1->selectionModel()->setCurrentIndex(form4().List1->model()->index(0, 0),
                                                     QItemSelectionModel::NoUpdate);
    form4().AutoRepeat->trigger();
    endSong();
    MP3Mod::WaitSeconds(1.5);
    ASSERT_FALSE(media.opened.isEmpty());
    EXPECT_EQ(media.opened[0], entry(0));
    EXPECT_EQ(form4().List1->ListIndex(), 1);
}
