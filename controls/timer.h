#pragma once
// A window timer: ticks at its interval while enabled, on the program's clock.

#include <QObject>
#include <QTimer>

class Timer : public QObject {
    Q_OBJECT
public:
    // Timers are created enabled, as every timer of the windows is.
    Timer(int intervalMilliseconds, QObject* parent);

    bool Enabled() const { return enabled_; }
    // Enabling an enabled timer keeps its running count.
    void SetEnabled(bool enabled);
    int Interval() const { return interval_; }

signals:
    // Never emitted again while a handler of the previous tick still runs
    // (a handler may wait and so process events).
    void Tick();

protected:
    // A handler connected: the clock may start. (Disconnects are not watched:
    // Qt reports them under a lock that asking about receivers would take again.)
    void connectNotify(const QMetaMethod& signal) override;

private:
    void OnTimeout();
    void Run();

    QTimer timer_;
    bool enabled_ = true;
    int interval_;
    bool ticking_ = false;
};
