#include "player/playerpipeline.h"

#include <cmath>
#include <cstdio>

#include <gst/base/gstbasesink.h>
#include <gst/base/gstbasetransform.h>
#include <gst/gst.h>

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

bool Named(GstElement* element, const char* name) {
    return g_str_equal(GST_OBJECT_NAME(element), name);
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

void RunCommand(gpointer command, gpointer) {
    auto* run = static_cast<std::function<void()>*>(command);
    (*run)();
    delete run;
}

} // namespace

// Hands the bus messages that matter to the listener, on GStreamer's threads.
// A sync handler that drops a message owns it.
struct BusBridge {
    static GstBusSyncReply OnMessage(GstBus*, GstMessage* message, gpointer data) {
        if (ChangesWhatThePlayerReports(message))
            static_cast<PlayerPipeline*>(data)->Deliver(message);
        gst_message_unref(message);
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

GstElement* PlayerPipeline::SilentSink(const char* name) {
    EnsureGstreamer();
    GstElement* sink = gst_element_factory_make("fakesink", name);
    g_object_set(sink, "sync", TRUE, nullptr);
    return sink;
}

void PlayerPipeline::SaySilent() {
    std::fputs("Tunevault: no audio output could be opened; playing silently.\n", stderr);
}

// autoaudiosink itself falls back to a fake sink, which is found among its
// children.
GstElement* PlayerPipeline::DesktopSink(bool sayIfSilent) {
    EnsureGstreamer();
    GstElement* sink = gst_element_factory_make("autoaudiosink", DesktopSinkName);
    if (sink && gst_element_set_state(sink, GST_STATE_READY) != GST_STATE_CHANGE_FAILURE &&
        !HoldsFakeSink(sink)) {
        gst_element_set_state(sink, GST_STATE_NULL);
        return sink;
    }
    if (sink) {
        gst_element_set_state(sink, GST_STATE_NULL);
        gst_object_unref(sink);
    }
    if (sayIfSilent)
        SaySilent();
    return SilentSink(SilentSinkName);
}

PlayerPipeline::PlayerPipeline(std::future<GstElement*> sink, const Identity& identity,
                               const Settings& settings, Listener listener)
    : thread_(g_thread_pool_new(&RunCommand, nullptr, 1, TRUE, nullptr)),
      sinkSource_(std::move(sink)), identity_(identity), settings_(settings),
      listener_(std::move(listener)) {}

PlayerPipeline* PlayerPipeline::ToDesktop(const Identity& identity, const Settings& settings,
                                          Listener listener, bool sayIfSilent) {
    return new PlayerPipeline(
        std::async(std::launch::deferred, [sayIfSilent] { return DesktopSink(sayIfSilent); }),
        identity, settings, std::move(listener));
}

PlayerPipeline* PlayerPipeline::ToSilence(const Identity& identity, const Settings& settings,
                                          Listener listener) {
    auto* pipeline = new PlayerPipeline(
        std::async(std::launch::deferred, [] { return SilentSink(SilentSinkName); }), identity,
        settings, std::move(listener));
    pipeline->output_ = Output::Silent;
    return pipeline;
}

PlayerPipeline::~PlayerPipeline() {
    if (playbin_) {
        gst_element_set_state(playbin_, GST_STATE_NULL);
        GstBus* bus = gst_element_get_bus(playbin_);
        gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
        gst_object_unref(bus);
        gst_object_unref(input_);
        gst_object_unref(playbin_);
    } else if (sinkSource_.valid() &&
               sinkSource_.wait_for(std::chrono::seconds(0)) != std::future_status::deferred) {
        // Never built: the sink opened for it was never taken over.
        gst_object_unref(gst_object_ref_sink(sinkSource_.get()));
    }
}

void PlayerPipeline::Retire(int waitMilliseconds) {
    {
        std::lock_guard<std::mutex> hold(listenerLock_);
        listener_ = nullptr;
    }
    auto ended = std::make_shared<std::promise<void>>();
    std::future<void> done = ended->get_future();
    GThreadPool* thread = thread_;
    g_thread_pool_push(thread, new std::function<void()>([this, ended] {
                           delete this;
                           ended->set_value();
                       }),
                       nullptr);
    // The thread ends after its last command, and the pool with it.
    g_thread_pool_free(thread, FALSE, FALSE);
    if (waitMilliseconds > 0)
        done.wait_for(std::chrono::milliseconds(waitMilliseconds));
}

void PlayerPipeline::Post(std::function<void()> command) {
    if (!building_) {
        building_ = true;
        g_thread_pool_push(thread_, new std::function<void()>([this] { Build(); }), nullptr);
    }
    g_thread_pool_push(thread_, new std::function<void()>(std::move(command)), nullptr);
}

void PlayerPipeline::Build() {
    GstElement* sink = sinkSource_.get();
    EnsureGstreamer();
    if (Named(sink, SilentSinkName))
        output_ = Output::Silent;
    else if (!Named(sink, DesktopSinkName))
        output_ = Output::Given;
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
    std::lock_guard<std::mutex> hold(settingsLock_);
    SetSettings(settings_);
    built_ = true;
}

void PlayerPipeline::Deliver(GstMessage* message) {
    std::lock_guard<std::mutex> hold(listenerLock_);
    if (listener_)
        listener_(message, generation_.load());
}

void PlayerPipeline::Open(const QByteArray& fileName, quint64 generation, bool paused) {
    Post([this, fileName, generation, paused] { OpenNow(fileName, generation, paused); });
}

void PlayerPipeline::OpenNow(const QByteArray& fileName, quint64 generation, bool paused) {
    gst_element_set_state(playbin_, GST_STATE_NULL); // the old file's last messages go first
    generation_ = generation;
    gchar* uri = gst_filename_to_uri(fileName.constData(), nullptr);
    g_object_set(playbin_, "uri", uri, nullptr);
    g_free(uri);
    WatchSoundReaching(generation);
    const GstStateChangeReturn result =
        gst_element_set_state(playbin_, paused ? GST_STATE_PAUSED : GST_STATE_PLAYING);
    started_ = generation;
    if (result == GST_STATE_CHANGE_FAILURE) {
        GError* error = g_error_new_literal(GST_STREAM_ERROR, GST_STREAM_ERROR_FAILED,
                                            "the file cannot be played");
        gst_element_post_message(playbin_,
                                 gst_message_new_error(GST_OBJECT(playbin_), error, nullptr));
        g_error_free(error);
    }
}

// Notes the first sound of the file that reaches the output: if the file
// still has not opened then, the output is what holds it up. The note of an
// earlier file that never sounded may come later, and is then no news.
void PlayerPipeline::WatchSoundReaching(quint64 generation) {
    using Reach = std::pair<PlayerPipeline*, quint64>;
    gst_pad_add_probe(
        input_, GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_BUFFER_LIST),
        [](GstPad*, GstPadProbeInfo*, gpointer data) {
            const auto* reach = static_cast<Reach*>(data);
            quint64 known = reach->first->reached_.load();
            while (known < reach->second &&
                   !reach->first->reached_.compare_exchange_weak(known, reach->second)) {
            }
            return GST_PAD_PROBE_REMOVE;
        },
        new Reach(this, generation), [](gpointer data) { delete static_cast<Reach*>(data); });
}

void PlayerPipeline::Play() {
    Post([this] { gst_element_set_state(playbin_, GST_STATE_PLAYING); });
}

void PlayerPipeline::Pause() {
    Post([this] { gst_element_set_state(playbin_, GST_STATE_PAUSED); });
}

void PlayerPipeline::Stop(double rate) {
    Post([this, rate] {
        gst_element_set_state(playbin_, GST_STATE_PAUSED);
        SeekNow(rate, 0);
    });
}

void PlayerPipeline::Seek(double rate, double seconds) {
    Post([this, rate, seconds] { SeekNow(rate, seconds); });
}

void PlayerPipeline::SeekNow(double rate, double seconds) {
    const auto flags = GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    gst_element_seek(playbin_, rate, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET,
                     gint64(std::max(0.0, seconds) * GST_SECOND), GST_SEEK_TYPE_NONE,
                     GST_CLOCK_TIME_NONE);
}

void PlayerPipeline::Close() {
    if (building_)
        Post([this] { gst_element_set_state(playbin_, GST_STATE_NULL); });
}

// Set at once, so that the sound after the call has them: setting them
// never waits on the sound server. Until the pipeline is built, they wait
// for the build.
void PlayerPipeline::Apply(const Settings& settings) {
    std::lock_guard<std::mutex> hold(settingsLock_);
    settings_ = settings;
    if (built_)
        SetSettings(settings_);
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
    if (!gst_element_query_position(outputBin_, GST_FORMAT_TIME, &position) || position < 0)
        return 0;
    return double(position) / GST_SECOND;
}

double PlayerPipeline::Duration() const {
    gint64 length = 0;
    if (gst_element_query_duration(playbin_, GST_FORMAT_TIME, &length) && length > 0)
        return double(length) / GST_SECOND;
    return 0;
}

bool PlayerPipeline::IsInOutput(GstObject* object) const {
    return gst_object_has_as_ancestor(object, GST_OBJECT(outputBin_));
}
