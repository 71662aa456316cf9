// The real player on the desktop's sound path, against a private PulseAudio
// server with a null sink: the stream names the program to the server and asks
// for a deeper buffer than the sink's default, and when the server goes away
// mid-song the player says so and plays the next song once the server is back,
// even the last of a burst.

#include <algorithm>
#include <cmath>

#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

#include "base/say.h"
#include "player/gstmediaplayer.h"
#include "tests/support/mp3fixtures.h"
#include "tests/support/printers.h"
#include "tests/support/pulseserver.h"
#include "tests/support/testfiles.h"

namespace {

// The latency the server's sink has set itself to, in microseconds: it
// follows the buffer its one stream asked for (90 ms for the sink's default of
// 200 ms).
int ConfiguredSinkLatency(const PulseServer& server) {
    static const QRegularExpression configured(QStringLiteral("configured (\\d+) usec"));
    return configured.match(server.Run({"list", "sinks"})).captured(1).toInt();
}

bool Advances(const GstMediaPlayer& player) {
    return QTest::qWaitFor([&] { return player.Position() > 0.3; }, 5000);
}

// The loudness of what the server's sink plays over the next half second, in
// decibels of full scale, from the sink's monitor.
double RecordedLevel() {
    QProcess parec;
    parec.start("parec", {"--device=@DEFAULT_MONITOR@", "--raw", "--format=s16le", "--channels=1",
                          "--latency-msec=20"});
    QTest::qWait(500);
    const QByteArray sound = parec.readAllStandardOutput();
    parec.kill();
    parec.waitForFinished();
    const auto* samples = reinterpret_cast<const qint16*>(sound.constData());
    const qsizetype count = sound.size() / 2;
    double sum = 0;
    for (qsizetype i = 0; i < count; ++i)
        sum += double(samples[i]) * samples[i];
    return 10 * std::log10(std::max(sum / std::max<qsizetype>(count, 1), 1e-3) / (32768.0 * 32768));
}

} // namespace

TEST(SoundServer, StreamNamesTheProgramAndOutlivesARestartOfTheServer) {
    PulseServer server;
    if (!server.Start())
        GTEST_SKIP() << "pulseaudio could not be started here";
    TestFolder songs;
    MakeToneMp3(songs.at("first.mp3"), 10);
    MakeToneMp3(songs.at("second.mp3"), 10);
    GstMediaPlayer player(GstMediaPlayer::StreamIdentity{"Tunevault", "org.tunevault.Tunevault"});
    player.OpenFile(songs.at("first.mp3"));
    ASSERT_TRUE(Advances(player));
    const QString streams = server.Run({"list", "sink-inputs"});
    EXPECT_TRUE(streams.contains("application.name = \"Tunevault\"")) << streams.toStdString();
    EXPECT_TRUE(streams.contains("media.role = \"music\"")) << streams.toStdString();
    EXPECT_TRUE(streams.contains("application.icon_name = \"org.tunevault.Tunevault\""));
    EXPECT_GT(ConfiguredSinkLatency(server), 120'000);

    server.Stop();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return player.State() == MediaPlayer::PlayState::Stopped; }, 5000));
    EXPECT_TRUE(player.LastFailure().startsWith("the sound output was lost"))
        << player.LastFailure().toStdString();

    // Then a burst of songs, as a desktop hands over thousands at once: the
    // opens that a later one replaced are skipped, so the last one opens the
    // output well within its limit.
    ASSERT_TRUE(server.Start());
    for (int n = 0; n < 3000; ++n)
        player.OpenFile(songs.at(n % 2 == 0 ? "first.mp3" : "second.mp3"));
    EXPECT_TRUE(Advances(player));
    EXPECT_FALSE(player.Silent());
    EXPECT_TRUE(server.Run({"list", "sink-inputs"}).contains("Tunevault"));
}

// With no server at the start, the player plays silently and says so; a
// server started since takes the next song.
TEST(SoundServer, TheNextSongPlaysThroughAServerStartedLater) {
    PulseServer server; // named, not started yet
    TestFolder songs;
    MakeToneMp3(songs.at("first.mp3"), 10);
    MakeToneMp3(songs.at("second.mp3"), 10);
    const MP3Mod::SaidLines said;
    GstMediaPlayer player(GstMediaPlayer::StreamIdentity{"Tunevault", "org.tunevault.Tunevault"});
    player.OpenFile(songs.at("first.mp3"));
    ASSERT_TRUE(Advances(player));
    if (!said.Contains("Tunevault: no audio output could be opened; playing silently."))
        GTEST_SKIP() << "this machine has a sound device of its own";
    EXPECT_TRUE(player.Silent());
    if (!server.Start())
        GTEST_SKIP() << "pulseaudio could not be started here";
    player.OpenFile(songs.at("second.mp3"));
    EXPECT_TRUE(Advances(player));
    EXPECT_TRUE(server.HasStreamOf("Tunevault"));
    EXPECT_FALSE(player.Silent());
}

// On a server the stream's own volume carries volume and mute, so that a
// change is heard at once rather than after the sound already queued; the
// loudness is the same as the player's own: -12.5 dB for -1250, silence
// for mute.
TEST(SoundServer, TheServerAppliesVolumeAndMuteAtTheSameLoudness) {
    PulseServer server;
    if (!server.Start())
        GTEST_SKIP() << "pulseaudio could not be started here";
    TestFolder songs;
    MakeToneMp3(songs.at("tone.mp3"), 10);
    GstMediaPlayer player(GstMediaPlayer::StreamIdentity{"Tunevault", "org.tunevault.Tunevault"});
    player.OpenFile(songs.at("tone.mp3"));
    ASSERT_TRUE(Advances(player));
    QTest::qWait(300);
    const double full = RecordedLevel();
    player.Volume(-1250);
    EXPECT_TRUE(server.Run({"list", "sink-inputs"}).contains("-12.50 dB"));
    EXPECT_NEAR(RecordedLevel(), full - 12.5, 0.3);
    player.Mute(true);
    EXPECT_TRUE(server.Run({"list", "sink-inputs"}).contains("Mute: yes"));
    EXPECT_LT(RecordedLevel(), full - 60);
}
