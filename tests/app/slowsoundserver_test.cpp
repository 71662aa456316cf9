// The whole program on the real player, against a sound server of the test's
// own that answers late or not at all (a paused PulseAudio still takes
// connections): a double-click cannot race the start-up, the windows answer
// while the output hangs, and the songs play silently until the server is back.

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <future>
#include <memory>
#include <thread>

#include <malloc.h>
#ifdef __SANITIZE_ADDRESS__
// The sanitizer's count of heap bytes in use, as its allocator_interface.h
// declares it (that header is not installed with every compiler).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/program.h"
#include "base/say.h"
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

// What the process holds: threads (those of the player's pipelines among
// them), open descriptors and heap bytes in use.
struct Resources {
    qsizetype threads = 0;
    qsizetype pipelines = 0;
    qsizetype descriptors = 0;
    qint64 heapBytes = 0;

    static Resources Now() {
        const auto entries = [](const char* folder) {
            return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        };
        const QStringList threads = entries("/proc/self/task");
        const auto pipelines = std::count_if(threads.begin(), threads.end(), [](const QString& id) {
            QFile name("/proc/self/task/" + id + "/comm");
            return name.open(QIODevice::ReadOnly) && name.readAll() == "pipeline\n";
        });
#ifdef __SANITIZE_ADDRESS__
        const auto heap = qint64(__sanitizer_get_current_allocated_bytes());
#else
        const auto heap = qint64(mallinfo2().uordblks);
#endif
        return {threads.size(), pipelines, entries("/proc/self/fd").size(), heap};
    }
    static Resources Most(const Resources& a, const Resources& b) {
        return {std::max(a.threads, b.threads), std::max(a.pipelines, b.pipelines),
                std::max(a.descriptors, b.descriptors), std::max(a.heapBytes, b.heapBytes)};
    }
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
        resumeServerNow();
        for (std::thread* helper : {&resumer, &clicker})
            if (helper->joinable())
                helper->join();
    }

    // Helpers run on threads of their own: the windows' thread may be the
    // one that the server holds up.
    void resumeServerAfter(int milliseconds) {
        resumer = std::thread([this, milliseconds, now = resumeNow.get_future()] {
            now.wait_for(std::chrono::milliseconds(milliseconds));
            server.Resume();
        });
    }
    void resumeServerNow() {
        if (!resumed.exchange(true))
            resumeNow.set_value();
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
    bool plays(const char* song, double seconds = 0.5) {
        program->form1.List1->SetListIndex(int(program->form1.List1->Items().indexOf(song)));
        emit program->form1.List1->DoubleClick();
        return media->CurrentFile() == music.at(QString(song) + ".mp3") &&
               QTest::qWaitFor([this, seconds] { return media->Position() > seconds; }, 15'000);
    }

    PulseServer server;
    TestFolder music;
    TestFolder config;
    ScriptedDialogs dialogs;
    std::unique_ptr<GstMediaPlayer> media;
    std::unique_ptr<Program> program;
    std::thread resumer;
    std::promise<void> resumeNow;
    std::atomic<bool> resumed{false};
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

// A session of many songs on a hung server keeps at most one output stuck
// opening: the songs after the first play silently at once.
TEST_F(SlowSoundServer, WindowsAnswerWhileTheOutputHangsAndSongsPlaySilently) {
    server.Pause();
    // A program held up by the server comes free then, and fails, rather than
    // hang the test.
    resumeServerAfter(60'000);
    const MP3Mod::SaidLines said;
    build();
    const LoopWatch watch;
    start();
    doubleClickAfter(0, program->form3.lblDblClick);
    ASSERT_TRUE(QTest::qWaitFor([this] { return mainWindowsCameUp(); }, 5'000));
    EXPECT_TRUE(plays("1 first"));
    const Resources before = Resources::Now();
    Resources most = before;
    for (int skip = 0; skip < 30; ++skip) {
        ASSERT_TRUE(plays(skip % 2 == 0 ? "2 second" : "3 third", 0)) << skip;
        most = Resources::Most(most, Resources::Now());
    }
    const Resources after = Resources::Now();
    const qint64 longestTurn = watch.longestMilliseconds();
    // The stuck one, the one playing, and one retired that is ending; a stuck
    // output per song would add a pipeline, and its threads, each.
    EXPECT_LE(most.pipelines, 3);
    EXPECT_LE(most.threads, before.threads + 4);
    EXPECT_LE(most.descriptors, before.descriptors + 8);
    EXPECT_LT(after.heapBytes - before.heapBytes, 2 << 20);
    // Generous: it catches windows held up by the server, not a slow machine.
    EXPECT_LT(longestTurn, 1000) << "the event loop stood still for " << longestTurn << " ms";
    EXPECT_TRUE(said.Contains("Tunevault: no audio output could be opened; playing silently."))
        << said.Lines().join('\n').toStdString();

    // Once the server answers again and the stuck output has ended (its
    // thread gone), the next song plays through it.
    resumeServerNow();
    EXPECT_TRUE(QTest::qWaitFor([] { return Resources::Now().pipelines == 1; }));
    ASSERT_TRUE(plays("1 first"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return server.HasStreamOf("Tunevault"); }, 5'000));
}
