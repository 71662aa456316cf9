#include "desktop/mediacommands.h"

#include <algorithm>
#include <cmath>

#include <QAction>
#include <QApplication>

#include "base/common.h"
#include "base/files.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/slider.h"
#include "panel/controlpanel.h"
#include "panel/soundeffects.h"
#include "playback/songchoice.h"
#include "playback/transport.h"
#include "windows/form1.h"
#include "windows/form2.h"

namespace {
// How often a queued command looks again whether it may run, while it waits.
constexpr int QueuedRetryMilliseconds = 20;
} // namespace

MediaCommands::MediaCommands(Form1& form1, Form2& form2, MediaPlayer& media, Handlers handlers)
    : form1_(form1), form2_(form2), media_(media), handlers_(std::move(handlers)) {
    nextQueued_.setSingleShot(true);
    connect(&nextQueued_, &QTimer::timeout, this, &MediaCommands::RunQueued);
}

void MediaCommands::Post(std::function<void()> command, Sets sets) {
    const auto same = std::find_if(queued_.begin(), queued_.end(), [sets](const Queued& queued) {
        return sets != Sets::Nothing && queued.sets == sets;
    });
    if (same != queued_.end())
        same->command = std::move(command);
    else
        queued_.push_back({sets, std::move(command)});
    if (!nextQueued_.isActive())
        nextQueued_.start(0);
}

void MediaCommands::RunQueued() {
    if (queued_.empty())
        return;
    if (running_ || MP3Mod::Waiting() || QApplication::activeModalWidget() != nullptr) {
        nextQueued_.start(QueuedRetryMilliseconds);
        return;
    }
    const Queued next = std::move(queued_.front());
    queued_.pop_front();
    running_ = true;
    next.command();
    running_ = false;
    if (!queued_.empty())
        nextQueued_.start(0);
}

void MediaCommands::Play() {
    if (!Loaded()) {
        if (!HasSongs())
            return;
        form1_.List1->SetListIndex(std::max(0, form1_.List1->ListIndex()));
        handlers_.choice.PlaySelectedSong();
    } else if (form1_.Stop1->isChecked()) {
        handlers_.transport.Stop1Click();
    } else if (form2_.lblpause->Caption() == Form2::ResumeGlyph) {
        handlers_.panel.lblpauseClick();
    } else if (form1_.Pause1->text() == QLatin1String("Resume")) {
        handlers_.transport.Pause1Click();
    } else if (Status() != MediaPlayer::PlayState::Playing) {
        media_.Play();
    }
    emit Changed();
}

void MediaCommands::Pause() {
    if (Status() == MediaPlayer::PlayState::Playing) {
        if (form2_.lblpause->Caption() == Form2::PauseGlyph)
            handlers_.panel.lblpauseClick();
        else
            media_.Pause();
    }
    emit Changed();
}

void MediaCommands::PlayPause() {
    if (Status() == MediaPlayer::PlayState::Playing)
        Pause();
    else
        Play();
}

void MediaCommands::Stop() {
    handlers_.panel.lblstopClick();
    emit Changed();
}

// Where the menu's command would only refuse with a message, the desktop's
// does nothing: a desktop control never opens a dialog.
void MediaCommands::Next() {
    if (CanGoNext())
        handlers_.transport.NextClick();
    emit Changed();
}

void MediaCommands::Previous() {
    if (CanGoPrevious())
        handlers_.transport.PreviousClick();
    emit Changed();
}

void MediaCommands::SetPosition(double seconds) {
    Slider& seek = *form2_.bar;
    // The slider spans the song, as it does after its own first move.
    seek.Maximum(MP3Mod::RoundHalfEven(media_.Duration()));
    seek.MoveTo(MP3Mod::RoundHalfEven(seconds));
    emit Changed();
}

void MediaCommands::SetVolume(double volume) {
    const int value = MP3Mod::RoundHalfEven(std::clamp(volume, 0.0, 1.0) * 100);
    // The slider's lowest point is still heard (-25 dB): silence is the mute.
    if ((value == 0) != form1_.Mute->isChecked())
        handlers_.effects.MuteClick();
    form2_.Volume->MoveTo(value);
    emit Changed();
}

void MediaCommands::OpenUris(const QStringList& uris) {
    QStringList songs;
    for (const QString& uri : uris)
        if (const QString path = MP3Mod::PathFromFileUri(uri); MP3Mod::IsSongFile(path))
            songs.append(path);
    if (!songs.isEmpty())
        handlers_.openSongs(songs);
    emit Changed();
}

void MediaCommands::SetRate(double rate) {
    const int value = rate <= 1 ? 1 : MP3Mod::RoundHalfEven(rate + RateEffect());
    form2_.bar2->MoveTo(std::clamp(value, 1, std::max(1, form2_.bar2->Maximum())));
    emit Changed();
}

void MediaCommands::Raise() {
    handlers_.raise();
    emit Changed();
}

void MediaCommands::Quit() {
    handlers_.quit();
}

bool MediaCommands::HasSongs() const {
    return form1_.List1->ListCount() > 0;
}

bool MediaCommands::CanGoNext() const {
    return handlers_.transport.CanGoNext();
}

bool MediaCommands::CanGoPrevious() const {
    return handlers_.transport.CanGoPrevious();
}

// Muted, the volume reads 0, as it was set; the slider's lowest point is heard.
double MediaCommands::Volume() const {
    return form1_.Mute->isChecked() ? 0.0 : std::clamp(form2_.Volume->Value() / 100.0, 0.0, 1.0);
}

// The rate effect typed by the user is taken from every rate above 1.
double MediaCommands::RateEffect() const {
    return MP3Mod::LeadingNumber(form1_.RateEFX->text());
}

double MediaCommands::Rate() const {
    const int value = form2_.bar2->Value();
    return value > 1 ? value - RateEffect() : 1.0;
}

double MediaCommands::MinimumRate() const {
    return std::min(1.0, 2 - RateEffect());
}

double MediaCommands::MaximumRate() const {
    return std::max(1.0, form2_.bar2->Maximum() - RateEffect());
}
