#pragma once
// An in-memory media player: tests set its position and length and read what
// the program asked of it.

#include "playback/mediaplayer.h"

#include <QStringList>

class FakeMediaPlayer : public MediaPlayer {
  public:
    enum class State { Stopped, Playing, Paused };

    QStringList opened; // every path given to OpenFile, in turn
    QString currentFile;
    double position = 0;
    double duration = 0;
    double rate = 1.0;
    bool muted = false;
    int volume = 0;
    int balance = 0;
    State state = State::Stopped;

    void OpenFile(const QString& path) override {
        opened.append(path);
        currentFile = path;
        position = 0;
        state = State::Playing;
    }
    void Play() override { state = State::Playing; }
    void Pause() override { state = State::Paused; }
    void Stop() override {
        state = State::Stopped;
        position = 0;
    }
    QString CurrentFile() const override { return currentFile; }
    double Position() const override { return position; }
    void Position(double seconds) override { position = seconds; }
    double Duration() const override { return duration; }
    void Rate(double value) override { rate = value; }
    bool Mute() const override { return muted; }
    void Mute(bool value) override { muted = value; }
    void Volume(int value) override { volume = value; }
    void Balance(int value) override { balance = value; }
};
