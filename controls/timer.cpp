#include "controls/timer.h"

#include <QMetaMethod>

#include "base/common.h"

Timer::Timer(int intervalMilliseconds, QObject* parent)
    : QObject(parent), interval_(intervalMilliseconds) {
    timer_.setInterval(MP3Mod::ScaledInterval(intervalMilliseconds));
    connect(&timer_, &QTimer::timeout, this, &Timer::OnTimeout);
}

void Timer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Run();
}

// The clock runs only while the timer is enabled and a handler listens: a
// timer that nobody handles never wakes the program.
void Timer::Run() {
    const bool heard = isSignalConnected(QMetaMethod::fromSignal(&Timer::Tick));
    if (!enabled_ || !heard)
        timer_.stop();
    else if (!timer_.isActive())
        timer_.start();
}

void Timer::connectNotify(const QMetaMethod&) {
    Run();
}

void Timer::OnTimeout() {
    if (ticking_)
        return;
    ticking_ = true;
    emit Tick();
    ticking_ = false;
}
