#pragma once
// The commands that the desktop's media controls and the media keys give, run
// by the same handlers as the windows' own controls, and what the desktop
// reads of the program. So the windows always agree with the desktop.

#include <deque>
#include <functional>

#include <QObject>
#include <QStringList>
#include <QTimer>

#include "base/mediaplayer.h"

class ControlPanel;
class SoundEffects;
class Form1;
class Form2;
class SongChoice;
class Transport;

class MediaCommands : public QObject {
    Q_OBJECT
public:
    struct Handlers {
        SongChoice& choice;
        Transport& transport;
        ControlPanel& panel;
        SoundEffects& effects;
        std::function<void()> raise; // shows the three windows
        // Appends songs to the playlist window and plays the first.
        std::function<void(const QStringList&)> openSongs;
        std::function<void()> quit; // ends the program as the exit confirmation's Yes
    };

    MediaCommands(Form1& form1, Form2& form2, MediaPlayer& media, Handlers handlers);

    // What a queued command sets: of several queued sets of one kind, only
    // the latest runs.
    enum class Sets { Nothing, Position, Volume, Rate };
    // Runs a desktop command from the event loop, after those queued before
    // it, and never inside another: not while one runs, nor while a handler
    // waits (events run inside its wait) or a dialog is open.
    void Post(std::function<void()> command, Sets sets = Sets::Nothing);

    // With nothing loaded, plays the selected row of the song list (the first
    // when none is). A song stopped or paused by a window's command resumes
    // as that command's second click does, so that its mark and caption
    // follow; a song stopped otherwise plays again.
    void Play();
    // Pauses a playing song as the pause glyph does.
    void Pause();
    void PlayPause();
    // The stop glyph.
    void Stop();
    // The song list's Next and Previous, where they would act.
    void Next();
    void Previous();
    // Moves the seek slider to the second, as the user's move does.
    void SetPosition(double seconds);
    // Moves the volume slider to the share of its range (0 to 1). At 0 the
    // song is muted as the Mute item does; above 0 it is heard again.
    void SetVolume(double volume);
    // Opens the songs given by file:// URIs, as songs given on the command
    // line: all are appended in order, and the first plays. Anything else is
    // passed over.
    void OpenUris(const QStringList& uris);
    // Moves the rate slider to the rate nearest to the one asked for.
    void SetRate(double rate);
    void Raise();
    void Quit();

    const MediaPlayer& Media() const { return media_; }
    MediaPlayer::PlayState Status() const { return media_.State(); }
    bool Loaded() const { return !media_.CurrentFile().isEmpty(); }
    bool HasSongs() const;
    bool CanPlay() const { return HasSongs() || Loaded(); }
    bool CanSeek() const { return media_.Duration() > 0; }
    bool CanGoNext() const;
    bool CanGoPrevious() const;
    double Volume() const;
    double Rate() const;
    double MinimumRate() const;
    double MaximumRate() const;

signals:
    // What the desktop shows may have changed: after each command, and once
    // a second with the control panel's time labels.
    void Changed();

private:
    double RateEffect() const;
    void RunQueued();

    struct Queued {
        Sets sets;
        std::function<void()> command;
    };
    std::deque<Queued> queued_;
    bool running_ = false;
    QTimer nextQueued_;

    Form1& form1_;
    Form2& form2_;
    MediaPlayer& media_;
    Handlers handlers_;
};
