#include <algorithm>

#include <gtest/gtest.h>

#include "base/common.h"
#include "controls/timer.h"

using MP3Mod::WaitSeconds;

TEST(TimerTicks, NeverReenterTheirHandler) {
    Timer timer(100, nullptr);
    int running = 0;
    int most = 0;
    int ticks = 0;
    QObject::connect(&timer, &Timer::Tick, [&] {
        ++ticks;
        most = std::max(most, ++running);
        WaitSeconds(0.35); // spans several intervals
        --running;
    });
    WaitSeconds(1.2);
    timer.SetEnabled(false);
    EXPECT_GE(ticks, 2);
    EXPECT_EQ(most, 1);
}

TEST(TimerTicks, StartEnabledAndStopWhenDisabled) {
    Timer timer(100, nullptr);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 100);
    int ticks = 0;
    QObject::connect(&timer, &Timer::Tick, [&ticks] { ++ticks; });
    timer.SetEnabled(false);
    WaitSeconds(0.5);
    EXPECT_EQ(ticks, 0);
    timer.SetEnabled(true);
    WaitSeconds(0.55);
    EXPECT_GE(ticks, 1);
}
