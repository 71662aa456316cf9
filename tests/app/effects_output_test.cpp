// The sound effects measured on what the real player puts out.

#include <QAction>
#include <QTest>
#include <gtest/gtest.h>

#include "controls/slider.h"
#include "panel/soundeffects.h"
#include "player/gstmediaplayer.h"
#include "tests/support/mp3fixtures.h"
#include "tests/support/outputlevels.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/testfiles.h"
#include "windows/form1.h"
#include "windows/form2.h"

class EffectsOutput : public testing::Test {
protected:
    static void SetUpTestSuite() {
        songs = new TestFolder;
        MakeToneMp3(songs->at("tone.mp3"), 3);
    }
    static void TearDownTestSuite() { delete songs; }
    static TestFolder* songs;

    Form1 form1;
    Form2 form2;
    ScriptedDialogs dialogs;
};

TestFolder* EffectsOutput::songs = nullptr;

TEST_F(EffectsOutput, VolumeSliderAtOneIs2475HundredthsOfADecibelQuieter) {
    auto atVolume = [this](int value) {
        return [this, value](GstMediaPlayer& player) {
            SoundEffects(form1, form2, player, dialogs).VolumeValueChanged(value);
        };
    };
    const ChannelLevels full = MeasureOutput(songs->at("tone.mp3"), atVolume(100));
    const ChannelLevels quiet = MeasureOutput(songs->at("tone.mp3"), atVolume(1));
    EXPECT_NEAR(full.left - quiet.left, 24.75, 0.2);
    EXPECT_NEAR(full.right - quiet.right, 24.75, 0.2);
}

TEST_F(EffectsOutput, RateSliderAtThreeWithEffectHalfPlaysTwoAndAHalfTimesAsFast) {
    GstMediaPlayer player(PlayerPipeline::SilentSink());
    SoundEffects effects(form1, form2, player, dialogs);
    dialogs.inputAnswers = {"0.5"};
    effects.RateEffectClick();
    player.OpenFile(songs->at("tone.mp3"));
    ASSERT_TRUE(QTest::qWaitFor([&player] { return player.Position() >= -1; }, 5000));
    form2.bar2->Value(3);
    effects.bar2ValueChanged(3);
    QTest::qWait(100);
    const double before = player.Position();
    QTest::qWait(800);
    EXPECT_NEAR((player.Position() - before) / 0.8, 2.5, 0.4);
}
