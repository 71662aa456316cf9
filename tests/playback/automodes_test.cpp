#include <QAction>
#include <QTest>

#include "base/common.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/timer.h"
#include "tests/support/clockfactor.h"
#include "tests/support/programfixture.h"

class AutoModesTest : public ProgramTest {
protected:
    void startWith(int songs) {
        for (int i = 0; i < songs; ++i)
            music.write(QString("Song_%1.mp3").arg(i));
        storeDirectory(music.path());
        start();
        media.opened.clear();
        media.duration = 100;
    }
    void SetUp() override { startWith(4); }
    QString song(int row) { return music.at(QString("Song_%1.mp3").arg(row)); }
    void waitProgramSeconds(double seconds) { MP3Mod::WaitSeconds(seconds); }
};

TEST_F(AutoModesTest, AutoNextPlaysDownTheListAndStopsItselfOnTheLastRow) {
    select(2);
    form1().AutoNext->trigger();
    EXPECT_TRUE(form1().AutoNext->isChecked());
    EXPECT_TRUE(form1().Timer6->Enabled());
    waitProgramSeconds(2.5);
    EXPECT_TRUE(media.opened.isEmpty()); // the song has not ended
    endSong();
    waitProgramSeconds(1.5);
    EXPECT_EQ(media.opened, QStringList({song(3)}));
    endSong();
    waitProgramSeconds(1.5);
    EXPECT_EQ(media.opened, QStringList({song(3)}));
    EXPECT_FALSE(form1().AutoNext->isChecked());
    EXPECT_FALSE(form1().Timer6->Enabled());
}

TEST_F(AutoModesTest, AutoPreviousPlaysUpTheListAndWaitsOnTheFirstRow) {
    select(1);
    form1().AutoPrevious->trigger();
    endSong();
    waitProgramSeconds(1.5);
    EXPECT_EQ(media.opened, QStringList({song(0)}));
    endSong();
    waitProgramSeconds(2.5);
    EXPECT_EQ(media.opened, QStringList({song(0)}));
    EXPECT_TRUE(form1().AutoPrevious->isChecked());
    EXPECT_TRUE(form1().Timer5->Enabled());
}

TEST_F(AutoModesTest, AutoNextAndPreviousExcludeEachOtherAndYieldToAutoRandom) {
    form1().AutoNext->trigger();
    form1().AutoPrevious->trigger();
    EXPECT_FALSE(form1().AutoPrevious->isChecked());
    form1().AutoNext->trigger();
    EXPECT_FALSE(form1().AutoNext->isChecked());

    form1().AutoRandom->trigger();
    form1().AutoNext->trigger();
    EXPECT_FALSE(form1().AutoNext->isChecked());
    dialogs.messageAnswers = {Dialogs::Answer::No};
    form1().AutoRandom->trigger();
    EXPECT_EQ(dialogs.shown.back().text, "Do you want to disable auto-random?");
    EXPECT_EQ(dialogs.shown.back().title, "Disable Auto Random?");
    EXPECT_EQ(dialogs.shown.back().buttons, Dialogs::Buttons::YesNo);
    EXPECT_TRUE(form1().AutoRandom->isChecked());
    EXPECT_TRUE(form1().Timer2->Enabled());
    dialogs.messageAnswers = {Dialogs::Answer::Yes};
    form1().AutoRandom->trigger();
    EXPECT_FALSE(form1().AutoRandom->isChecked());
    EXPECT_FALSE(form1().Timer2->Enabled());
    form1().AutoNext->trigger();
    EXPECT_TRUE(form1().AutoNext->isChecked());
}

TEST_F(AutoModesTest, TurningAutoRandomOnPlaysARowAndNamesTheNext) {
    form1().AutoRandom->trigger();
    ASSERT_EQ(media.opened.size(), 1);
    const int next = form1().List1->ListIndex();
    EXPECT_EQ(form1().lblrandom->text().toInt(), next);
    EXPECT_EQ(form1().Stats->text(), QString("Next song: song %1").arg(next));
    const int played = int(form1().List2->Items().indexOf(media.opened[0]));
    EXPECT_EQ(program->form2.Stats2->text(), QString("This song: song %1").arg(played));
    EXPECT_TRUE(form1().Timer2->Enabled());
    // At the song's end the row named next plays.
    endSong();
    waitProgramSeconds(1.5);
    EXPECT_EQ(media.opened.size(), 2);
    EXPECT_EQ(media.opened[1], song(next));
}

// With two songs, turning Auto random on names the first row half the time;
// its tick may draw 0 just as often, but never names the first row.
class AutoRandomOfTwo : public AutoModesTest {
protected:
    void SetUp() override { startWith(2); }
};

TEST_F(AutoRandomOfTwo, TickNeverNamesTheFirstRowButTurningItOnCan) {
    bool firstRowNamedAtTurnOn = false;
    for (int i = 0; i < 16 && !firstRowNamedAtTurnOn; ++i) {
        form1().AutoRandom->trigger();
        firstRowNamedAtTurnOn = form1().List1->ListIndex() == 0;
        dialogs.messageAnswers = {Dialogs::Answer::Yes};
        form1().AutoRandom->trigger();
    }
    EXPECT_TRUE(firstRowNamedAtTurnOn);

    form1().AutoRandom->trigger();
    for (int advance = 0; advance < 8; ++advance) {
        const int before = int(media.opened.size());
        endSong();
        ASSERT_TRUE(QTest::qWaitFor([&] { return media.opened.size() > before; }, 5000));
        waitProgramSeconds(11.5); // the random advance names the next song
        EXPECT_NE(form1().List1->ListIndex(), 0);
    }
}

TEST_F(AutoModesTest, ARowSelectedByHandBecomesTheNextSong) {
    form1().AutoRandom->trigger();
    select(3);
    endSong();
    waitProgramSeconds(1.5);
    EXPECT_EQ(media.opened.last(), song(3));
}

TEST_F(AutoModesTest, ATickStillWaitingIsNotStartedAgain) {
    media.duration = 0; // every tick sees an ended song
    form1().AutoRandom->trigger();
    const int atStart = int(media.opened.size());
    waitProgramSeconds(6); // inside the first tick's waits
    EXPECT_EQ(media.opened.size(), atStart + 1);
}

TEST_F(AutoModesTest, SleepModeTurnsTheOthersOffAndPlaysTheSelectedRowFirst) {
    form1().AutoNext->trigger();
    select(2);
    form1().Sleep->trigger();
    EXPECT_TRUE(form1().Sleep->isChecked());
    EXPECT_FALSE(form1().AutoNext->isChecked());
    EXPECT_FALSE(form1().Timer6->Enabled());
    EXPECT_TRUE(form1().Timer3->Enabled());
    EXPECT_TRUE(form1().Timer4->Enabled());
    endSong();
    waitProgramSeconds(1.5);
    EXPECT_EQ(media.opened, QStringList({song(2)}));
}

TEST_F(AutoModesTest, SleepMinutesAddUpOverPeriods) {
    auto minutes = [this](int count) {
        for (int i = 0; i < count; ++i)
            emit form1().Timer4->Tick();
    };
    form1().Sleep->trigger();
    minutes(40);
    form1().Sleep->trigger(); // off
    EXPECT_EQ(form1().lblmins->text(), "40");
    EXPECT_FALSE(form1().Timer4->Enabled());
    form1().Sleep->trigger(); // on again
    minutes(19);
    emit form1().Timer3->Tick();
    EXPECT_EQ(ends, 0);
    minutes(1);
    emit form1().Timer3->Tick();
    EXPECT_EQ(ends, 1);
    EXPECT_FALSE(form1().Sleep->isChecked());
    EXPECT_FALSE(program->form1.isVisible());
    EXPECT_EQ(media.state, MediaPlayer::PlayState::Stopped);
}

TEST_F(AutoModesTest, EmptyListLeavesTheRandomModesIdle) {
    TestFolder empty;
    storeDirectory(empty.path());
    start();
    media.opened.clear();
    form1().AutoRandom->trigger();
    EXPECT_FALSE(form1().AutoRandom->isChecked());
    form1().Sleep->trigger();
    endSong();
    waitProgramSeconds(2.5);
    EXPECT_TRUE(media.opened.isEmpty());
}

class SleepForReal : public ProgramTest {};

TEST_F(SleepForReal, TheProgramEndsAfterAnHourOfSleepMode) {
    const ScopedClockFactor fast(3000); // an hour in 1.2 seconds
    startWith({"a.mp3"});
    media.duration = 1000; // a long song that does not end meanwhile
    program->form1.Sleep->trigger();
    EXPECT_TRUE(QTest::qWaitFor([this] { return ends > 0; }, 20'000));
    // A minute may pass between two sleep ticks: the end comes at 60 or later.
    EXPECT_GE(program->form1.lblmins->text().toInt(), 60);
    EXPECT_EQ(ends, 1);
}
