#include <cmath>
#include <limits>

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include "base/common.h"
#include "tests/support/fakemediaplayer.h"
#include "tests/support/printers.h"

using namespace MP3Mod;

TEST(TimeTexts, RoundHalvesToEvenAndPadSeconds) {
    const std::pair<double, const char*> cases[] = {
        {0, "0:00"},
        {65, "1:05"},
        {600, "10:00"},
        {619.4, "10:19"},
        {3725, "62:05"},
        {59.5, "1:00"},
        {58.5, "0:58"},
        {0.5, "0:00"},
        {1.5, "0:02"},
        {119.6, "2:00"},
        {-1, "0:00"},
        {-2.5, "0:00"},
        {1e20, "16666666666:40"},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(TimeText(seconds), text) << seconds;
    EXPECT_EQ(TimeText(std::numeric_limits<double>::quiet_NaN()), "0:00");
}

TEST(TimeTexts, ReadTheMediaPlayer) {
    FakeMediaPlayer media;
    media.duration = 185.2;
    media.position = 62.5;
    EXPECT_EQ(DurationText(media), "3:05");
    EXPECT_EQ(PositionText(media), "1:02");
    media.position = 185.4; // the song-ended test compares the two texts
    EXPECT_EQ(PositionText(media), DurationText(media));
    EXPECT_TRUE(SongEnded(media));
    media.duration = 0;
    media.openingReads = 1;
    media.OpenFile("/next.mp3"); // still opening: 0:00 of 0:00, yet not ended
    EXPECT_FALSE(SongEnded(media));
    EXPECT_TRUE(SongEnded(media)); // opened, and nothing to play
}

TEST(RandomIndex, RoundsTheDrawHalvesToEven) {
    EXPECT_EQ(RandomIndexFor(0.25f, 2, true), 0);  // 0.5
    EXPECT_EQ(RandomIndexFor(0.75f, 2, true), 2);  // 1.5
    EXPECT_EQ(RandomIndexFor(0.625f, 4, true), 2); // 2.5
    EXPECT_EQ(RandomIndexFor(0.874f, 4, true), 3);
    EXPECT_EQ(RandomIndexFor(0.99f, 10, true), 10);
    EXPECT_EQ(RandomIndexFor(0.0f, 10, true), 0);
    EXPECT_EQ(RandomIndexFor(0.0f, 10, false), 1);
    EXPECT_EQ(RandomIndexFor(0.05f, 10, false), 1);
}

TEST(RandomIndex, EdgesOfTheUpperBound) {
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(RandomIndex(0, true), 0);
        EXPECT_EQ(RandomIndex(0, false), 1);
        const int empty = RandomIndex(-1, true);
        EXPECT_TRUE(empty == 0 || empty == -1);
    }
}

TEST(RandomIndex, StaysInRangeAndSpreadsOverIt) {
    int counts[2] = {0, 0};
    for (int i = 0; i < 4000; ++i)
        ++counts[RandomIndex(1, true)];
    EXPECT_GT(counts[0], 1500);
    EXPECT_GT(counts[1], 1500);

    int ends[11] = {};
    for (int i = 0; i < 11000; ++i) {
        const int v = RandomIndex(10, false);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 10);
        ++ends[v];
    }
    // Without zero, 1 also takes the draws that round to 0: 1.5 times an inner value.
    EXPECT_GT(ends[1], ends[5]);
}

TEST(TextSearch, RemoveBlanksKeepsOtherWhiteSpace) {
    EXPECT_EQ(RemoveBlanks(" a b "), "ab");
    EXPECT_EQ(RemoveBlanks("   "), "");
    EXPECT_EQ(RemoveBlanks("a\tb"), "a\tb");
}

TEST(TextSearch, MatchesIgnoreBlanksAndCaseOnBothSides) {
    EXPECT_TRUE(TextMatches("The BestOf Collection", "Best Of"));
    EXPECT_TRUE(TextMatches("Big Band - Night", "Big B"));
    EXPECT_TRUE(TextMatches("bigband_night", "Big B"));
    EXPECT_FALSE(TextMatches("Korn", "Big B"));
    EXPECT_TRUE(TextMatches("anything", "   "));
    EXPECT_FALSE(TextMatches("", "x"));
}

namespace {
double RealSeconds(double programSeconds) {
    return programSeconds / ClockFactor();
}
} // namespace

TEST(WaitSeconds, LastsAtLeastTheTimeAndRunsATimerThatFallsDue) {
    bool ticked = false;
    QTimer::singleShot(int(RealSeconds(0.1) * 1000), [&ticked] { ticked = true; });
    QElapsedTimer clock;
    clock.start();
    WaitSeconds(0.22);
    EXPECT_GE(clock.nsecsElapsed(), qint64(RealSeconds(0.22) * 1e9));
    EXPECT_TRUE(ticked);
}

TEST(WaitSeconds, NestedWaitsEachLastTheirOwnTime) {
    QElapsedTimer inner;
    qint64 innerTook = 0;
    QTimer::singleShot(0, [&] {
        inner.start();
        WaitSeconds(0.5);
        innerTook = inner.nsecsElapsed();
    });
    QElapsedTimer outer;
    outer.start();
    WaitSeconds(0.1);
    EXPECT_GE(outer.nsecsElapsed(), qint64(RealSeconds(0.5) * 1e9)); // held by the inner one
    EXPECT_GE(innerTook, qint64(RealSeconds(0.5) * 1e9));
}

TEST(WaitSeconds, ZeroOrLessReturnsWithoutHandlingEvents) {
    bool ran = false;
    QTimer::singleShot(0, [&ran] { ran = true; });
    WaitSeconds(0);
    WaitSeconds(-3);
    EXPECT_FALSE(ran);
    WaitSeconds(0.01);
    EXPECT_TRUE(ran);
}

TEST(LeadingNumber, ReadsTheNumberThatBeginsTheText) {
    EXPECT_EQ(LeadingNumber(" 2.5 times"), 2.5);
    EXPECT_EQ(LeadingNumber("-1e2x"), -100);
    EXPECT_EQ(LeadingNumber("x5"), 0);
    // What follows the number may be anything, a lone surrogate too.
    EXPECT_EQ(LeadingNumber(QString("5") + QChar(0xD800)), 5);
    EXPECT_EQ(LeadingNumber(QString(".5") + QChar(0xDCE9) + "9"), 0.5);
}

// The volume slider's 0 to 100 as the player's hundredths of a decibel.
TEST(SliderToPlayer, SpansTwentyFiveDecibelsBelowFull) {
    EXPECT_EQ(SliderToPlayer(100), 0);
    EXPECT_EQ(SliderToPlayer(75), -625);
    EXPECT_EQ(SliderToPlayer(1), -2475);
    EXPECT_EQ(SliderToPlayer(0), -2500);
}
