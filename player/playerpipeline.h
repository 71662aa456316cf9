#pragma once
// One playbin with its output, and the one thread that changes its state.
// Every command runs on that thread, in the order given: a state change can
// wait on the sound server (connecting, corking a stream), and a server that
// answers late or never then holds up that thread, never the windows. A
// pipeline whose thread is stuck is retired and replaced; it ends itself if
// its thread ever comes free.

#include <atomic>
#include <functional>
#include <future>
#include <mutex>

#include <QByteArray>

typedef struct _GstElement GstElement;
typedef struct _GstMessage GstMessage;
typedef struct _GstObject GstObject;
typedef struct _GstPad GstPad;
typedef struct _GThreadPool GThreadPool;

class PlayerPipeline {
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
    // Called on GStreamer's threads with each message that changes what the
    // player reports, and the generation of the file that it belongs to.
    using Listener = std::function<void(GstMessage*, quint64 generation)>;

    // The sink is taken from the future on the pipeline's thread when the
    // pipeline is first needed. A sink named DesktopSinkName is the desktop's
    // output, one named SilentSinkName the fallback; any other one is given.
    PlayerPipeline(std::future<GstElement*> sink, const Identity& identity,
                   const Settings& settings, Listener listener);
    // A pipeline that opens the desktop's output afresh, or a silent one.
    static PlayerPipeline* ToDesktop(const Identity& identity, const Settings& settings,
                                     Listener listener, bool sayIfSilent);
    static PlayerPipeline* ToSilence(const Identity& identity, const Settings& settings,
                                     Listener listener);

    static constexpr const char* DesktopSinkName = "desktop-output";
    static constexpr const char* SilentSinkName = "silent-output";
    static void SaySilent();
    // A sink that plays at real speed into silence. Unnamed, a player takes it
    // as a given sink; named SilentSinkName, as the fallback.
    static GstElement* SilentSink(const char* name = nullptr);

    // Stops the listener at once and ends the pipeline once its thread is
    // free; waits up to the given milliseconds for that. The object is gone
    // afterwards.
    void Retire(int waitMilliseconds = 0);

    // Commands, carried out in order on the pipeline's thread, but for
    // Apply, which sets what it can at once.
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
    // Whether the state change that opens the file of this generation has
    // returned: the sound output is open.
    bool Started(quint64 generation) const { return started_.load() >= generation; }
    // Whether sound of the file of this generation has reached the output.
    bool SoundReached(quint64 generation) const { return reached_.load() >= generation; }

    // Read on the caller's thread, once the file has opened.
    double Position() const;
    double Duration() const;
    bool IsInOutput(GstObject* object) const;

private:
    // Opens the desktop's audio sink, or where none opens a silent one (said
    // once on standard error when sayIfSilent). Blocks while the server
    // answers: it runs on the pipeline's thread.
    static GstElement* DesktopSink(bool sayIfSilent);
    ~PlayerPipeline();
    void Post(std::function<void()> command);
    void Build();
    void OpenNow(const QByteArray& fileName, quint64 generation, bool paused);
    void WatchSoundReaching(quint64 generation);
    void SeekNow(double rate, double seconds);
    void SetSettings(const Settings& settings);
    void Deliver(GstMessage* message);

    GThreadPool* thread_;
    bool building_ = false; // the build was posted
    std::mutex settingsLock_;
    bool built_ = false; // guarded by settingsLock_
    std::future<GstElement*> sinkSource_;
    Identity identity_;
    Settings settings_; // guarded by settingsLock_
    std::atomic<Output> output_{Output::Desktop};
    GstElement* playbin_ = nullptr;
    GstElement* panorama_ = nullptr;
    GstElement* outputBin_ = nullptr; // owned by playbin_
    GstPad* input_ = nullptr;         // the output bin's input
    std::atomic<quint64> generation_{0};
    std::atomic<quint64> started_{0};
    std::atomic<quint64> reached_{0};
    std::mutex listenerLock_;
    Listener listener_;

    friend struct BusBridge;
    friend struct OutputSetup;
};
