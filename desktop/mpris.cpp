#include "desktop/mpris.h"

#include <cmath>

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QStandardPaths>
#include <QTimer>
#include <unistd.h>

#include "base/files.h"
#include "base/id3.h"
#include "base/names.h"
#include "desktop/mediacommands.h"
#include "desktop/mprisadaptors.h"

namespace {

const QString ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString PlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString BusName = QStringLiteral("org.mpris.MediaPlayer2.tunevault");
const QString NoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");

qlonglong Microseconds(double seconds) {
    return seconds > 0 ? qlonglong(std::llround(seconds * 1e6)) : 0;
}

// Each field from what the player found in the song's own tags (ID3v2, whole
// and in any script) where it has it, else from the ID3v1 tag, which is cut
// to 30 Latin-1 characters. The windows show ID3v1 alone.
MP3Mod::Id3v1Tag DesktopFields(const QString& path, const MediaPlayer::SongTags& found) {
    const MP3Mod::Id3v1Tag tag = MP3Mod::ReadTag(path).value_or(MP3Mod::Id3v1Tag{});
    const auto either = [](const QString& own, const QString& v1) {
        return own.isEmpty() ? v1 : own;
    };
    return {either(found.title, tag.title), either(found.artist, tag.artist),
            either(found.album, tag.album), tag.year, found.track > 0 ? found.track : tag.track};
}

QVariantMap SongMetadata(const QString& path, const QString& trackId, double length,
                         const MediaPlayer::SongTags& found) {
    const MP3Mod::Id3v1Tag fields = DesktopFields(path, found);
    QVariantMap metadata{
        {QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(trackId))},
        {QStringLiteral("xesam:title"),
         fields.title.isEmpty() ? MP3Mod::SongDisplayName(path) : fields.title},
        {QStringLiteral("xesam:url"), MP3Mod::FileUri(path)},
    };
    if (!fields.artist.isEmpty())
        metadata.insert(QStringLiteral("xesam:artist"), QStringList{fields.artist});
    if (!fields.album.isEmpty())
        metadata.insert(QStringLiteral("xesam:album"), fields.album);
    if (fields.track > 0)
        metadata.insert(QStringLiteral("xesam:trackNumber"), fields.track);
    if (length > 0)
        metadata.insert(QStringLiteral("mpris:length"), Microseconds(length));
    return metadata;
}

} // namespace

Mpris::Mpris(MediaCommands& commands, QString desktopEntry)
    : commands_(commands), desktopEntry_(std::move(desktopEntry)),
      bus_(QStringLiteral("not connected")),
      art_(QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
           QStringLiteral("/art")),
      pictureStored_(
          [this](const QByteArray& picture, const QString& uri) { PictureStored(picture, uri); }) {
    new MprisRootAdaptor(*this);
    new MprisPlayerAdaptor(*this);
    connect(&commands_, &MediaCommands::Changed, this, &Mpris::AnnounceChanges);
}

QString Mpris::Register(const QDBusConnection& bus) {
    if (!bus.isConnected())
        return QStringLiteral("no session bus: ") + bus.lastError().message();
    bus_ = bus;
    if (!bus_.registerObject(ObjectPath, this, QDBusConnection::ExportAdaptors))
        return QStringLiteral("the player object cannot be registered");
    if (!bus_.registerService(BusName) &&
        !bus_.registerService(BusName + QStringLiteral(".instance") + QString::number(::getpid())))
        return QStringLiteral("no bus name: ") + bus_.lastError().message();
    announcedPlayer_ = PlayerProperties();
    return {};
}

QString Mpris::TrackId() const {
    const QString file = commands_.Media().CurrentFile();
    if (file.isEmpty())
        return NoTrack;
    return QStringLiteral("/org/tunevault/Tunevault/Track/") + QString::number(qHash(file), 16);
}

QVariantMap Mpris::Metadata() const {
    const QString file = commands_.Media().CurrentFile();
    const double length = commands_.Media().Duration();
    if (file.isEmpty())
        return {{QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(NoTrack))}};
    const MediaPlayer::SongTags found = commands_.Media().Tags();
    if (file != taggedFile_ || length != taggedLength_ || found != taggedFound_) {
        metadata_ = SongMetadata(file, TrackId(), length, found);
        AddPicture(found.picture);
        taggedFile_ = file;
        taggedLength_ = length;
        taggedFound_ = found;
    }
    return metadata_;
}

// The song's cover picture, once the cache holds it as a file: the picture is
// stored off the windows' thread, and the metadata announced again then.
void Mpris::AddPicture(const QByteArray& picture) const {
    if (picture.isEmpty())
        return;
    if (picture == storedPicture_) {
        if (!storedUri_.isEmpty())
            metadata_.insert(QStringLiteral("mpris:artUrl"), storedUri_);
        return;
    }
    if (picture == requestedPicture_)
        return;
    requestedPicture_ = picture;
    art_.Request(picture,
                 [stored = pictureStored_, picture](const QString& uri) { stored(picture, uri); });
}

void Mpris::PictureStored(const QByteArray& picture, const QString& uri) {
    storedPicture_ = picture;
    storedUri_ = uri;
    taggedFile_.clear(); // the metadata is made again, with the picture
    AnnounceChanges();
}

QString Mpris::PlaybackStatus() const {
    switch (commands_.Status()) {
    case MediaPlayer::PlayState::Playing:
        return QStringLiteral("Playing");
    case MediaPlayer::PlayState::Paused:
        return QStringLiteral("Paused");
    case MediaPlayer::PlayState::Stopped:
        break;
    }
    return QStringLiteral("Stopped");
}

qlonglong Mpris::PositionMicroseconds() const {
    return Microseconds(commands_.Media().Position());
}

void Mpris::Later(std::function<void()> command, MediaCommands::Sets sets) {
    commands_.Post(std::move(command), sets);
}

void Mpris::Seek(std::function<void()> command, MediaCommands::Sets sets) {
    Later(
        [this, command = std::move(command)] {
            command();
            emit Seeked(PositionMicroseconds());
        },
        sets);
}

QVariantMap Mpris::PlayerProperties() const {
    const MediaCommands& c = commands_;
    return {
        {QStringLiteral("PlaybackStatus"), PlaybackStatus()},
        {QStringLiteral("Metadata"), Metadata()},
        {QStringLiteral("Volume"), c.Volume()},
        {QStringLiteral("Rate"), c.Rate()},
        {QStringLiteral("MinimumRate"), c.MinimumRate()},
        {QStringLiteral("MaximumRate"), c.MaximumRate()},
        {QStringLiteral("CanGoNext"), c.CanGoNext()},
        {QStringLiteral("CanGoPrevious"), c.CanGoPrevious()},
        {QStringLiteral("CanPlay"), c.CanPlay()},
        {QStringLiteral("CanPause"), c.Loaded()},
        {QStringLiteral("CanSeek"), c.CanSeek()},
    };
}

void Mpris::AnnounceChanges() {
    if (!bus_.isConnected())
        return;
    Announce(PlayerInterface, PlayerProperties(), announcedPlayer_);
}

void Mpris::Announce(const QString& interface, const QVariantMap& now, QVariantMap& before) {
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (before.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    if (changed.isEmpty())
        return;
    before = now;
    QDBusMessage signal =
        QDBusMessage::createSignal(ObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << interface << changed << QStringList();
    bus_.send(signal);
}
