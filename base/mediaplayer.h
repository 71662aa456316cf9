#pragma once
// The media player all sound goes through. The program holds one instance;
// tests replace it with an in-memory player.

#include <QByteArray>
#include <QString>

class MediaPlayer {
public:
    // What Position reads while a file is still opening: below -1, so that
    // every wait on the position goes on until the file is ready or failed.
    static constexpr double OpeningPosition = -2;

    enum class PlayState { Stopped, Playing, Paused };

    // What a song's own tags say (ID3v2 and the like), as the player finds
    // them while it plays: for the desktop's media controls only.
    struct SongTags {
        QString title;
        QString artist;
        QString album;
        int track = 0;      // the track number ("4/5" is 4), 0 when none
        QByteArray picture; // an embedded cover picture, as stored
        bool operator==(const SongTags&) const = default;
    };

    virtual ~MediaPlayer() = default;

    // Loads the song file at path and starts playing it at once.
    virtual void OpenFile(const QString& path) = 0;
    // Resumes a paused or stopped song.
    virtual void Play() = 0;
    // Halts playing, keeping the position.
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    // The path last given to OpenFile, exactly as given.
    virtual QString CurrentFile() const = 0;
    // From OpenFile until the file is ready to play or has failed to open.
    virtual bool StillOpening() const = 0;
    // Playing from OpenFile (while opening too) and Play on; Paused by Pause;
    // Stopped with nothing loaded, after Stop, at the song's end and after a failure.
    virtual PlayState State() const = 0;
    // The play position in seconds: OpeningPosition while still opening; -1
    // or more once the file is ready or has failed to open; 0 with nothing loaded.
    virtual double Position() const = 0;
    // Moves playing to the given second.
    virtual void Position(double seconds) = 0;
    // The length of the loaded song in seconds; 0 with nothing loaded.
    virtual double Duration() const = 0;
    // Playing speed, 1.0 normal.
    virtual void Rate(double rate) = 0;
    // Sound off while true; other settings are kept.
    virtual bool Mute() const = 0;
    virtual void Mute(bool mute) = 0;
    // Loudness in hundredths of a decibel: 0 full, -2500 the quietest used.
    virtual void Volume(int hundredthsOfDecibel) = 0;
    // -2500 (left) to +2500 (right), 0 centred.
    virtual void Balance(int balance) = 0;
    // The tags found so far in the song loaded now.
    virtual SongTags Tags() const = 0;
    // Whether the song plays silently because no sound output could be opened.
    virtual bool Silent() const = 0;
    // Why the last song that failed could not be played; empty before any
    // failure.
    virtual QString LastFailure() const = 0;
};
