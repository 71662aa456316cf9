// A playlist Tunevault writes plays in another Linux player, where one (mpv)
// is installed.

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include "base/playlistfiles.h"
#include "tests/support/mp3fixtures.h"
#include "tests/support/printers.h"
#include "tests/support/testfiles.h"

TEST(PlaylistInterop, MpvPlaysEveryEntryOfATunevaultPlaylist) {
    const QString mpv = QStandardPaths::findExecutable(QStringLiteral("mpv"));
    if (mpv.isEmpty())
        GTEST_SKIP() << "mpv is not installed";
    TestFolder folder;
    const QStringList songs = {MakeToneMp3(folder.at("with blank.mp3"), 0.3),
                               MakeToneMp3(folder.at(QString::fromUtf8("Ünïcode-é.mp3")), 0.3)};
    ASSERT_EQ(MP3Mod::WritePlaylistFile(folder.at("list.m3u"), songs), "");
    QProcess player;
    player.setProcessChannelMode(QProcess::MergedChannels);
    player.start(mpv,
                 {"--no-config", "--ao=null", "--vo=null", "--no-video",
                  "--term-playing-msg=PLAYING:${path}", "--playlist=" + folder.at("list.m3u")});
    ASSERT_TRUE(player.waitForFinished(30'000));
    QStringList played;
    const QString output = QString::fromUtf8(player.readAll());
    for (const auto& match :
         QRegularExpression("^PLAYING:(.*)$", QRegularExpression::MultilineOption)
             .globalMatch(output))
        played.append(match.captured(1));
    EXPECT_EQ(played, songs) << output.toStdString();
}
