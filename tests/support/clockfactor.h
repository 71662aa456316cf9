#pragma once
// Runs the program's clock at another speed for as long as the guard lives.

#include "base/common.h"

class ScopedClockFactor {
public:
    explicit ScopedClockFactor(double factor) : previous_(MP3Mod::ClockFactor()) {
        MP3Mod::SetClockFactor(factor);
    }
    ~ScopedClockFactor() { MP3Mod::SetClockFactor(previous_); }
    ScopedClockFactor(const ScopedClockFactor&) = delete;
    ScopedClockFactor& operator=(const ScopedClockFactor&) = delete;

private:
    double previous_;
};

// Tests run the clock 50 times faster than real time.
inline constexpr double TestClockFactor = 50;
