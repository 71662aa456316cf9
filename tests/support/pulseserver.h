#pragma once
// A PulseAudio server of the test's own, with a null sink, on a socket in a
// temporary folder; PULSE_SERVER names it while the guard lives. Paused, the
// server still takes connections but answers nothing, as a hung sound server
// does, until it is resumed.

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class PulseServer {
public:
    PulseServer();
    ~PulseServer();
    // Starts the server and waits until it answers; false when it cannot run.
    bool Start();
    void Stop();
    void Pause();
    void Resume();
    // What pactl prints for the arguments; empty when it fails.
    QString Run(const QStringList& arguments) const;
    // Whether a stream of the program plays to the server.
    bool HasStreamOf(const QString& program) const;

private:
    QString socket() const { return dir_.filePath("native"); }

    QTemporaryDir dir_;
    QProcess server_;
};
