#include <cmath>
#include <memory>

#include <QFile>
#include <QTest>
#include <gst/gst.h>
#include <gtest/gtest.h>

#include "base/common.h"
#include "player/gstmediaplayer.h"
#include "tests/support/mp3fixtures.h"
#include "tests/support/outputlevels.h"
#include "tests/support/printers.h"
#include "tests/support/testfiles.h"

class RealPlayer : public testing::Test {
protected:
    static void SetUpTestSuite() {
        songs = new TestFolder;
        MakeToneMp3(songs->at("tone.mp3"), 3);
        MakeToneMp3(songs->at("mono.mp3"), 1, 1);
    }
    static void TearDownTestSuite() { delete songs; }

    static QString song(const char* name) { return songs->at(name); }

    bool loads() {
        return QTest::qWaitFor([this] { return player.Position() >= -1; }, 5000);
    }
    // Real seconds the song advances in the given real milliseconds.
    double advanceOver(int milliseconds) {
        const double before = player.Position();
        QTest::qWait(milliseconds);
        return player.Position() - before;
    }

    static TestFolder* songs;
    GstMediaPlayer player{PlayerPipeline::SilentSink()};
};

TestFolder* RealPlayer::songs = nullptr;

TEST_F(RealPlayer, NothingLoadedReadsZero) {
    EXPECT_EQ(player.Position(), 0);
    EXPECT_EQ(player.Duration(), 0);
    EXPECT_EQ(player.CurrentFile(), "");
}

TEST_F(RealPlayer, PlaysInRealTimeAndEndsAtItsLength) {
    player.OpenFile(song("tone.mp3"));
    EXPECT_TRUE(player.StillOpening());
    EXPECT_LT(player.Position(), -1);
    ASSERT_TRUE(loads());
    EXPECT_FALSE(player.StillOpening());
    EXPECT_EQ(player.CurrentFile(), song("tone.mp3"));
    EXPECT_NEAR(player.Duration(), 3.0, 0.1);
    EXPECT_NEAR(advanceOver(1000), 1.0, 0.3);
    EXPECT_TRUE(QTest::qWaitFor([this] { return player.Position() == player.Duration(); }, 4000));
    EXPECT_EQ(MP3Mod::PositionText(player), MP3Mod::DurationText(player));
}

TEST_F(RealPlayer, PauseKeepsThePositionAndPlayResumes) {
    player.OpenFile(song("tone.mp3"));
    ASSERT_TRUE(loads());
    QTest::qWait(500);
    player.Pause();
    QTest::qWait(100);
    EXPECT_NEAR(advanceOver(500), 0.0, 0.05);
    player.Play();
    EXPECT_NEAR(advanceOver(700), 0.7, 0.3);
}

TEST_F(RealPlayer, StopAndPlayStartFromTheBeginning) {
    player.OpenFile(song("tone.mp3"));
    ASSERT_TRUE(loads());
    QTest::qWait(1200);
    player.Stop();
    EXPECT_TRUE(QTest::qWaitFor([this] { return player.Position() < 0.1; }, 1000));
    EXPECT_NEAR(advanceOver(500), 0.0, 0.05);
    EXPECT_EQ(player.State(), MediaPlayer::PlayState::Stopped);
    player.Position(1.0); // moved while stopped: it waits there, paused
    EXPECT_TRUE(QTest::qWaitFor([this] { return std::abs(player.Position() - 1.0) < 0.1; }, 1000));
    EXPECT_EQ(player.State(), MediaPlayer::PlayState::Paused);
    player.Position(0);
    player.Play();
    EXPECT_EQ(player.State(), MediaPlayer::PlayState::Playing);
    QTest::qWait(500);
    EXPECT_NEAR(player.Position(), 0.5, 0.3);
}

TEST_F(RealPlayer, WritingThePositionSeeks) {
    player.OpenFile(song("tone.mp3"));
    ASSERT_TRUE(loads());
    player.Position(2.0);
    QTest::qWait(200);
    EXPECT_NEAR(player.Position(), 2.2, 0.25);
}

TEST_F(RealPlayer, RateTwoPlaysTwiceAsFast) {
    player.OpenFile(song("tone.mp3"));
    ASSERT_TRUE(loads());
    player.Rate(2.0);
    QTest::qWait(100);
    EXPECT_NEAR(advanceOver(800), 1.6, 0.35);
    player.Stop(); // the rate holds after Stop and Play too
    player.Play();
    QTest::qWait(100);
    EXPECT_NEAR(advanceOver(800), 1.6, 0.35);
}

TEST_F(RealPlayer, RateCarriesOverToTheNextSong) {
    player.Rate(2.0);
    player.OpenFile(song("tone.mp3"));
    ASSERT_TRUE(loads());
    QTest::qWait(100);
    EXPECT_NEAR(advanceOver(800), 1.6, 0.35);
}

TEST_F(RealPlayer, FilesThatCannotPlayEndTheWaitAndLeaveThePlayerUsable) {
    TestFolder bad;
    QFile::copy(song("tone.mp3"), bad.at("truncated.mp3"));
    QFile::resize(bad.at("truncated.mp3"), 2000);
    for (const QString& path :
         {bad.at("missing.mp3"), QString(), bad.write("x.mp3", "just some text\n"),
          bad.at("truncated.mp3"), bad.makeFolder("folder.mp3")}) {
        player.OpenFile(path);
        EXPECT_TRUE(loads()) << path.toStdString();
        EXPECT_EQ(player.CurrentFile(), path);
        player.Play();
        player.Pause();
        player.Stop();
        player.Position(1.0);
    }
    player.OpenFile(song("mono.mp3"));
    ASSERT_TRUE(loads());
    EXPECT_NEAR(player.Duration(), 1.0, 0.1);
    EXPECT_GT(advanceOver(300), 0.1);
}

// As at start-up: the pipeline is built when the first song starts, at the
// next turn of the event loop; a command given before that still holds.
TEST_F(RealPlayer, CommandsBeforeTheFirstSongStartsAreKept) {
    GstMediaPlayer first(PlayerPipeline::SilentSink());
    first.OpenFile(song("tone.mp3"));
    EXPECT_TRUE(first.StillOpening());
    first.Pause();
    ASSERT_TRUE(QTest::qWaitFor([&first] { return first.Position() >= -1; }, 5000));
    EXPECT_EQ(first.State(), MediaPlayer::PlayState::Paused);
    QTest::qWait(300);
    EXPECT_NEAR(first.Position(), 0.0, 0.05);
    first.Play();
    QTest::qWait(500);
    EXPECT_GT(first.Position(), 0.2);
}

TEST_F(RealPlayer, MuteIsKept) {
    player.Mute(true);
    EXPECT_TRUE(player.Mute());
    player.OpenFile(song("mono.mp3"));
    ASSERT_TRUE(loads());
    EXPECT_TRUE(player.Mute());
    player.Mute(false);
    EXPECT_FALSE(player.Mute());
}

TEST_F(RealPlayer, BalanceLowersTheOtherChannelByAHundredthOfADecibelAStep) {
    auto balanced = [](int balance) {
        return [balance](GstMediaPlayer& player) {
            player.Balance(balance);
        };
    };
    const ChannelLevels left = MeasureOutput(song("tone.mp3"), balanced(-2500));
    EXPECT_NEAR(left.left - left.right, 25.0, 0.5);
    const ChannelLevels right = MeasureOutput(song("tone.mp3"), balanced(1000));
    EXPECT_NEAR(right.right - right.left, 10.0, 0.5);
    const ChannelLevels middle = MeasureOutput(song("mono.mp3"), balanced(0));
    EXPECT_NEAR(middle.left - middle.right, 0.0, 0.1);
    const ChannelLevels monoLeft = MeasureOutput(song("mono.mp3"), balanced(-1000));
    EXPECT_NEAR(monoLeft.left - monoLeft.right, 10.0, 0.5);
    EXPECT_NEAR(monoLeft.left, middle.left, 0.1);
    // Moved while playing, away from the middle and back to it.
    const ChannelLevels moved = MeasureOutput(song("tone.mp3"), balanced(0), balanced(1000));
    EXPECT_NEAR(moved.right - moved.left, 10.0, 0.5);
    const ChannelLevels centred = MeasureOutput(song("tone.mp3"), balanced(-1000), balanced(0));
    EXPECT_NEAR(centred.left - centred.right, 0.0, 0.1);
    EXPECT_NEAR(centred.left, moved.right, 0.1);
}
