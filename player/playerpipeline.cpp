#include "player/playerpipeline.h"

#include <cmath>
#include <future>
#include <utility>

#include <gst/base/gstbasesink.h>
#include <gst/base/gstbasetransform.h>
#include <gst/gst.h>
#include <pthread.h>

#include "base/say.h"

namespace {

// playbin flags: audio only, and volume in software where the sink has no
// volume of its own. A sink that has one (pulsesink: the stream's volume on
// the sound server) gets volume and mute instead, whatever the flags say, so
// a change is heard at once rather than after the sound already queued.
constexpr int PlayFlagAudio = 0x2;
constexpr int PlayFlagSoftVolume = 0x10;

void EnsureGstreamer() {
    if (!gst_is_initialized())
        gst_init(nullptr, nullptr);
}

bool HoldsFakeSink(GstElement* element) {
    if (!GST_IS_BIN(element))
        return false;
    bool fake = false;
    GstIterator* children = gst_bin_iterate_elements(GST_BIN(element));
    GValue item = G_VALUE_INIT;
    while (gst_iterator_next(children, &item) == GST_ITERATOR_OK) {
        GstElementFactory* factory =
            gst_element_get_factory(GST_ELEMENT(g_value_get_object(&item)));
        fake = fake || (factory && g_str_equal(GST_OBJECT_NAME(factory), "fakesink"));
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(children);
    return fake;
}

GstElement* Make(const char* factory) {
    GstElement* element = gst_element_factory_make(factory, nullptr);
    if (!element)
        qFatal("GStreamer element %s is missing; install gstreamer1.0-plugins-base and -good",
               factory);
    return element;
}

// At the centre the panorama gives a stereo song back unchanged; it then
// hands each buffer on instead of copying it. Decided on the streaming thread
// only, between buffers (the element reads the setting twice a buffer): when
// a song's format arrives, and before the first buffer after a balance change.
void PassStereoThroughAtCentre(GstElement* panorama) {
    gfloat pan = 0;
    g_object_get(panorama, "panorama", &pan, nullptr);
    int channels = 0;
    GstPad* pad = gst_element_get_static_pad(panorama, "sink");
    if (GstCaps* caps = gst_pad_get_current_caps(pad)) {
        gst_structure_get_int(gst_caps_get_structure(caps, 0), "channels", &channels);
        gst_caps_unref(caps);
    }
    gst_object_unref(pad);
    gst_base_transform_set_passthrough(GST_BASE_TRANSFORM(panorama), pan == 0 && channels == 2);
}

// Joins the decoder's buffers, one MP3 frame (26 ms) each, into buffers of
// 100 ms: the elements after it and the sink then wake a quarter as often,
// which saves about two thirds of the processor time while playing. Null
// where the element is missing (it comes with GStreamer's "bad" plugins):
// the frames then go on as they are.
GstElement* Joiner() {
    GstElement* joiner = gst_element_factory_make("audiobuffersplit", nullptr);
    if (joiner)
        gst_util_set_object_arg(G_OBJECT(joiner), "output-buffer-duration", "1/10");
    return joiner;
}

// [audiobuffersplit !] [audiopanorama !] sink, the panorama where one is
// asked for. playbin converts the sound to what the panorama takes (mono or
// stereo, and it always gives stereo) and the sink takes what the panorama
// gives, so no converter of its own stands between them: every element costs
// each buffer of the song.
GstElement* OutputBin(GstElement* sink, GstElement** panorama) {
    GstElement* bin = gst_bin_new("output");
    gst_bin_add(GST_BIN(bin), sink);
    GstElement* first = sink;
    if (panorama) {
        *panorama = Make("audiopanorama");
        g_object_set(*panorama, "method", 1, nullptr); // simple: only the other channel is lowered
        gst_bin_add(GST_BIN(bin), *panorama);
        gst_element_link(*panorama, sink);
        first = *panorama;
    }
    if (GstElement* joiner = Joiner()) {
        gst_bin_add(GST_BIN(bin), joiner);
        gst_element_link(joiner, first);
        first = joiner;
    }
    GstPad* pad = gst_element_get_static_pad(first, "sink");
    gst_element_add_pad(bin, gst_ghost_pad_new("sink", pad));
    gst_object_unref(pad);
    return bin;
}

bool ChangesWhatThePlayerReports(GstMessage* message) {
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ASYNC_DONE:
    case GST_MESSAGE_EOS:
    case GST_MESSAGE_ERROR:
    case GST_MESSAGE_DURATION_CHANGED:
    case GST_MESSAGE_TAG:
        return true;
    default:
        return false;
    }
}

// The pipeline's thread is named "pipeline" while it serves one, so that
// tools (top -H, a test) can tell it from GStreamer's streaming threads. GLib
// may keep the thread for other work once the pipeline has ended.
void NameThread(const char* name) {
    pthread_setname_np(pthread_self(), name);
}

void RunCommand(gpointer command, gpointer) {
    NameThread("pipeline");
    auto* run = static_cast<std::function<void()>*>(command);
    (*run)();
    delete run;
}

void PushTo(GThreadPool* thread, std::function<void()> command) {
    g_thread_pool_push(thread, new std::function<void()>(std::move(command)), nullptr);
}

qint64 NowMilliseconds() {
    return g_get_monotonic_time() / 1000;
}

} // namespace

// Hands the bus messages that matter to the listener, on GStreamer's threads,
// with the generation of the file in the playbin. A sync handler that drops a
// message owns it.
struct BusBridge {
    static GstBusSyncReply OnMessage(GstBus*, GstMessage* message, gpointer data) {
        auto* pipeline = static_cast<PlayerPipeline*>(data);
        std::shared_ptr<GstMessage> held(message, gst_message_unref);
        if (ChangesWhatThePlayerReports(message))
            pipeline->Tell(
                {PlayerPipeline::Event::Kind::Message, pipeline->playing_.load(), std::move(held)});
        return GST_BUS_DROP;
    }
};

// Sets up the element that talks to the sound server when playbin makes it
// (the desktop sink makes it anew each time it starts): the stream names the
// program, and its buffer is deeper than the sink's default of 200 ms. With
// more sound queued, the server and the player wake less often (about a third
// less processor time here). A change of balance, made in the pipeline, is
// heard that much later (about 0.2 s); volume and mute, made by the server,
// are not.
struct OutputSetup {
    static constexpr gint64 BufferMicroseconds = 300'000;

    static void OnElementAdded(GstBin*, GstBin*, GstElement* element, gpointer data) {
        GObjectClass* type = G_OBJECT_GET_CLASS(element);
        if (GST_IS_BASE_SINK(element) && g_object_class_find_property(type, "buffer-time"))
            g_object_set(element, "buffer-time", BufferMicroseconds, nullptr);
        const PlayerPipeline::Identity& identity = static_cast<PlayerPipeline*>(data)->identity_;
        if (identity.applicationName.isEmpty())
            return;
        const char* name = identity.applicationName.constData();
        if (g_object_class_find_property(type, "client-name"))
            g_object_set(element, "client-name", name, nullptr);
        if (g_object_class_find_property(type, "stream-properties")) {
            GstStructure* properties = gst_structure_new(
                "properties", "application.name", G_TYPE_STRING, name, "application.icon_name",
                G_TYPE_STRING, identity.iconName.constData(), "media.role", G_TYPE_STRING, "music",
                nullptr);
            g_object_set(element, "stream-properties", properties, nullptr);
            gst_structure_free(properties);
        }
    }
};

GstElement* PlayerPipeline::SilentSink() {
    EnsureGstreamer();
    GstElement* sink = gst_element_factory_make("fakesink", nullptr);
    g_object_set(sink, "sync", TRUE, nullptr);
    return sink;
}

void PlayerPipeline::SaySilent() {
    MP3Mod::Say(QStringLiteral("no audio output could be opened; playing silently."));
}

// autoaudiosink itself falls back to a fake sink, which is found among its
// children.
PlayerPipeline::Sink PlayerPipeline::DesktopSink(bool sayIfSilent) {
    EnsureGstreamer();
    GstElement* sink = gst_element_factory_make("autoaudiosink", nullptr);
    if (sink && gst_element_set_state(sink, GST_STATE_READY) != GST_STATE_CHANGE_FAILURE &&
        !HoldsFakeSink(sink)) {
        gst_element_set_state(sink, GST_STATE_NULL);
        return {sink, Output::Desktop};
    }
    if (sink) {
        gst_element_set_state(sink, GST_STATE_NULL);
        gst_object_unref(sink);
    }
    if (sayIfSilent)
        SaySilent();
    return {SilentSink(), Output::Silent};
}

PlayerPipeline::PlayerPipeline(Sink sink, const Identity& identity, const Settings& settings,
                               Listener listener, bool sayIfSilent)
    : thread_(g_thread_pool_new(&RunCommand, nullptr, 1, TRUE, nullptr)), sink_(sink),
      sayIfSilent_(sayIfSilent), identity_(identity), setup_(Setup{settings, false}),
      listener_(std::move(listener)), output_(sink.kind) {}

std::shared_ptr<PlayerPipeline> PlayerPipeline::Create(Sink sink, const Identity& identity,
                                                       const Settings& settings, Listener listener,
                                                       bool sayIfSilent) {
    return std::shared_ptr<PlayerPipeline>(
        new PlayerPipeline(sink, identity, settings, std::move(listener), sayIfSilent));
}

std::shared_ptr<PlayerPipeline> PlayerPipeline::ToDesktop(const Identity& identity,
                                                          const Settings& settings,
                                                          Listener listener, bool sayIfSilent) {
    return Create({nullptr, Output::Desktop}, identity, settings, std::move(listener), sayIfSilent);
}

std::shared_ptr<PlayerPipeline>
PlayerPipeline::ToSilence(const Identity& identity, const Settings& settings, Listener listener) {
    return Create({nullptr, Output::Silent}, identity, settings, std::move(listener));
}

std::shared_ptr<PlayerPipeline> PlayerPipeline::ToSink(GstElement* sink, const Identity& identity,
                                                       const Settings& settings,
                                                       Listener listener) {
    return Create({sink, Output::Given}, identity, settings, std::move(listener));
}

// Runs where the last owner lets go: on the pipeline's own thread once
// retired, so that a sound server that hangs holds up no one else.
PlayerPipeline::~PlayerPipeline() {
    if (playbin_) {
        gst_element_set_state(playbin_, GST_STATE_NULL);
        GstBus* bus = gst_element_get_bus(playbin_);
        gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
        gst_object_unref(bus);
        gst_object_unref(input_);
        gst_object_unref(playbin_);
    } else if (sink_.element) {
        gst_object_unref(gst_object_ref_sink(sink_.element)); // given, never taken over
    }
}

void PlayerPipeline::Retire(std::shared_ptr<PlayerPipeline> pipeline, int waitMilliseconds) {
    pipeline->retired_ = true;
    pipeline->listener_.With([](Listener& listener) { listener = nullptr; });
    auto ended = std::make_shared<std::promise<void>>();
    std::future<void> done = ended->get_future();
    GThreadPool* thread = pipeline->thread_;
    // The owner's share goes to the thread's last command, which ends it.
    PushTo(thread, [pipeline = std::move(pipeline), ended]() mutable {
        pipeline.reset();
        NameThread("pipeline ended");
        ended->set_value();
    });
    // The thread ends after its last command, and the pool with it.
    g_thread_pool_free(thread, FALSE, FALSE);
    if (waitMilliseconds > 0)
        done.wait_for(std::chrono::milliseconds(waitMilliseconds));
}

void PlayerPipeline::Post(std::function<void(PlayerPipeline&)> command) {
    if (!building_) {
        building_ = true;
        Push([](PlayerPipeline& pipeline) { pipeline.Build(); });
    }
    Push(std::move(command));
}

// Each command shares the pipeline, and runs only while it is not retired.
void PlayerPipeline::Push(std::function<void(PlayerPipeline&)> command) {
    PushTo(thread_, [self = shared_from_this(), command = std::move(command)] {
        if (self->retired_)
            return;
        self->busySince_ = NowMilliseconds();
        command(*self);
        self->busySince_ = 0;
    });
}

qint64 PlayerPipeline::BusyMilliseconds() const {
    const qint64 since = busySince_.load();
    return since == 0 ? 0 : NowMilliseconds() - since;
}

void PlayerPipeline::Build() {
    EnsureGstreamer();
    if (!sink_.element)
        sink_ = sink_.kind == Output::Desktop ? DesktopSink(sayIfSilent_)
                                              : Sink{SilentSink(), Output::Silent};
    GstElement* sink = std::exchange(sink_.element, nullptr); // the playbin's from here
    output_ = sink_.kind;
    // Into silence, volume and balance change nothing anyone hears: the
    // sound goes to the sink as it is decoded.
    const bool heard = output_ != Output::Silent;
    playbin_ = Make("playbin");
    outputBin_ = OutputBin(sink, heard ? &panorama_ : nullptr);
    input_ = gst_element_get_static_pad(outputBin_, "sink");
    g_object_set(playbin_, "flags", PlayFlagAudio | (heard ? PlayFlagSoftVolume : 0), "audio-sink",
                 outputBin_, nullptr);
    if (panorama_) {
        GstPad* panoramaInput = gst_element_get_static_pad(panorama_, "sink");
        g_signal_connect(panoramaInput, "notify::caps", G_CALLBACK(+[](GstPad* pad, GParamSpec*) {
                             PassStereoThroughAtCentre(GST_PAD_PARENT(pad));
                         }),
                         nullptr);
        gst_object_unref(panoramaInput);
    }
    g_signal_connect(playbin_, "deep-element-added", G_CALLBACK(&OutputSetup::OnElementAdded),
                     this);
    OutputSetup::OnElementAdded(nullptr, nullptr, sink, this);
    GstBus* bus = gst_element_get_bus(playbin_);
    gst_bus_set_sync_handler(bus, &BusBridge::OnMessage, this, nullptr);
    gst_object_unref(bus);
    built_ = true;
    setup_.With([this](Setup& setup) {
        SetSettings(setup.settings);
        setup.built = true;
    });
}

void PlayerPipeline::Tell(Event event) {
    listener_.With([&event](Listener& listener) {
        if (listener)
            listener(std::move(event));
    });
}

void PlayerPipeline::Open(const QByteArray& fileName, quint64 generation, bool paused) {
    requested_ = generation;
    Post([fileName, generation, paused](PlayerPipeline& pipeline) {
        pipeline.OpenNow(fileName, generation, paused);
    });
}

void PlayerPipeline::OpenNow(const QByteArray& fileName, quint64 generation, bool paused) {
    if (generation != requested_.load())
        return; // replaced by a later open
    Tell({Event::Kind::Opening, generation, nullptr});
    gst_element_set_state(playbin_, GST_STATE_NULL); // the old file's last messages go first
    playing_ = generation;
    gchar* uri = gst_filename_to_uri(fileName.constData(), nullptr);
    g_object_set(playbin_, "uri", uri, nullptr);
    g_free(uri);
    WatchSoundReaching(generation);
    const GstStateChangeReturn result =
        gst_element_set_state(playbin_, paused ? GST_STATE_PAUSED : GST_STATE_PLAYING);
    Tell({Event::Kind::Started, generation, nullptr});
    if (result == GST_STATE_CHANGE_FAILURE) {
        GError* error = g_error_new_literal(GST_STREAM_ERROR, GST_STREAM_ERROR_FAILED,
                                            "the file cannot be played");
        gst_element_post_message(playbin_,
                                 gst_message_new_error(GST_OBJECT(playbin_), error, nullptr));
        g_error_free(error);
    }
}

// Tells of the first sound of the file that reaches the output: if the file
// still has not opened then, the output is what holds it up. The news of an
// earlier file that never sounded may come later, and is then dropped.
void PlayerPipeline::WatchSoundReaching(quint64 generation) {
    using Reach = std::pair<PlayerPipeline*, quint64>;
    gst_pad_add_probe(
        input_, GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_BUFFER_LIST),
        [](GstPad*, GstPadProbeInfo*, gpointer data) {
            const auto* reach = static_cast<Reach*>(data);
            reach->first->Tell({Event::Kind::SoundReached, reach->second, nullptr});
            return GST_PAD_PROBE_REMOVE;
        },
        new Reach(this, generation), [](gpointer data) { delete static_cast<Reach*>(data); });
}

void PlayerPipeline::Play() {
    Post([](PlayerPipeline& pipeline) {
        gst_element_set_state(pipeline.playbin_, GST_STATE_PLAYING);
    });
}

void PlayerPipeline::Pause() {
    Post([](PlayerPipeline& pipeline) {
        gst_element_set_state(pipeline.playbin_, GST_STATE_PAUSED);
    });
}

void PlayerPipeline::Stop(double rate) {
    Post([rate](PlayerPipeline& pipeline) {
        gst_element_set_state(pipeline.playbin_, GST_STATE_PAUSED);
        pipeline.SeekNow(rate, 0);
    });
}

void PlayerPipeline::Seek(double rate, double seconds) {
    Post([rate, seconds](PlayerPipeline& pipeline) { pipeline.SeekNow(rate, seconds); });
}

void PlayerPipeline::SeekNow(double rate, double seconds) {
    const auto flags = GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    gst_element_seek(playbin_, rate, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET,
                     gint64(std::max(0.0, seconds) * GST_SECOND), GST_SEEK_TYPE_NONE,
                     GST_CLOCK_TIME_NONE);
}

void PlayerPipeline::Close() {
    if (building_)
        Post([](PlayerPipeline& pipeline) {
            gst_element_set_state(pipeline.playbin_, GST_STATE_NULL);
        });
}

// Set at once, so that the sound after the call has them: setting them
// never waits on the sound server. Until the pipeline is built, they wait
// for the build.
void PlayerPipeline::Apply(const Settings& settings) {
    setup_.With([this, &settings](Setup& setup) {
        setup.settings = settings;
        if (setup.built)
            SetSettings(settings);
    });
}

void PlayerPipeline::SetSettings(const Settings& settings) {
    g_object_set(playbin_, "volume", settings.gain, "mute", gboolean(settings.mute), nullptr);
    if (!panorama_)
        return;
    gfloat pan = 0;
    g_object_get(panorama_, "panorama", &pan, nullptr);
    if (pan == settings.pan)
        return;
    g_object_set(panorama_, "panorama", settings.pan, nullptr);
    GstPad* panoramaInput = gst_element_get_static_pad(panorama_, "sink");
    gst_pad_add_probe(
        panoramaInput, GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_BUFFER_LIST),
        [](GstPad* pad, GstPadProbeInfo*, gpointer) {
            PassStereoThroughAtCentre(GST_PAD_PARENT(pad));
            return GST_PAD_PROBE_REMOVE;
        },
        nullptr, nullptr);
    gst_object_unref(panoramaInput);
}

double PlayerPipeline::Position() const {
    // It asks the output, where the position is known, rather than walking
    // all of playbin's bins down to it.
    gint64 position = 0;
    if (!built_ || !gst_element_query_position(outputBin_, GST_FORMAT_TIME, &position) ||
        position < 0)
        return 0;
    return double(position) / GST_SECOND;
}

double PlayerPipeline::Duration() const {
    gint64 length = 0;
    if (built_ && gst_element_query_duration(playbin_, GST_FORMAT_TIME, &length) && length > 0)
        return double(length) / GST_SECOND;
    return 0;
}

bool PlayerPipeline::IsInOutput(GstObject* object) const {
    return built_ && gst_object_has_as_ancestor(object, GST_OBJECT(outputBin_));
}
