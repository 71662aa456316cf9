#include "player/gstmediaplayer.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include <QTimer>
#include <gst/gst.h>

#include "base/files.h"
#include "base/say.h"

namespace {

constexpr int OpeningLimitMilliseconds = 15'000;
constexpr int PositionKeptMilliseconds = 20;

} // namespace

GstMediaPlayer::GstMediaPlayer(const StreamIdentity& identity)
    : GstMediaPlayer(nullptr, identity) {}

GstMediaPlayer::GstMediaPlayer(GstElement* sink, const StreamIdentity& identity)
    : identity_{identity.applicationName.toUtf8(), identity.iconName.toUtf8()} {
    pipeline_ = sink ? PlayerPipeline::ToSink(sink, identity_, settings_, Listener())
                     : PlayerPipeline::ToDesktop(identity_, settings_, Listener(), true);
    WatchLimits();
}

void GstMediaPlayer::WatchLimits() {
    // A file that never finishes opening (a stalled network share) must not
    // keep anyone waiting on the position for ever.
    openingLimit_.setSingleShot(true);
    openingLimit_.setInterval(OpeningLimitMilliseconds);
    connect(&openingLimit_, &QTimer::timeout, this, [this] {
        if (song_ == Song::Opening)
            Fail(QStringLiteral("it did not open in time"));
    });
    outputLimit_.setSingleShot(true);
    outputLimit_.setInterval(OutputLimitMilliseconds);
    connect(&outputLimit_, &QTimer::timeout, this, &GstMediaPlayer::CheckOutput);
}

GstMediaPlayer::~GstMediaPlayer() {
    // A pipeline that is free ends within the wait; one held by a hung
    // sound server is left to end itself.
    constexpr int EndingMilliseconds = 3'000;
    PlayerPipeline::Retire(std::move(pipeline_), EndingMilliseconds);
}

// The events come to this thread as queued calls, in the order told.
PlayerPipeline::Listener GstMediaPlayer::Listener() {
    return [this](PlayerPipeline::Event event) {
        QMetaObject::invokeMethod(
            this, [this, event = std::move(event)] { HandleEvent(event); }, Qt::QueuedConnection);
    };
}

void GstMediaPlayer::Replace(std::shared_ptr<PlayerPipeline> pipeline) {
    PlayerPipeline::Retire(std::exchange(pipeline_, std::move(pipeline)));
}

std::shared_ptr<PlayerPipeline> GstMediaPlayer::NextPipeline() {
    if (stuck_.expired())
        return PlayerPipeline::ToDesktop(identity_, settings_, Listener(), false);
    PlayerPipeline::SaySilent();
    return PlayerPipeline::ToSilence(identity_, settings_, Listener());
}

void GstMediaPlayer::NewGeneration() {
    ++generation_;
    openRunning_.invalidate();
    started_ = false;
    soundReached_ = false;
}

void GstMediaPlayer::OpenFile(const QString& path) {
    currentFile_ = path;
    NewGeneration();
    pending_ = false;
    positionRead_.invalidate();
    duration_ = 0;
    tags_ = {};
    if (!MP3Mod::IsRegularFile(path)) {
        Fail(QStringLiteral("not a file"));
        return;
    }
    song_ = Song::Opening;
    opensInto_ = Song::Playing;
    // A song that plays silently tries the desktop's output afresh: the
    // sound server may have started since.
    if (pipeline_->output() == PlayerPipeline::Output::Silent)
        Replace(NextPipeline());
    openingLimit_.start();
    outputLimit_.start(OutputLimitMilliseconds);
    if (opened_) {
        StartOpening();
        return;
    }
    // The first song starts once the event loop turns, so that the window
    // asking for it shows first.
    pending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { StartPendingOpening(); }, Qt::QueuedConnection);
}

void GstMediaPlayer::StartPendingOpening() {
    if (pending_)
        StartOpening();
}

void GstMediaPlayer::StartOpening() {
    pending_ = false;
    opened_ = true;
    pipeline_->Open(MP3Mod::EncodeFileName(currentFile_), generation_, opensInto_ != Song::Playing);
}

// The output holds the song up when the state change that opens it has not
// returned (the server does not answer the connection), or when the song's
// sound has reached the output and the output does not take it. The limit
// counts from when the open began to run: before, from when the command ahead
// of it on the pipeline's thread did, so that a queue of commands that moves
// is not taken for a stuck output.
void GstMediaPlayer::CheckOutput() {
    if (song_ != Song::Opening || pipeline_->output() != PlayerPipeline::Output::Desktop)
        return;
    const qint64 held =
        openRunning_.isValid() ? openRunning_.elapsed() : pipeline_->BusyMilliseconds();
    if (held < OutputLimitMilliseconds) {
        outputLimit_.start(int(OutputLimitMilliseconds - held));
        return;
    }
    if (started_ && !soundReached_)
        return;
    PlayerPipeline::SaySilent();
    stuck_ = pipeline_;
    Replace(PlayerPipeline::ToSilence(identity_, settings_, Listener()));
    NewGeneration();
    StartOpening();
}

bool GstMediaPlayer::Silent() const {
    return pipeline_->output() == PlayerPipeline::Output::Silent;
}

void GstMediaPlayer::Fail(const QString& reason) {
    lastFailure_ = reason;
    if (!currentFile_.isEmpty())
        MP3Mod::Say(QStringLiteral("cannot play ") + currentFile_ + QStringLiteral(": ") + reason);
    pending_ = false;
    pipeline_->Close();
    song_ = Song::Failed;
    duration_ = 0;
}

void GstMediaPlayer::HandleEvent(const PlayerPipeline::Event& event) {
    if (event.generation != generation_)
        return;
    switch (event.kind) {
    case PlayerPipeline::Event::Kind::Opening:
        openRunning_.start();
        break;
    case PlayerPipeline::Event::Kind::Started:
        started_ = true;
        break;
    case PlayerPipeline::Event::Kind::SoundReached:
        soundReached_ = true;
        break;
    case PlayerPipeline::Event::Kind::Message:
        HandleMessage(event.message.get());
        break;
    }
}

void GstMediaPlayer::HandleMessage(GstMessage* message) {
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ASYNC_DONE:
        if (song_ == Song::Opening) {
            song_ = opensInto_;
            QueryDuration();
            if (rate_ != 1.0)
                Seek(0);
        }
        break;
    case GST_MESSAGE_DURATION_CHANGED:
        QueryDuration();
        break;
    case GST_MESSAGE_EOS:
        if (Ready())
            song_ = Song::Ended;
        break;
    case GST_MESSAGE_TAG:
        TakeTags(message);
        break;
    case GST_MESSAGE_ERROR:
        if (song_ != Song::Failed) // one failure, one report
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
    if (pipeline_->IsInOutput(GST_MESSAGE_SRC(message)))
        Fail(QStringLiteral("the sound output was lost (") + text +
             QStringLiteral("); the next song will play once the sound server is back"));
    else
        Fail(text);
}

namespace {

// A text tag, kept only where the list has it.
void TakeText(const GstTagList* tags, const char* name, QString& field) {
    gchar* text = nullptr;
    if (gst_tag_list_get_string(tags, name, &text) && text && *text)
        field = QString::fromUtf8(text);
    g_free(text);
}

// The cover picture, or any picture where there is no cover.
void TakePicture(const GstTagList* tags, QByteArray& picture) {
    GstSample* sample = nullptr;
    if (!gst_tag_list_get_sample(tags, GST_TAG_IMAGE, &sample) &&
        !gst_tag_list_get_sample(tags, GST_TAG_PREVIEW_IMAGE, &sample))
        return;
    GstMapInfo map;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    if (buffer && gst_buffer_map(buffer, &map, GST_MAP_READ)) {
        picture = QByteArray(reinterpret_cast<const char*>(map.data), qsizetype(map.size));
        gst_buffer_unmap(buffer, &map);
    }
    gst_sample_unref(sample);
}

} // namespace

// Tags come from several elements as the song starts (the demuxer's ID3v2
// tag, the decoder's stream tags): each adds what it has.
void GstMediaPlayer::TakeTags(GstMessage* message) {
    GstTagList* tags = nullptr;
    gst_message_parse_tag(message, &tags);
    TakeText(tags, GST_TAG_TITLE, tags_.title);
    TakeText(tags, GST_TAG_ARTIST, tags_.artist);
    TakeText(tags, GST_TAG_ALBUM, tags_.album);
    if (guint track = 0; gst_tag_list_get_uint(tags, GST_TAG_TRACK_NUMBER, &track))
        tags_.track = int(std::min<guint>(track, 9999));
    TakePicture(tags, tags_.picture);
    gst_tag_list_unref(tags);
}

void GstMediaPlayer::QueryDuration() {
    if (const double length = pipeline_->Duration(); length > 0)
        duration_ = length;
}

void GstMediaPlayer::Seek(double seconds) {
    positionRead_.invalidate();
    pipeline_->Seek(rate_, seconds);
}

void GstMediaPlayer::Settle(Song state) {
    StartPendingOpening();
    if (song_ == Song::Opening)
        opensInto_ = state;
    else
        song_ = state;
}

void GstMediaPlayer::Play() {
    if (!Loaded())
        return;
    if (song_ == Song::Ended)
        Seek(0);
    Settle(Song::Playing);
    pipeline_->Play();
}

// A song that has ended stays at its end: there is nothing left to pause.
void GstMediaPlayer::Pause() {
    if (!Loaded() || song_ == Song::Ended)
        return;
    Settle(Song::Paused);
    pipeline_->Pause();
}

void GstMediaPlayer::Stop() {
    if (!Loaded())
        return;
    Settle(Song::Stopped);
    pipeline_->Stop(rate_);
}

MediaPlayer::PlayState GstMediaPlayer::State() const {
    switch (song_ == Song::Opening ? opensInto_ : song_) {
    case Song::Playing:
        return PlayState::Playing;
    case Song::Paused:
        return PlayState::Paused;
    default:
        return PlayState::Stopped;
    }
}

double GstMediaPlayer::Position() const {
    switch (song_) {
    case Song::Empty:
    case Song::Failed:
        return 0;
    case Song::Opening:
        return OpeningPosition;
    case Song::Ended:
        return duration_;
    case Song::Stopped:
        return 0; // Stop went back to the start: no need to ask the pipeline each second
    case Song::Playing:
    case Song::Paused:
        break;
    }
    // The control panel's timers tick together and each reads the position:
    // one query serves them all.
    if (positionRead_.isValid() && !positionRead_.hasExpired(PositionKeptMilliseconds))
        return position_;
    position_ = std::min(pipeline_->Position(), duration_ > 0 ? duration_ : HUGE_VAL);
    positionRead_.start();
    return position_;
}

void GstMediaPlayer::Position(double seconds) {
    if (!Ready() || !std::isfinite(seconds))
        return;
    if (song_ == Song::Stopped)
        song_ = Song::Paused; // a stopped song moved on waits there, paused
    else if (song_ == Song::Ended)
        song_ = Song::Playing; // the pipeline still plays, past the end
    Seek(seconds);
}

double GstMediaPlayer::Duration() const {
    return Ready() ? duration_ : 0;
}

void GstMediaPlayer::Rate(double rate) {
    if (!(rate > 0) || !std::isfinite(rate))
        return; // GStreamer plays no rate of zero, and the program never asks backwards
    rate_ = rate;
    if (Ready())
        Seek(Position());
}

bool GstMediaPlayer::Mute() const {
    return settings_.mute;
}

void GstMediaPlayer::Mute(bool mute) {
    settings_.mute = mute;
    pipeline_->Apply(settings_);
}

void GstMediaPlayer::Volume(int hundredthsOfDecibel) {
    settings_.gain = std::clamp(std::pow(10.0, hundredthsOfDecibel / 2000.0), 0.0, 10.0);
    pipeline_->Apply(settings_);
}

void GstMediaPlayer::Balance(int balance) {
    // The channel away from the balance is lowered by |balance| / 100 dB.
    const double otherGain = std::pow(10.0, -std::abs(balance) / 2000.0);
    settings_.pan = float((balance < 0 ? -1.0 : 1.0) * (1.0 - otherGain));
    pipeline_->Apply(settings_);
}
