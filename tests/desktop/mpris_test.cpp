// The MPRIS2 player on a private session bus, driven by a QtDBus client, over
// the whole program on the fake player; and the media keys.

#include <future>

#include <QAction>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

#include "base/common.h"
#include "base/files.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "controls/slider.h"
#include "desktop/mpris.h"
#include "desktop/singleinstance.h"
#include "tests/support/id3block.h"
#include "tests/support/programfixture.h"

namespace {

const QString Service = "org.mpris.MediaPlayer2.tunevault";
const QString Path = "/org/mpris/MediaPlayer2";
const QString Player = "org.mpris.MediaPlayer2.Player";

// A session bus of the test's own, ended with it.
class PrivateBus {
public:
    PrivateBus() {
        QProcess daemon;
        daemon.start("dbus-daemon", {"--session", "--fork", "--print-address=1", "--print-pid=1"});
        daemon.waitForFinished(10'000);
        const QStringList lines = QString::fromUtf8(daemon.readAllStandardOutput()).split('\n');
        if (lines.size() >= 2) {
            address = lines[0].trimmed();
            pid = lines[1].trimmed().toLongLong();
        }
    }
    ~PrivateBus() {
        if (pid > 0)
            QProcess::execute("kill", {QString::number(pid)});
    }
    QDBusConnection connect(const QString& name) const {
        return QDBusConnection::connectToBus(address, name);
    }

    QString address;
    qint64 pid = 0;
};

// Keeps the arguments of every bus signal it receives.
class SignalLog : public QObject {
    Q_OBJECT
public:
    int count() const { return int(received_.size()); }
    QVariantList last() const { return received_.last(); }
public slots:
    void Received(const QDBusMessage& message) { received_.append(message.arguments()); }

private:
    QList<QVariantList> received_;
};

} // namespace

class MprisTest : public ProgramTest {
protected:
    void SetUp() override {
        music.write("a.mp3",
                    QByteArray(300, 'a') + Id3Block({"Tagged Title", "An Artist", "", ""}));
        music.write("b_song.mp3", QByteArray(300, 'b'));
        storeDirectory(music.path());
        start();
        media.duration = 100;
        ASSERT_FALSE(bus.address.isEmpty()) << "dbus-daemon did not start";
        mpris = std::make_unique<Mpris>(program->MediaControls(), "org.tunevault.Tunevault");
        ASSERT_EQ(mpris->Register(bus.connect("tunevault")), "");
        ASSERT_EQ(instance.Claim(bus.connect("tunevault"), {}, {}), SingleInstance::Outcome::First);
        client = std::make_unique<QDBusConnection>(bus.connect("client"));
    }
    // Calls a method and lets the program run it.
    void call(const QString& interface, const QString& method, const QVariantList& args = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(Service, Path, interface, method);
        message.setArguments(args);
        QDBusPendingCall pending = client->asyncCall(message);
        ASSERT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, 5000));
        ASSERT_FALSE(pending.isError()) << pending.error().message().toStdString();
        QTest::qWait(50);
    }
    QVariant property(const QString& interface, const QString& name) {
        QDBusMessage message =
            QDBusMessage::createMethodCall(Service, Path, "org.freedesktop.DBus.Properties", "Get");
        message << interface << name;
        QDBusPendingCall pending = client->asyncCall(message);
        if (!QTest::qWaitFor([&] { return pending.isFinished(); }, 5000))
            return {};
        return pending.reply().arguments().value(0).value<QDBusVariant>().variant();
    }
    // What a second launch does with the songs, from a thread of its own (it
    // waits for this program's answers, which this thread gives).
    SingleInstance::Outcome secondLaunch(const QStringList& songs) {
        SingleInstance second;
        std::future<SingleInstance::Outcome> handed = std::async(std::launch::async, [&] {
            return second.Claim(bus.connect("second launch"), songs, {});
        });
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return handed.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
            10'000));
        return handed.get();
    }
    // A media key pressed while a window has the focus; its command runs
    // from the event loop.
    void press(Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(form1().List1, &event);
        QTest::qWait(50);
    }
    QVariantMap metadata() {
        const QVariant value = property(Player, "Metadata");
        QVariantMap map;
        value.value<QDBusArgument>() >> map;
        return map;
    }

    PrivateBus bus;
    SingleInstance instance; // claimed at the start, served once a test says so
    std::unique_ptr<Mpris> mpris;
    std::unique_ptr<QDBusConnection> client;
};

TEST_F(MprisTest, RootInterfaceNamesTheProgramAndRaisesAndQuitsIt) {
    const QString root = "org.mpris.MediaPlayer2";
    EXPECT_EQ(property(root, "Identity").toString(), "Tunevault");
    EXPECT_EQ(property(root, "DesktopEntry").toString(), "org.tunevault.Tunevault");
    EXPECT_TRUE(property(root, "CanQuit").toBool());
    EXPECT_TRUE(property(root, "CanRaise").toBool());
    ASSERT_TRUE(form3().isVisible());
    call(root, "Raise"); // goes on from the song info window, as its double-click
    EXPECT_TRUE(QTest::qWaitFor([this] { return form1().isVisible() && form2().isVisible(); }));
    call(root, "Quit");
    EXPECT_EQ(ends, 1);
}

TEST_F(MprisTest, PlayerCommandsActAsTheWindowsOwnControls) {
    // Play with nothing loaded plays the first row of the song list.
    media.currentFile.clear();
    media.opened.clear();
    select(-1);
    call(Player, "Play");
    EXPECT_EQ(media.opened, QStringList({music.at("a.mp3")}));
    EXPECT_EQ(property(Player, "PlaybackStatus").toString(), "Playing");
    QVariantMap song = metadata();
    EXPECT_EQ(song["xesam:title"].toString(), "Tagged Title");
    EXPECT_EQ(song["xesam:artist"].toStringList(), QStringList({"An Artist"}));
    EXPECT_EQ(song["xesam:url"].toString(), "file://" + music.at("a.mp3"));
    EXPECT_EQ(song["mpris:length"].toLongLong(), 100'000'000);

    // Pause and PlayPause act as the pause glyph, which shows it.
    call(Player, "Pause");
    EXPECT_EQ(form2().lblpause->Caption(), "3");
    EXPECT_EQ(property(Player, "PlaybackStatus").toString(), "Paused");
    call(Player, "PlayPause");
    EXPECT_EQ(form2().lblpause->Caption(), ";");
    EXPECT_EQ(media.state, MediaPlayer::PlayState::Playing);

    // Volume moves the volume slider, as the user's move does.
    call("org.freedesktop.DBus.Properties", "Set",
         {Player, "Volume", QVariant::fromValue(QDBusVariant(0.5))});
    EXPECT_EQ(form2().Volume->Value(), 50);
    EXPECT_EQ(media.volume, -1250); // 12.5 dB below full
    EXPECT_DOUBLE_EQ(property(Player, "Volume").toDouble(), 0.5);

    // SetPosition moves the seek slider for the song loaded now only.
    const QDBusObjectPath track = song["mpris:trackid"].value<QDBusObjectPath>();
    call(Player, "SetPosition", {QVariant::fromValue(QDBusObjectPath("/other")), 10'000'000LL});
    EXPECT_EQ(form2().bar->Value(), 0);
    call(Player, "SetPosition", {QVariant::fromValue(track), 30'000'000LL});
    EXPECT_EQ(form2().bar->Value(), 30);
    EXPECT_EQ(media.position, 30);
    EXPECT_EQ(property(Player, "Position").toLongLong(), 30'000'000);
    call(Player, "Seek", {-5'000'000LL});
    EXPECT_EQ(media.position, 25);

    // Next runs the song list's Next: the second row, whose title is its name.
    call(Player, "Next");
    EXPECT_EQ(media.CurrentFile(), music.at("b_song.mp3"));
    EXPECT_EQ(metadata()["xesam:title"].toString(), "b song");
    EXPECT_FALSE(property(Player, "CanGoNext").toBool()); // the last row
    call(Player, "Stop");
    EXPECT_EQ(property(Player, "PlaybackStatus").toString(), "Stopped");
}

TEST_F(MprisTest, ChangesAreAnnouncedAndSeeksSaidSo) {
    SignalLog changed;
    SignalLog seeked;
    ASSERT_TRUE(client->connect(Service, Path, "org.freedesktop.DBus.Properties",
                                "PropertiesChanged", &changed, SLOT(Received(QDBusMessage))));
    ASSERT_TRUE(
        client->connect(Service, Path, Player, "Seeked", &seeked, SLOT(Received(QDBusMessage))));
    call(Player, "Pause");
    ASSERT_TRUE(QTest::qWaitFor([&] { return changed.count() > 0; }, 2000));
    EXPECT_EQ(changed.last().value(0).toString(), Player);
    EXPECT_EQ(qdbus_cast<QVariantMap>(changed.last().value(1))["PlaybackStatus"], "Paused");
    // A change made in the windows is announced with the panel's next time tick.
    emit form2().lblpause->Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return changed.count() > 1; }, 2000));
    EXPECT_EQ(qdbus_cast<QVariantMap>(changed.last().value(1))["PlaybackStatus"], "Playing");
    const QString track = metadata()["mpris:trackid"].value<QDBusObjectPath>().path();
    call(Player, "SetPosition", {QVariant::fromValue(QDBusObjectPath(track)), 40'000'000LL});
    ASSERT_TRUE(QTest::qWaitFor([&] { return seeked.count() > 0; }, 2000));
    EXPECT_EQ(seeked.last().value(0).toLongLong(), 40'000'000);
}

TEST_F(MprisTest, MediaKeysToggleAndStepLikeTheMediaControls) {
    select(0);
    press(Qt::Key_MediaTogglePlayPause);
    EXPECT_EQ(form2().lblpause->Caption(), "3");
    press(Qt::Key_MediaTogglePlayPause);
    EXPECT_EQ(form2().lblpause->Caption(), ";");
    // X11 sends the keyboard's play/pause key as Play: it toggles too.
    press(Qt::Key_MediaPlay);
    EXPECT_EQ(form2().lblpause->Caption(), "3");
    press(Qt::Key_MediaPlay);
    EXPECT_EQ(form2().lblpause->Caption(), ";");
    press(Qt::Key_MediaNext);
    EXPECT_EQ(form1().List1->ListIndex(), 1);
    EXPECT_EQ(media.CurrentFile(), music.at("b_song.mp3"));
}

// The desktop's commands leave the menu items as the windows' own second
// click would, and never open a dialog: where Next or Previous would only
// refuse, they do nothing.
TEST_F(MprisTest, DesktopCommandsFollowTheMenuItemsAndOpenNoDialog) {
    select(1); // the last row
    dialogs.shown.clear();
    for (int i = 0; i < 3; ++i) {
        call(Player, "Next");
        press(Qt::Key_MediaNext);
    }
    call(Player, "Previous");
    EXPECT_TRUE(dialogs.shown.empty());

    form1().Stop1->trigger();
    ASSERT_TRUE(form1().Stop1->isChecked());
    call(Player, "Play");
    EXPECT_FALSE(form1().Stop1->isChecked());
    EXPECT_EQ(media.state, MediaPlayer::PlayState::Playing);
    form1().Stop1->trigger(); // one click stops again
    EXPECT_EQ(media.state, MediaPlayer::PlayState::Stopped);
    form1().Stop1->trigger();

    form1().Pause1->trigger();
    ASSERT_EQ(form1().Pause1->text(), "Resume");
    press(Qt::Key_MediaPlay);
    EXPECT_EQ(form1().Pause1->text(), "Pause");
    EXPECT_EQ(media.state, MediaPlayer::PlayState::Playing);
    form1().Pause1->trigger(); // one click pauses again
    EXPECT_EQ(media.state, MediaPlayer::PlayState::Paused);
}

// Songs handed to the program by URI, and a second Tunevault that hands its
// songs or its launch to the first.
TEST_F(MprisTest, SongsGivenByUriOrASecondLaunchPlayThroughThePlaylist) {
    const QString root = "org.mpris.MediaPlayer2";
    EXPECT_EQ(property(root, "SupportedUriSchemes").toStringList(), QStringList({"file"}));
    EXPECT_EQ(property(root, "SupportedMimeTypes").toStringList(), QStringList({"audio/mpeg"}));
    const QString song = music.write("dir with blanks/c song.mp3",
                                     QByteArray(300, 'c') + Id3Block({.title = "C", .track = 7}));
    call(Player, "OpenUri", {MP3Mod::FileUri(song)});
    EXPECT_EQ(metadata()["xesam:trackNumber"].toInt(), 7);
    call(Player, "OpenUri", {MP3Mod::FileUri(music.write("cover.jpg"))});
    call(Player, "OpenUri", {"http://example.invalid/d.mp3"});
    EXPECT_EQ(form4().List2->Items(), QStringList({song}));
    EXPECT_EQ(form4().List1->Items(), QStringList({"c song.mp3"}));
    EXPECT_EQ(media.CurrentFile(), song);

    // Launches during the start-up are answered, and wait for its end; all
    // songs of one launch are appended in order, and the first plays.
    const QString other = music.write("d.mp3", QByteArray(300, 'd'));
    const QString last = music.write("e.mp3", QByteArray(300, 'e'));
    EXPECT_EQ(secondLaunch({other, last}), SingleInstance::Outcome::HandedOver);
    QTest::qWait(100);
    EXPECT_EQ(media.CurrentFile(), song);
    instance.Serve(program->MediaControls());
    EXPECT_TRUE(QTest::qWaitFor([&] { return media.CurrentFile() == other; }, 5000));
    EXPECT_EQ(form4().List2->Items(), QStringList({song, other, last}));
    EXPECT_TRUE(form3().isVisible());
    EXPECT_EQ(secondLaunch({}), SingleInstance::Outcome::HandedOver); // raised
    EXPECT_TRUE(QTest::qWaitFor([this] { return form1().isVisible(); }, 5000));

    // A Tunevault that does not answer (here: this thread, busy) is said so
    // in time, and no second player starts.
    SingleInstance hung;
    EXPECT_EQ(hung.Claim(bus.connect("second launch"), {other}, {}),
              SingleInstance::Outcome::NoAnswer);
}

// For a song without an ID3v1 tag the desktop gets what the player found in
// the song's own tags, then its picture as a file; the windows show "n/a".
TEST_F(MprisTest, SongsShowTheirOwnTagsFirstAndTheirPicture) {
    const QByteArray png = QByteArray("\x89PNG\r\n\x1a\n") + QByteArray(200, 'p');
    media.tags = {"Own Title", "Own Artist", "Own Album", 4, png};
    select(1); // b_song.mp3: no ID3v1 tag
    emit form1().List1->DoubleClick();
    ASSERT_EQ(media.CurrentFile(), music.at("b_song.mp3"));
    // The picture is stored off the windows' thread, and comes a little later.
    QVariantMap song;
    EXPECT_TRUE(QTest::qWaitFor([&] { return (song = metadata()).contains("mpris:artUrl"); }));
    EXPECT_EQ(song["xesam:title"].toString(), "Own Title");
    EXPECT_EQ(song["xesam:artist"].toStringList(), QStringList({"Own Artist"}));
    EXPECT_EQ(song["xesam:album"].toString(), "Own Album");
    EXPECT_EQ(song["xesam:trackNumber"].toInt(), 4);
    const QString art = song["mpris:artUrl"].toString();
    ASSERT_TRUE(art.startsWith("file://")) << art.toStdString();
    const QString picture = MP3Mod::PathFromFileUri(art);
    EXPECT_TRUE(picture.startsWith(qEnvironmentVariable("XDG_CACHE_HOME")));
    EXPECT_TRUE(picture.endsWith(".png"));
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), png);
    // A song with both tags: each field from its own tags where they have it;
    // the windows keep ID3v1.
    media.tags = {"A Title Longer Than ID3v1's Thirty Characters", "", "", 0, {}};
    select(0);
    emit form1().List1->DoubleClick();
    song = metadata();
    EXPECT_EQ(song["xesam:title"].toString(), "A Title Longer Than ID3v1's Thirty Characters");
    EXPECT_EQ(song["xesam:artist"].toStringList(), QStringList({"An Artist"}));
    EXPECT_EQ(form1().Title->text(), "Tagged Title");
}

// Volume 0 is silence, through the program's own mute; the volume reads back
// as it was set. A stream of sets, as a dragged desktop slider sends, runs
// no command inside another, and the last one wins.
TEST_F(MprisTest, VolumeZeroMutesAndAVolumeAboveBringsTheSoundBack) {
    auto setVolume = [this](double volume) {
        call("org.freedesktop.DBus.Properties", "Set",
             {Player, "Volume", QVariant::fromValue(QDBusVariant(volume))});
    };
    setVolume(0.0);
    EXPECT_TRUE(media.muted);
    EXPECT_TRUE(form1().Mute->isChecked());
    EXPECT_EQ(property(Player, "Volume").toDouble(), 0.0);
    setVolume(0.5);
    EXPECT_FALSE(media.muted);
    EXPECT_FALSE(form1().Mute->isChecked());
    EXPECT_EQ(property(Player, "Volume").toDouble(), 0.5);
    setVolume(0.8);
    EXPECT_EQ(form2().Volume->Value(), 80);

    QDBusMessage set =
        QDBusMessage::createMethodCall(Service, Path, "org.freedesktop.DBus.Properties", "Set");
    for (int i = 1; i <= 3000; ++i) {
        set.setArguments({Player, "Volume", QVariant::fromValue(QDBusVariant(i % 97 / 100.0))});
        client->asyncCall(set);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return form2().Volume->Value() == 3000 % 97; }, 20'000));

    int runs = 0;
    int running = 0;
    int deepest = 0;
    const auto waiting = [&] {
        ++runs;
        deepest = std::max(deepest, ++running);
        MP3Mod::WaitSeconds(0.5);
        --running;
    };
    program->MediaControls().Post([&] {
        program->MediaControls().Post(waiting); // arrives while this one runs
        waiting();
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return runs == 2; }, 2000));
    EXPECT_EQ(deepest, 1);
}

#include "mpris_test.moc"
