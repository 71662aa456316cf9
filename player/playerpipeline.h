#pragma once
// One playbin with its output, and the one thread that changes its state.
// Every command runs on that thread, in the order given: a state change can
// wait on the sound server (connecting, corking a stream), and a server that
// answers late or never then holds up that thread, never the windows. A
// pipeline whose thread is stuck is retired and replaced: it runs none of its
// queued commands after that, and ends on its own thread once that thread
// comes free. Its queued commands and its owner share it.
//
// Who may touch what:
// | Windows' thread (the owner)     | Pipeline's thread          | Streaming threads   |
// |---------------------------------|----------------------------|---------------------|
// | posts commands; Retire          | runs the commands, Build   | bus messages, the   |
// | Apply: settings_                | Build: settings_           | sound's first       |
// | reads output_, busySince_       | writes output_, busySince_ | buffer: events      |
// | Position, Duration, IsInOutput: | writes the elements once,  |                     |
// | the elements, once built_ reads | in Build, before built_    |                     |
// | true                            |                            |                     |
// | sets requested_ (Open)          | reads it; sets playing_    | read playing_       |
//
// Locks: settings_ guards the settings and whether they can be set on the
// elements yet; listener_ guards the listener, so that no event is handed
// on once Retire has returned. The rest is atomic, or written before built_.

#include <atomic>
#include <functional>
#include <memory>

#include <QByteArray>

#include "player/guarded.h"

typedef struct _GstElement GstElement;
typedef struct _GstMessage GstMessage;
typedef struct _GstObject GstObject;
typedef struct _GstPad GstPad;
typedef struct _GThreadPool GThreadPool;

class PlayerPipeline : public std::enable_shared_from_this<PlayerPipeline> {
public:
    // Where the sound goes.
    enum class Output {
        Given,   // a sink the caller chose
        Desktop, // the desktop's sound output, or not yet known
        Silent,  // a silent sink at real speed: no sound output could be opened
    };
    // How the sound stream presents itself to the sound server.
    struct Identity {
        QByteArray applicationName;
        QByteArray iconName;
    };
    // What the player sets on the pipeline; kept while the pipeline changes.
    struct Settings {
        double gain = 1.0;
        bool mute = false;
        float pan = 0;
    };
    // A fact from the pipeline's threads, about the file of one generation.
    struct Event {
        enum class Kind {
            Opening,      // its open began to run on the pipeline's thread
            Started,      // the state change that opens it returned
            SoundReached, // its first sound reached the output
            Message,      // a bus message that changes what the player reports
        };
        Kind kind;
        quint64 generation;
        std::shared_ptr<GstMessage> message; // with Message
    };
    // Called on the pipeline's threads; must only hand the event on.
    using Listener = std::function<void(Event)>;

    // A pipeline into the desktop's output, opened afresh on the pipeline's
    // thread when first needed; where none opens, into silence (said once on
    // standard error when sayIfSilent).
    static std::shared_ptr<PlayerPipeline> ToDesktop(const Identity& identity,
                                                     const Settings& settings, Listener listener,
                                                     bool sayIfSilent);
    static std::shared_ptr<PlayerPipeline> ToSilence(const Identity& identity,
                                                     const Settings& settings, Listener listener);
    // Into the given sink element, which the pipeline takes over.
    static std::shared_ptr<PlayerPipeline> ToSink(GstElement* sink, const Identity& identity,
                                                  const Settings& settings, Listener listener);
    ~PlayerPipeline();

    static void SaySilent();
    // A sink that plays at real speed into silence.
    static GstElement* SilentSink();

    // Stops the events at once; the pipeline runs none of its queued commands
    // and ends on its own thread once that thread is free. Waits up to the
    // given milliseconds for that end.
    static void Retire(std::shared_ptr<PlayerPipeline> pipeline, int waitMilliseconds = 0);

    // Commands, carried out in order on the pipeline's thread, but for
    // Apply, which sets what it can at once. An open that a later open has
    // replaced before it ran is skipped.
    void Open(const QByteArray& fileName, quint64 generation, bool paused);
    void Play();
    void Pause();
    // Pauses and goes back to the start, keeping the rate.
    void Stop(double rate);
    void Seek(double rate, double seconds);
    // Closes the file, if one was opened.
    void Close();
    void Apply(const Settings& settings);

    Output output() const { return output_.load(); }
    // How long the command running on the pipeline's thread has run: 0 when
    // none runs.
    qint64 BusyMilliseconds() const;

    // Nothing until the pipeline is built.
    double Position() const;
    double Duration() const;
    bool IsInOutput(GstObject* object) const;

private:
    struct Sink {
        GstElement* element = nullptr; // made on the pipeline's thread where null
        Output kind = Output::Desktop;
    };
    struct Setup {
        Settings settings;
        bool built = false; // the settings can be set on the elements
    };

    PlayerPipeline(Sink sink, const Identity& identity, const Settings& settings, Listener listener,
                   bool sayIfSilent);
    static std::shared_ptr<PlayerPipeline> Create(Sink sink, const Identity& identity,
                                                  const Settings& settings, Listener listener,
                                                  bool sayIfSilent = false);
    // Opens the desktop's audio sink, or where none opens a silent one. Blocks
    // while the server answers: it runs on the pipeline's thread.
    static Sink DesktopSink(bool sayIfSilent);
    void Post(std::function<void(PlayerPipeline&)> command);
    void Push(std::function<void(PlayerPipeline&)> command);
    void Build();
    void OpenNow(const QByteArray& fileName, quint64 generation, bool paused);
    void WatchSoundReaching(quint64 generation);
    void SeekNow(double rate, double seconds);
    void SetSettings(const Settings& settings);
    void Tell(Event event);

    GThreadPool* thread_;
    bool building_ = false; // the build was posted
    Sink sink_;
    const bool sayIfSilent_;
    Identity identity_;
    Guarded<Setup> setup_;
    Guarded<Listener> listener_;
    std::atomic<bool> retired_{false};
    std::atomic<Output> output_;
    std::atomic<qint64> busySince_{0};  // when the running command began; 0: none runs
    std::atomic<quint64> requested_{0}; // the generation of the latest open posted
    std::atomic<quint64> playing_{0};   // the generation of the file in the playbin
    std::atomic<bool> built_{false};
    GstElement* playbin_ = nullptr;
    GstElement* panorama_ = nullptr;
    GstElement* outputBin_ = nullptr; // owned by playbin_
    GstPad* input_ = nullptr;         // the output bin's input

    friend struct BusBridge;
    friend struct OutputSetup;
};
