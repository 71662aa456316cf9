#include "desktop/mprisadaptors.h"

#include <algorithm>

#include "base/mediaplayer.h"
#include "desktop/mediacommands.h"
#include "desktop/mpris.h"

MprisRootAdaptor::MprisRootAdaptor(Mpris& mpris) : QDBusAbstractAdaptor(&mpris), mpris_(mpris) {}

QString MprisRootAdaptor::Identity() const {
    return QStringLiteral("Tunevault");
}

QString MprisRootAdaptor::DesktopEntry() const {
    return mpris_.DesktopEntry();
}

void MprisRootAdaptor::Raise() {
    mpris_.Later([this] { mpris_.Commands().Raise(); });
}

void MprisRootAdaptor::Quit() {
    mpris_.Later([this] { mpris_.Commands().Quit(); });
}

MprisPlayerAdaptor::MprisPlayerAdaptor(Mpris& mpris) : QDBusAbstractAdaptor(&mpris), mpris_(mpris) {
    setAutoRelaySignals(true); // Seeked
}

QString MprisPlayerAdaptor::PlaybackStatus() const {
    return mpris_.PlaybackStatus();
}

double MprisPlayerAdaptor::Rate() const {
    return mpris_.Commands().Rate();
}

void MprisPlayerAdaptor::SetRate(double rate) {
    if (rate > 0) // a rate of 0 is no rate: clients pause instead
        mpris_.Later([this, rate] { mpris_.Commands().SetRate(rate); }, MediaCommands::Sets::Rate);
}

QVariantMap MprisPlayerAdaptor::Metadata() const {
    return mpris_.Metadata();
}

double MprisPlayerAdaptor::Volume() const {
    return mpris_.Commands().Volume();
}

void MprisPlayerAdaptor::SetVolume(double volume) {
    mpris_.Later([this, volume] { mpris_.Commands().SetVolume(volume); },
                 MediaCommands::Sets::Volume);
}

qlonglong MprisPlayerAdaptor::Position() const {
    return mpris_.PositionMicroseconds();
}

double MprisPlayerAdaptor::MinimumRate() const {
    return mpris_.Commands().MinimumRate();
}

double MprisPlayerAdaptor::MaximumRate() const {
    return mpris_.Commands().MaximumRate();
}

bool MprisPlayerAdaptor::CanGoNext() const {
    return mpris_.Commands().CanGoNext();
}

bool MprisPlayerAdaptor::CanGoPrevious() const {
    return mpris_.Commands().CanGoPrevious();
}

bool MprisPlayerAdaptor::CanPlay() const {
    return mpris_.Commands().CanPlay();
}

bool MprisPlayerAdaptor::CanPause() const {
    return mpris_.Commands().Loaded();
}

bool MprisPlayerAdaptor::CanSeek() const {
    return mpris_.Commands().CanSeek();
}

void MprisPlayerAdaptor::Next() {
    mpris_.Later([this] { mpris_.Commands().Next(); });
}

void MprisPlayerAdaptor::Previous() {
    mpris_.Later([this] { mpris_.Commands().Previous(); });
}

void MprisPlayerAdaptor::Pause() {
    mpris_.Later([this] { mpris_.Commands().Pause(); });
}

void MprisPlayerAdaptor::PlayPause() {
    mpris_.Later([this] { mpris_.Commands().PlayPause(); });
}

void MprisPlayerAdaptor::Stop() {
    mpris_.Later([this] { mpris_.Commands().Stop(); });
}

void MprisPlayerAdaptor::Play() {
    mpris_.Later([this] { mpris_.Commands().Play(); });
}

void MprisPlayerAdaptor::Seek(qlonglong offset) {
    mpris_.Seek(
        [this, offset] {
            const double seconds = mpris_.Commands().Media().Position() + offset / 1e6;
            mpris_.Commands().SetPosition(
                std::clamp(seconds, 0.0, mpris_.Commands().Media().Duration()));
        },
        MediaCommands::Sets::Nothing); // offsets add up: none is dropped
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& trackId, qlonglong position) {
    if (trackId.path() != mpris_.TrackId() || position < 0)
        return; // for another song, or before its start: ignored
    mpris_.Seek(
        [this, position] {
            if (position / 1e6 <= mpris_.Commands().Media().Duration())
                mpris_.Commands().SetPosition(position / 1e6);
        },
        MediaCommands::Sets::Position);
}

void MprisPlayerAdaptor::OpenUri(const QString& uri) {
    mpris_.Later([this, uri] { mpris_.Commands().OpenUris({uri}); });
}
