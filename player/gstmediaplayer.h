#pragma once
// The media player on GStreamer's playbin. Bus messages are handed from
// GStreamer's threads to the user-interface thread as queued calls, so no
// call here ever waits for a file to load.

#include <atomic>
#include <future>
#include <memory>

#include <QElapsedTimer>
#include <QObject>

#include "base/mediaplayer.h"

typedef struct _GstElement GstElement;
typedef struct _GstMessage GstMessage;

class GstMediaPlayer : public QObject, public MediaPlayer {
    Q_OBJECT
public:
    // How the sound stream presents itself to the sound server, so that the
    // desktop's sound settings show the program by name and icon.
    struct StreamIdentity {
        QString applicationName;
        QString iconName;
    };

    // Starts GStreamer and opens the desktop's sound output on a thread of
    // its own, so that the windows can be built meanwhile: the desktop's
    // audio sink, or, where no audio output can be opened, a silent sink at
    // real speed (said once on standard error).
    static std::future<GstElement*> OpenDesktopSink();

    // Plays to the desktop's sound system (as OpenDesktopSink opens it).
    explicit GstMediaPlayer(const StreamIdentity& identity);
    // Plays into the sink once it is opened; the first call that needs the
    // player waits for it.
    GstMediaPlayer(std::future<GstElement*> sink, const StreamIdentity& identity);
    // Plays into the given sink element, which the player takes over.
    explicit GstMediaPlayer(GstElement* sink, const StreamIdentity& identity = {});
    ~GstMediaPlayer() override;

    void OpenFile(const QString& path) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    QString CurrentFile() const override { return currentFile_; }
    bool StillOpening() const override { return load_ == Load::Opening; }
    PlayState State() const override;
    double Position() const override;
    void Position(double seconds) override;
    double Duration() const override;
    void Rate(double rate) override;
    bool Mute() const override;
    void Mute(bool mute) override;
    void Volume(int hundredthsOfDecibel) override;
    void Balance(int balance) override;

private:
    enum class Load { Empty, Opening, Ready, Failed };

    // The pipeline, built at the first call that needs it.
    GstElement* Playbin() const;
    void Build(GstElement* sink) const;
    // Loads the current file and starts it playing.
    void StartOpening();
    // Starts the first song now if it still waits for the event loop.
    void StartPendingOpening();
    void HandleMessage(GstMessage* message, quint64 generation);
    void ReportError(GstMessage* message);
    void Seek(double seconds);
    void QueryDuration();
    void Fail(const QString& reason);

    StreamIdentity identity_;
    mutable std::future<GstElement*> pendingSink_;
    mutable GstElement* playbin_ = nullptr;
    mutable GstElement* panorama_ = nullptr;
    mutable GstElement* output_ = nullptr; // the output bin, owned by playbin_
    QString currentFile_;
    Load load_ = Load::Empty;
    bool ended_ = false;
    bool paused_ = false;
    bool stopped_ = false;
    double duration_ = 0;
    // The position last read from the pipeline, and when.
    mutable double position_ = 0;
    mutable QElapsedTimer positionRead_;
    double rate_ = 1.0;
    // Kept here, so that they can be set before the pipeline is built.
    double gain_ = 1.0;
    bool mute_ = false;
    float pan_ = 0;
    // Counts the files opened; messages of an earlier file are dropped.
    std::atomic<quint64> generation_{0};

    friend struct BusBridge;
    friend struct OutputSetup;
};
