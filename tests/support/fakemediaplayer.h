#pragma once
// An in-memory media player: tests set its position and length and read what
// the program asked of it.

#include <functional>
#include <vector>

#include <QStringList>

#include "base/mediaplayer.h"

class FakeMediaPlayer : public MediaPlayer {
public:
    QStringList opened; // every path given to OpenFile, in turn
    QString currentFile;
    double position = 0;
    double duration = 0;
    double rate = 1.0;
    bool muted = false;
    int volume = 0;
    int balance = 0;
    PlayState state = PlayState::Stopped;
    SongTags tags;            // what the song's own tags say
    bool silent = false;      // no sound output could be opened
    std::vector<int> volumes; // every volume set, in turn
    // Called on every volume set, after it is recorded.
    std::function<void(int)> onVolume;
    // After OpenFile, this many calls of StillOpening say the file is still
    // opening; Position reads OpeningPosition until then.
    int openingReads = 0;

    void OpenFile(const QString& path) override {
        opened.append(path);
        currentFile = path;
        position = 0;
        state = PlayState::Playing;
        openingLeft = openingReads;
    }
    void Play() override { state = PlayState::Playing; }
    void Pause() override { state = PlayState::Paused; }
    void Stop() override {
        state = PlayState::Stopped;
        position = 0;
    }
    QString CurrentFile() const override { return currentFile; }
    SongTags Tags() const override { return tags; }
    bool Silent() const override { return silent; }
    QString LastFailure() const override { return {}; }
    PlayState State() const override { return state; }
    bool StillOpening() const override {
        if (openingLeft == 0)
            return false;
        --openingLeft;
        return true;
    }
    double Position() const override { return openingLeft > 0 ? OpeningPosition : position; }
    void Position(double seconds) override { position = seconds; }
    double Duration() const override { return duration; }
    void Rate(double value) override { rate = value; }
    bool Mute() const override { return muted; }
    void Mute(bool value) override { muted = value; }
    void Volume(int value) override {
        volume = value;
        volumes.push_back(value);
        if (onVolume)
            onVolume(value);
    }
    void Balance(int value) override { balance = value; }

private:
    mutable int openingLeft = 0;
};
