// Auto next with the real player: three short songs play one after another
// to the end of the list, and the mode switches itself off.

#include <QAction>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/program.h"
#include "base/common.h"
#include "controls/listbox.h"
#include "player/gstmediaplayer.h"
#include "tests/support/mp3fixtures.h"
#include "tests/support/printers.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/testfiles.h"

TEST(AutoNextForReal, PlaysThreeSongsToTheEndOfTheListAndSwitchesOff) {
    TestFolder music;
    for (const char* name : {"1 first.mp3", "2 second.mp3", "3 third.mp3"})
        MakeToneMp3(music.at(name), 2);
    TestFolder config;
    config.write("mp3.ini", "[Settings]\nDIRECTORY=" + music.path().toUtf8() + "\n");
    GstMediaPlayer media(PlayerPipeline::SilentSink());
    ScriptedDialogs dialogs;
    Program program(media, dialogs, {config.at("mp3.ini"), config.at("data")}, [] {});
    program.Start();

    QStringList played;
    QList<qint64> startedAt; // milliseconds, for each song played
    QElapsedTimer clock;
    clock.start();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (played.isEmpty() || played.last() != media.CurrentFile()) {
            played.append(media.CurrentFile());
            startedAt.append(clock.elapsed());
        }
    });
    watch.start(10);
    program.form1.List1->SetListIndex(0);
    emit program.form1.List1->DoubleClick();
    program.form1.AutoNext->trigger();
    ASSERT_TRUE(program.form1.AutoNext->isChecked());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !program.form1.AutoNext->isChecked(); }, 20'000));
    EXPECT_EQ(played, QStringList({music.at("1 first.mp3"), music.at("2 second.mp3"),
                                   music.at("3 third.mp3")}));
    // Each song stays current for about its 2 seconds (the song-ended test
    // compares whole seconds, so up to half a second less): none is skipped
    // while it is still opening.
    startedAt.append(clock.elapsed()); // the last song ends as the mode goes off
    for (qsizetype i = 1; i < startedAt.size(); ++i)
        EXPECT_GE(startedAt[i] - startedAt[i - 1], 1300) << played[i - 1].toStdString();
    EXPECT_EQ(program.form1.List1->ListIndex(), 2);
    // The last song reached its end by the song-ended test: equal time texts.
    EXPECT_EQ(MP3Mod::PositionText(media), MP3Mod::DurationText(media));
}
