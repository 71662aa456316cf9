#pragma once
// The program on the session bus as an MPRIS2 media player, so that the
// desktop's media controls, media keys and sound applets can reach it. Every
// method runs a MediaCommands command; properties are read from the program
// and announced when they change.

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

#include "base/mediaplayer.h"
#include "desktop/mediacommands.h"
#include "player/artcache.h"

class MediaCommands;

class Mpris : public QObject {
    Q_OBJECT
public:
    Mpris(MediaCommands& commands, QString desktopEntry);

    // Takes the bus name org.mpris.MediaPlayer2.tunevault (or, while a
    // program that is not Tunevault has it, one for this process) and the
    // player object. Returns the reason when it cannot.
    QString Register(const QDBusConnection& bus);

    // Read by the adaptors.
    MediaCommands& Commands() { return commands_; }
    const QString& DesktopEntry() const { return desktopEntry_; }
    QVariantMap Metadata() const;
    QString PlaybackStatus() const;
    qlonglong PositionMicroseconds() const;
    // The object path naming the song loaded now.
    QString TrackId() const;

    // Queues a command, so that a bus call is answered at once and the
    // command runs after those before it, never inside another.
    void Later(std::function<void()> command,
               MediaCommands::Sets sets = MediaCommands::Sets::Nothing);
    // Queues a command that moves the position, which then says so with Seeked.
    void Seek(std::function<void()> command, MediaCommands::Sets sets);

signals:
    void Seeked(qlonglong position);

private:
    // Announces the properties that differ from those announced last.
    void AnnounceChanges();
    QVariantMap PlayerProperties() const;
    void Announce(const QString& interface, const QVariantMap& now, QVariantMap& before);
    void AddPicture(const QByteArray& picture) const;
    void PictureStored(const QByteArray& picture, const QString& uri);

    MediaCommands& commands_;
    QString desktopEntry_;
    QDBusConnection bus_;
    QVariantMap announcedPlayer_;
    // The tag is read again only when the song, its length or the tags that
    // the player found change.
    mutable QString taggedFile_;
    mutable double taggedLength_ = -1;
    mutable MediaPlayer::SongTags taggedFound_;
    mutable QVariantMap metadata_;
    // The last cover picture stored as a file, and the one asked for last.
    mutable ArtCache art_;
    mutable QByteArray storedPicture_;
    mutable QString storedUri_;
    mutable QByteArray requestedPicture_;
    const std::function<void(const QByteArray&, const QString&)> pictureStored_;
};
