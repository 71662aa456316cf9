// The whole program on the real player, against a sound server of the test's
// own that answers late or not at all (a paused PulseAudio still takes
// connections): a double-click cannot race the start-up, the windows answer
// while the output hangs, and the songs play silently until the server is back.

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/program.h"
#include "controls/label.h"
#include "controls/listbox.h"
#include "player/gstmediaplayer.h"
#include "tests/support/mp3fixtures.h"
#include "tests/support/printers.h"
#include "tests/support/pulseserver.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/startupchecks.h"
#include "tests/support/testfiles.h"

namespace {

// The longest time the event loop took to turn while the watch lived.
class LoopWatch {
public:
    LoopWatch() {
        since_.start();
        QObject::connect(&timer_, &QTimer::timeout,
                         [this] { longest_ = std::max(longest_, since_.restart()); });
        timer_.start(50);
    }
    qint64 longestMilliseconds() const { return std::max(longest_, since_.elapsed()); }

private:
    QTimer timer_;
    QElapsedTimer since_;
    qint64 longest_ = 0;
};

} // namespace

class SlowSoundServer : public testing::Test {
protected:
    void SetUp() override {
        if (!server.Start())
            GTEST_SKIP() << "pulseaudio could not be started here";
        for (const char* name : {"1 first.mp3", "2 second.mp3", "3 third.mp3"})
            MakeToneMp3(music.at(name), 4);
        config.write("mp3.ini", "[Settings]\nDIRECTORY=" + music.path().toUtf8() + "\n");
    }
    void TearDown() override {
        for (std::thread* helper : {&resumer, &clicker})
            if (helper->joinable())
                helper->join();
    }

    // Helpers run on threads of their own: the windows' thread may be the
    // one that the server holds up.
    void resumeServerAfter(int milliseconds) {
        resumer = std::thread([this, milliseconds] {
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
            server.Resume();
        });
    }
    // The user's double-click on "Double click here to continue", through
    // the X server as soon as the window shows, whatever the program is doing.
    void doubleClickWhenShown() {
        clicker = std::thread([] {
            std::system("for i in $(seq 500); do"
                        "  w=$(xdotool search --onlyvisible --name '^Tunevault song info$');"
                        "  [ -n \"$w\" ] && break; sleep 0.01; done;"
                        "eval \"$(xdotool getwindowgeometry --shell $w)\";"
                        "xdotool mousemove $((X + 150)) $((Y + 38)) click --repeat 2 --delay 80 1");
        });
    }
    // The same double-click, handed to the program's event queue.
    void doubleClickAfter(int milliseconds, Label* label) {
        auto* click = new QMouseEvent(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5),
                                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        clicker = std::thread([label, click, milliseconds] {
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
            QCoreApplication::postEvent(label, click);
        });
    }
    // Builds the program; started by start().
    void build() {
        media = std::make_unique<GstMediaPlayer>(
            GstMediaPlayer::StreamIdentity{"Tunevault", "org.tunevault.Tunevault"});
        program = std::make_unique<Program>(
            *media, dialogs, ProgramPaths{config.at("mp3.ini"), config.at("data")}, [] {});
    }
    void start() { program->Start(); }
    bool mainWindowsCameUp() {
        return !program->form3.isVisible() && program->form1.isVisible() &&
               program->form1.Stats->text() == "Thank you for waiting.";
    }
    bool plays(const char* song) {
        program->form1.List1->SetListIndex(int(program->form1.List1->Items().indexOf(song)));
        emit program->form1.List1->DoubleClick();
        return media->CurrentFile() == music.at(QString(song) + ".mp3") &&
               QTest::qWaitFor([this] { return media->Position() > 0.5; }, 15'000);
    }

    PulseServer server;
    TestFolder music;
    TestFolder config;
    ScriptedDialogs dialogs;
    std::unique_ptr<GstMediaPlayer> media;
    std::unique_ptr<Program> program;
    std::thread resumer;
    std::thread clicker;
};

// Input from the window system is what can slip into the start-up's own
// event handling: this scenario runs on X11, under the e2e test's Xvfb.
TEST_F(SlowSoundServer, ADoubleClickWhileTheOutputOpensComesAfterTheStartUp) {
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs an X server; run on one by the startup_race test";
    server.Pause();
    resumeServerAfter(2000);
    build();
    doubleClickWhenShown();
    start();
    ASSERT_TRUE(QTest::qWaitFor([this] { return mainWindowsCameUp(); }, 10'000));
    ExpectStartupFinished(*program);
    EXPECT_TRUE(program->form2.isVisible());
    EXPECT_TRUE(program->form4.isVisible());
}

TEST_F(SlowSoundServer, WindowsAnswerWhileTheOutputHangsAndSongsPlaySilently) {
    server.Pause();
    // A program held up by the server comes free then, and fails, rather than
    // hang the test.
    resumeServerAfter(12'000);
    testing::internal::CaptureStderr();
    build();
    const LoopWatch watch;
    start();
    doubleClickAfter(0, program->form3.lblDblClick);
    ASSERT_TRUE(QTest::qWaitFor([this] { return mainWindowsCameUp(); }, 5'000));
    EXPECT_TRUE(plays("1 first"));
    const qint64 longestTurn = watch.longestMilliseconds();
    const std::string said = testing::internal::GetCapturedStderr();
    // Generous: it catches windows held up by the server, not a slow machine.
    EXPECT_LT(longestTurn, 1000) << "the event loop stood still for " << longestTurn << " ms";
    EXPECT_NE(said.find("Tunevault: no audio output could be opened; playing silently."),
              std::string::npos)
        << said;

    // Once the server answers again, the next song plays through it.
    resumer.join();
    ASSERT_TRUE(plays("2 second"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return server.HasStreamOf("Tunevault"); }, 5'000));
}
