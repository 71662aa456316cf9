#include "player/gstmediaplayer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <QTimer>
#include <gst/base/gstbasesink.h>
#include <gst/base/gstbasetransform.h>
#include <gst/gst.h>

#include "base/files.h"

namespace {

// playbin flags: audio only, volume applied in software.
constexpr int PlayFlagAudio = 0x2;
constexpr int PlayFlagSoftVolume = 0x10;
constexpr int OpeningLimitMilliseconds = 15'000;
constexpr int PositionKeptMilliseconds = 20;

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

GstElement* SilentSink() {
    static bool said = false;
    if (!said) {
        std::fputs("Tunevault: no audio output could be opened; playing silently.\n", stderr);
        said = true;
    }
    GstElement* sink = gst_element_factory_make("fakesink", "silent-output");
    g_object_set(sink, "sync", TRUE, nullptr);
    return sink;
}

// The desktop's audio sink if one opens, else a silent one. autoaudiosink
// itself falls back to a fake sink, which is found among its children.
GstElement* DesktopSink() {
    GstElement* sink = gst_element_factory_make("autoaudiosink", "desktop-output");
    if (sink && gst_element_set_state(sink, GST_STATE_READY) != GST_STATE_CHANGE_FAILURE &&
        !HoldsFakeSink(sink)) {
        gst_element_set_state(sink, GST_STATE_NULL);
        return sink;
    }
    if (sink) {
        gst_element_set_state(sink, GST_STATE_NULL);
        gst_object_unref(sink);
    }
    return SilentSink();
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

// [audiobuffersplit !] audiopanorama ! sink. playbin converts the sound to
// what the panorama takes (mono or stereo, and it always gives stereo) and the
// sink takes what the panorama gives, so no converter of its own stands
// between them: every element costs each buffer of the song.
GstElement* OutputBin(GstElement* sink, GstElement** panorama) {
    GstElement* bin = gst_bin_new("output");
    *panorama = Make("audiopanorama");
    g_object_set(*panorama, "method", 1, nullptr); // simple: only the other channel is lowered
    gst_bin_add_many(GST_BIN(bin), *panorama, sink, nullptr);
    gst_element_link(*panorama, sink);
    GstElement* first = *panorama;
    if (GstElement* joiner = Joiner()) {
        gst_bin_add(GST_BIN(bin), joiner);
        gst_element_link(joiner, *panorama);
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
        return true;
    default:
        return false;
    }
}

} // namespace

// Hands bus messages from GStreamer's threads to the player's thread.
struct BusBridge {
    static GstBusSyncReply OnMessage(GstBus*, GstMessage* message, gpointer data) {
        auto* player = static_cast<GstMediaPlayer*>(data);
        if (ChangesWhatThePlayerReports(message)) {
            const quint64 generation = player->generation_.load();
            std::shared_ptr<GstMessage> held(gst_message_ref(message), gst_message_unref);
            QMetaObject::invokeMethod(
                player,
                [player, held, generation] { player->HandleMessage(held.get(), generation); },
                Qt::QueuedConnection);
        }
        return GST_BUS_DROP;
    }
};

// Sets up the element that talks to the sound server when playbin makes it
// (the desktop sink makes it anew each time it starts): the stream names the
// program, and its buffer is deeper than the sink's default of 200 ms. With
// more sound queued, the server and the player wake less often (about a third
// less processor time here); a change of volume or balance is heard that much
// later, still within a third of a second.
struct OutputSetup {
    static constexpr gint64 BufferMicroseconds = 300'000;

    static void OnElementAdded(GstBin*, GstBin*, GstElement* element, gpointer data) {
        GObjectClass* type = G_OBJECT_GET_CLASS(element);
        if (GST_IS_BASE_SINK(element) && g_object_class_find_property(type, "buffer-time"))
            g_object_set(element, "buffer-time", BufferMicroseconds, nullptr);
        const auto* player = static_cast<const GstMediaPlayer*>(data);
        if (player->identity_.applicationName.isEmpty())
            return;
        const QByteArray name = player->identity_.applicationName.toUtf8();
        if (g_object_class_find_property(type, "client-name"))
            g_object_set(element, "client-name", name.constData(), nullptr);
        if (g_object_class_find_property(type, "stream-properties")) {
            GstStructure* properties =
                gst_structure_new("properties", "application.name", G_TYPE_STRING, name.constData(),
                                  "application.icon_name", G_TYPE_STRING,
                                  player->identity_.iconName.toUtf8().constData(), "media.role",
                                  G_TYPE_STRING, "music", nullptr);
            g_object_set(element, "stream-properties", properties, nullptr);
            gst_structure_free(properties);
        }
    }
};

std::future<GstElement*> GstMediaPlayer::OpenDesktopSink() {
    return std::async(std::launch::async, [] {
        EnsureGstreamer();
        return DesktopSink();
    });
}

GstMediaPlayer::GstMediaPlayer(const StreamIdentity& identity)
    : GstMediaPlayer(OpenDesktopSink(), identity) {}

GstMediaPlayer::GstMediaPlayer(std::future<GstElement*> sink, const StreamIdentity& identity)
    : identity_(identity), pendingSink_(std::move(sink)) {}

GstMediaPlayer::GstMediaPlayer(GstElement* sink, const StreamIdentity& identity)
    : identity_(identity) {
    EnsureGstreamer();
    Build(sink);
}

GstMediaPlayer::~GstMediaPlayer() {
    if (pendingSink_.valid()) // never used: the sink was never taken over
        gst_object_unref(gst_object_ref_sink(pendingSink_.get()));
    if (!playbin_)
        return;
    gst_element_set_state(playbin_, GST_STATE_NULL);
    GstBus* bus = gst_element_get_bus(playbin_);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    gst_object_unref(playbin_);
}

GstElement* GstMediaPlayer::Playbin() const {
    if (!playbin_)
        Build(pendingSink_.get());
    return playbin_;
}

void GstMediaPlayer::Build(GstElement* sink) const {
    playbin_ = Make("playbin");
    output_ = OutputBin(sink, &panorama_);
    g_object_set(playbin_, "flags", PlayFlagAudio | PlayFlagSoftVolume, "audio-sink", output_,
                 "volume", gain_, "mute", gboolean(mute_), nullptr);
    g_object_set(panorama_, "panorama", pan_, nullptr);
    GstPad* panoramaInput = gst_element_get_static_pad(panorama_, "sink");
    g_signal_connect(panoramaInput, "notify::caps", G_CALLBACK(+[](GstPad* pad, GParamSpec*) {
                         PassStereoThroughAtCentre(GST_PAD_PARENT(pad));
                     }),
                     nullptr);
    gst_object_unref(panoramaInput);
    g_signal_connect(playbin_, "deep-element-added", G_CALLBACK(&OutputSetup::OnElementAdded),
                     const_cast<GstMediaPlayer*>(this));
    OutputSetup::OnElementAdded(nullptr, nullptr, sink, const_cast<GstMediaPlayer*>(this));
    GstBus* bus = gst_element_get_bus(playbin_);
    gst_bus_set_sync_handler(bus, &BusBridge::OnMessage, const_cast<GstMediaPlayer*>(this),
                             nullptr);
    gst_object_unref(bus);
}

void GstMediaPlayer::OpenFile(const QString& path) {
    currentFile_ = path;
    if (playbin_) // posts the last messages of the old file
        gst_element_set_state(playbin_, GST_STATE_NULL);
    ++generation_;
    positionRead_.invalidate();
    ended_ = false;
    paused_ = false;
    stopped_ = false;
    duration_ = 0;
    if (!MP3Mod::IsRegularFile(path)) {
        Fail(QStringLiteral("not a file"));
        return;
    }
    load_ = Load::Opening;
    if (playbin_) {
        StartOpening();
        return;
    }
    // The first song: the pipeline is built and the song started once the
    // event loop turns, so that the window asking for it shows first.
    QMetaObject::invokeMethod(
        this, [this] { StartPendingOpening(); }, Qt::QueuedConnection);
}

void GstMediaPlayer::StartPendingOpening() {
    // A song opened before the pipeline was built waits for it.
    if (load_ == Load::Opening && !playbin_)
        StartOpening();
}

void GstMediaPlayer::StartOpening() {
    gchar* uri = gst_filename_to_uri(MP3Mod::EncodeFileName(currentFile_).constData(), nullptr);
    g_object_set(Playbin(), "uri", uri, nullptr);
    g_free(uri);
    if (gst_element_set_state(Playbin(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        Fail(QStringLiteral("the file cannot be played"));
        return;
    }
    // A file that never finishes opening (a stalled network share) must not
    // keep anyone waiting on the position for ever.
    const quint64 opened = generation_.load();
    QTimer::singleShot(OpeningLimitMilliseconds, this, [this, opened] {
        if (opened == generation_.load() && load_ == Load::Opening)
            Fail(QStringLiteral("it did not open in time"));
    });
}

void GstMediaPlayer::Fail(const QString& reason) {
    if (!currentFile_.isEmpty())
        std::fprintf(stderr, "Tunevault: cannot play %s: %s\n",
                     MP3Mod::EncodeFileName(currentFile_).constData(), qPrintable(reason));
    if (playbin_)
        gst_element_set_state(playbin_, GST_STATE_NULL);
    load_ = Load::Failed;
    duration_ = 0;
}

void GstMediaPlayer::HandleMessage(GstMessage* message, quint64 generation) {
    if (generation != generation_.load())
        return;
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ASYNC_DONE:
        if (load_ == Load::Opening) {
            load_ = Load::Ready;
            QueryDuration();
            if (rate_ != 1.0)
                Seek(0);
        }
        break;
    case GST_MESSAGE_DURATION_CHANGED:
        QueryDuration();
        break;
    case GST_MESSAGE_EOS:
        ended_ = true;
        break;
    case GST_MESSAGE_ERROR:
        if (load_ != Load::Failed) // one failure, one report
            ReportError(message);
        break;
    default:
        break;
    }
}

// An error of the output (the sound server went away, say) is not the song's
// fault: the next song opens the output afresh and plays once it is back.
void GstMediaPlayer::ReportError(GstMessage* message) {
    GError* error = nullptr;
    gst_message_parse_error(message, &error, nullptr);
    const QString text = QString::fromUtf8(error ? error->message : "unknown error");
    g_clear_error(&error);
    if (gst_object_has_as_ancestor(GST_MESSAGE_SRC(message), GST_OBJECT(output_)))
        Fail(QStringLiteral("the sound output was lost (") + text +
             QStringLiteral("); the next song will play once the sound server is back"));
    else
        Fail(text);
}

void GstMediaPlayer::QueryDuration() {
    gint64 length = 0;
    if (gst_element_query_duration(Playbin(), GST_FORMAT_TIME, &length) && length > 0)
        duration_ = double(length) / GST_SECOND;
}

void GstMediaPlayer::Seek(double seconds) {
    ended_ = false;
    positionRead_.invalidate();
    const auto flags = GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    gst_element_seek(Playbin(), rate_, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET,
                     gint64(std::max(0.0, seconds) * GST_SECOND), GST_SEEK_TYPE_NONE,
                     GST_CLOCK_TIME_NONE);
}

void GstMediaPlayer::Play() {
    if (load_ != Load::Ready && load_ != Load::Opening)
        return;
    StartPendingOpening();
    if (ended_)
        Seek(0);
    paused_ = false;
    stopped_ = false;
    gst_element_set_state(Playbin(), GST_STATE_PLAYING);
}

void GstMediaPlayer::Pause() {
    if (load_ != Load::Ready && load_ != Load::Opening)
        return;
    StartPendingOpening();
    paused_ = true;
    gst_element_set_state(Playbin(), GST_STATE_PAUSED);
}

void GstMediaPlayer::Stop() {
    if (load_ != Load::Ready && load_ != Load::Opening)
        return;
    StartPendingOpening();
    stopped_ = true;
    gst_element_set_state(Playbin(), GST_STATE_PAUSED);
    Seek(0);
}

MediaPlayer::PlayState GstMediaPlayer::State() const {
    if ((load_ != Load::Ready && load_ != Load::Opening) || stopped_ || ended_)
        return PlayState::Stopped;
    return paused_ ? PlayState::Paused : PlayState::Playing;
}

double GstMediaPlayer::Position() const {
    switch (load_) {
    case Load::Empty:
    case Load::Failed:
        return 0;
    case Load::Opening:
        return OpeningPosition;
    case Load::Ready:
        break;
    }
    if (ended_)
        return duration_;
    if (stopped_)
        return 0; // Stop went back to the start: no need to ask the pipeline each second
    // The control panel's timers tick together and each reads the position:
    // one query serves them all. It asks the output, where the position is
    // known, rather than walking all of playbin's bins down to it.
    if (positionRead_.isValid() && !positionRead_.hasExpired(PositionKeptMilliseconds))
        return position_;
    gint64 position = 0;
    if (!gst_element_query_position(output_, GST_FORMAT_TIME, &position) || position < 0)
        position = 0;
    position_ = std::min(double(position) / GST_SECOND, duration_ > 0 ? duration_ : HUGE_VAL);
    positionRead_.start();
    return position_;
}

void GstMediaPlayer::Position(double seconds) {
    if (load_ != Load::Ready || !std::isfinite(seconds))
        return;
    if (stopped_) { // a stopped song moved on waits there, paused
        stopped_ = false;
        paused_ = true;
    }
    Seek(seconds);
}

double GstMediaPlayer::Duration() const {
    return load_ == Load::Ready ? duration_ : 0;
}

void GstMediaPlayer::Rate(double rate) {
    if (!(rate > 0) || !std::isfinite(rate))
        return; // GStreamer plays no rate of zero, and the program never asks backwards
    rate_ = rate;
    if (load_ == Load::Ready)
        Seek(Position());
}

bool GstMediaPlayer::Mute() const {
    return mute_;
}

void GstMediaPlayer::Mute(bool mute) {
    mute_ = mute;
    if (playbin_)
        g_object_set(playbin_, "mute", gboolean(mute), nullptr);
}

void GstMediaPlayer::Volume(int hundredthsOfDecibel) {
    gain_ = std::clamp(std::pow(10.0, hundredthsOfDecibel / 2000.0), 0.0, 10.0);
    if (playbin_)
        g_object_set(playbin_, "volume", gain_, nullptr);
}

void GstMediaPlayer::Balance(int balance) {
    // The channel away from the balance is lowered by |balance| / 100 dB.
    const double otherGain = std::pow(10.0, -std::abs(balance) / 2000.0);
    pan_ = gfloat((balance < 0 ? -1.0 : 1.0) * (1.0 - otherGain));
    if (!playbin_)
        return;
    g_object_set(panorama_, "panorama", pan_, nullptr);
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
