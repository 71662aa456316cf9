#pragma once
// The media player on GStreamer's playbin. The windows' thread keeps what the
// player reports; the pipeline changes state on a thread of its own, and what
// happens there comes back as events, in queued calls. So no call here ever
// waits for a file to load or for the sound server to answer. Everything here
// runs on the windows' thread.

#include <memory>

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "base/mediaplayer.h"
#include "player/playerpipeline.h"

class GstMediaPlayer : public QObject, public MediaPlayer {
    Q_OBJECT
public:
    // How the sound stream presents itself to the sound server, so that the
    // desktop's sound settings show the program by name and icon.
    struct StreamIdentity {
        QString applicationName;
        QString iconName;
    };
    // How long the desktop's sound output may take to open a song before the
    // song plays silently instead.
    static constexpr int OutputLimitMilliseconds = 5'000;

    // Plays to the desktop's sound system: its audio sink, or, where no audio
    // output can be opened, a silent sink at real speed (said once on
    // standard error). GStreamer starts and the output opens on the
    // pipeline's thread when the first song starts, not while the windows
    // are built: on two cores they would slow each other down.
    // A song whose output does not open in time plays silently, and the next
    // song tries the desktop's output afresh, unless the output that did not
    // open is still stuck: then it plays silently at once.
    explicit GstMediaPlayer(const StreamIdentity& identity);
    // Plays into the given sink element, which the player takes over.
    explicit GstMediaPlayer(GstElement* sink, const StreamIdentity& identity = {});
    ~GstMediaPlayer() override;

    void OpenFile(const QString& path) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    QString CurrentFile() const override { return currentFile_; }
    bool StillOpening() const override { return song_ == Song::Opening; }
    PlayState State() const override;
    double Position() const override;
    void Position(double seconds) override;
    double Duration() const override;
    void Rate(double rate) override;
    bool Mute() const override;
    void Mute(bool mute) override;
    void Volume(int hundredthsOfDecibel) override;
    void Balance(int balance) override;
    SongTags Tags() const override { return tags_; }
    bool Silent() const override;
    QString LastFailure() const override { return lastFailure_; }

private:
    // Where the current song is. Playing, Paused and Stopped are what the
    // user last asked for; Ended holds from the song's end until it is moved
    // or played again.
    enum class Song { Empty, Opening, Playing, Paused, Stopped, Ended, Failed };

    PlayerPipeline::Listener Listener();
    // Gives up a song that does not open in time, or whose output does not.
    void WatchLimits();
    void Replace(std::shared_ptr<PlayerPipeline> pipeline);
    // A pipeline for the next song: the desktop's output, or silence while an
    // earlier desktop output is still stuck opening.
    std::shared_ptr<PlayerPipeline> NextPipeline();
    // A new start of the current song: what is known of the last one goes.
    void NewGeneration();
    // Starts the current file on the pipeline.
    void StartOpening();
    // Starts the first song now if it still waits for the event loop.
    void StartPendingOpening();
    // Gives up the desktop's output for this song if it holds the song up.
    void CheckOutput();
    void HandleEvent(const PlayerPipeline::Event& event);
    void HandleMessage(GstMessage* message);
    void ReportError(GstMessage* message);
    void TakeTags(GstMessage* message);
    void QueryDuration();
    void Seek(double seconds);
    void Fail(const QString& reason);
    bool Loaded() const { return song_ != Song::Empty && song_ != Song::Failed; }
    bool Ready() const { return Loaded() && song_ != Song::Opening; }
    // Sets what the song is to do: at once, or once it has opened.
    void Settle(Song state);

    PlayerPipeline::Identity identity_;
    // Kept here, so that they carry over to the next pipeline.
    PlayerPipeline::Settings settings_;
    std::shared_ptr<PlayerPipeline> pipeline_;
    // The last pipeline given up while its desktop output was opening, until
    // it has ended.
    std::weak_ptr<PlayerPipeline> stuck_;
    bool opened_ = false;  // a song was started on a pipeline
    bool pending_ = false; // the first song waits for the event loop to turn
    QString currentFile_;
    Song song_ = Song::Empty;
    // What an opening song becomes once it is ready: Playing, Paused or Stopped.
    Song opensInto_ = Song::Playing;
    double duration_ = 0;
    SongTags tags_;
    QString lastFailure_;
    // The position last read from the pipeline, and when.
    mutable double position_ = 0;
    mutable QElapsedTimer positionRead_;
    double rate_ = 1.0;
    // The limits of the song opening now.
    QTimer openingLimit_;
    QTimer outputLimit_;
    // Counts the starts of a song on a pipeline; events of an earlier start
    // are dropped. What the events told of this start:
    quint64 generation_ = 0;
    QElapsedTimer openRunning_; // since its open began to run
    bool started_ = false;      // the state change that opens it returned
    bool soundReached_ = false; // its sound reached the output
};
