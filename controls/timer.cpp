#include "controls/timer.h"

#include "base/common.h"

Timer::Timer(int intervalMilliseconds, QObject* parent)
    : QObject(parent), interval_(intervalMilliseconds) {
    timer_.setInterval(MP3Mod::ScaledInterval(intervalMilliseconds));
    connect(&timer_, &QTimer::timeout, this, &Timer::OnTimeout);
    timer_.start();
}

void Timer::SetEnabled(bool enabled) {
    if (!enabled)
        timer_.stop();
    else if (!timer_.isActive())
        timer_.start();
}

void Timer::OnTimeout() {
    if (ticking_)
        return;
    ticking_ = true;
    emit Tick();
    ticking_ = false;
}
