#include <QTest>

#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/slider.h"
#include "controls/timer.h"
#include "tests/support/programfixture.h"

class ControlPanelTest : public ProgramTest {
protected:
    void SetUp() override {
        startWith({"Song-One.mp3", "Two.mp3"});
        program->form2.show();
    }
};

TEST_F(ControlPanelTest, LoadCountsTheSongsAndCentresTheSliders) {
    EXPECT_EQ(form2().mp3Count->text(), "mp3 Count: 2");
    EXPECT_EQ(form2().bar3->Value(), 100);
    EXPECT_EQ(form2().Volume->Value(), 100);
    for (Timer* timer : {form2().Timer1, form2().Timer2, form2().Timer3})
        EXPECT_TRUE(timer->Enabled());
}

TEST(ControlPanelCount, HasNoDigitGrouping) {
    TestFolder music;
    for (int i = 0; i < 1234; ++i)
        music.write(QString("song %1.mp3").arg(i));
    TestFolder config;
    config.write("mp3.ini", "[Settings]\nDIRECTORY=" + music.path().toUtf8() + "\n");
    FakeMediaPlayer media;
    ScriptedDialogs dialogs;
    Program program(media, dialogs, {config.at("mp3.ini"), config.at("data")}, [] {});
    program.Start();
    EXPECT_EQ(program.form2.mp3Count->text(), "mp3 Count: 1234");
}

TEST_F(ControlPanelTest, TimeLabelsAndSeekSliderFollowThePosition) {
    media.duration = 185.2;
    media.position = 62.5;
    emit form2().Timer1->Tick();
    emit form2().Timer3->Tick();
    EXPECT_EQ(form2().FullTime->text(), "3:05");
    EXPECT_EQ(form2().Parttime->text(), "1:02");
    EXPECT_EQ(form2().bar->Value(), 62);
    media.position = 63.5;
    emit form2().Timer3->Tick();
    EXPECT_EQ(form2().bar->Value(), 64);

    // A song that plays into silence says so once in the status line.
    const QString silent = "No audio output could be opened; playing silently.";
    media.silent = true;
    emit form2().Timer1->Tick();
    EXPECT_EQ(form1().Stats->text(), silent);
    form1().Stats->setText("Status bar.");
    emit form2().Timer1->Tick();
    EXPECT_EQ(form1().Stats->text(), "Status bar.");
    media.OpenFile(music.at("another.mp3"));
    emit form2().Timer1->Tick();
    EXPECT_EQ(form1().Stats->text(), silent);
}

TEST_F(ControlPanelTest, MovingTheSeekSliderSeeksAndTakesTheSongsLength) {
    media.duration = 200.4;
    form2().Timer3->SetEnabled(false);
    QTest::keyClick(form2().bar, Qt::Key_End); // to the default maximum, 10
    EXPECT_EQ(media.position, 10);
    EXPECT_EQ(form2().bar->Maximum(), 200);
    EXPECT_TRUE(form2().Timer3->Enabled());
    QTest::keyClick(form2().bar, Qt::Key_End);
    EXPECT_EQ(media.position, 200);
    media.position = 150.6; // played on since; letting go shows where it is
    QTest::keyRelease(form2().bar, Qt::Key_Left);
    EXPECT_EQ(form2().bar->Value(), 151);
}

TEST_F(ControlPanelTest, SongNameScrolls90TwipsATickAndComesBackAt20) {
    Label& name = *form2().Stats2;
    name.SetWidth(3000);
    name.SetLeft(105);
    for (int tick = 0; tick < 35; ++tick)
        emit form2().Timer2->Tick();
    EXPECT_EQ(name.Left(), 105 - 35 * 90);
    emit form2().Timer2->Tick();
    EXPECT_EQ(name.Left(), 20);
    EXPECT_TRUE(name.isVisible());
}

TEST_F(ControlPanelTest, VeryWideNamesScrollToo) {
    Label& name = *form2().Stats2;
    name.SetWidth(195 * 400); // far beyond a 16-bit number of twips
    name.SetLeft(20);
    for (int tick = 0; tick < 500; ++tick)
        emit form2().Timer2->Tick();
    EXPECT_EQ(name.Left(), 20 - 500 * 90);
    for (int tick = 0; tick < 400; ++tick)
        emit form2().Timer2->Tick();
    EXPECT_GT(name.Left(), -195 * 400); // came back round
}

TEST_F(ControlPanelTest, PauseGlyphTogglesAndStopGlyphStops) {
    media.state = MediaPlayer::PlayState::Playing;
    emit form2().lblpause->Click();
    EXPECT_EQ(form2().lblpause->Caption(), "3");
    EXPECT_EQ(media.state, MediaPlayer::PlayState::Paused);
    emit form2().lblpause->Click();
    EXPECT_EQ(form2().lblpause->Caption(), ";");
    EXPECT_EQ(media.state, MediaPlayer::PlayState::Playing);
    emit form2().lblstop->Click();
    EXPECT_EQ(media.state, MediaPlayer::PlayState::Stopped);
    EXPECT_EQ(form2().lblpause->Caption(), ";");
}

TEST_F(ControlPanelTest, GlyphsShowSymbolsForTheirCaptions) {
    EXPECT_EQ(form2().lblplay->text(), QString::fromUtf8("\u25B6"));
    EXPECT_EQ(form2().lblpause->text(), QString::fromUtf8("\u23F8"));
    EXPECT_EQ(form2().lblstop->text(), QString::fromUtf8("\u25A0"));
    EXPECT_EQ(form2().lblRefresh->text(), QString::fromUtf8("\u27F3"));
    emit form2().lblpause->Click();
    EXPECT_EQ(form2().lblpause->text(), QString::fromUtf8("\u25C0"));
}

TEST_F(ControlPanelTest, RefreshGlyphRebuildsTheSongList) {
    emit form2().lblRefresh->Click();
    EXPECT_EQ(program->form1.List1->Items(), QStringList({"Song-One.mp3", "Two.mp3"}));
}
