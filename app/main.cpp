#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>

#include <QApplication>
#include <QDBusConnection>
#include <QIcon>
#include <QStandardPaths>
#include <fontconfig/fontconfig.h>

#include "app/commandline.h"
#include "app/program.h"
#include "base/say.h"
#include "controls/accessibility.h"
#include "controls/picture.h"
#include "controls/qtdialogs.h"
#include "controls/x11.h"
#include "desktop/mpris.h"
#include "desktop/singleinstance.h"
#include "player/gstmediaplayer.h"

namespace {

// The application id: names the desktop entry, the icon and the metainfo.
const QString AppId = QStringLiteral("org.tunevault.Tunevault");

bool PlatformChosen() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// Wayland lets no window place itself, but the companion windows must follow
// the main window: where X11 is reachable too, use it.
void PreferX11() {
    if (!PlatformChosen() && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

// The windows are small and a tick repaints a strip of a few thousand pixels:
// sent through the X connection, a paint needs no round trips to the server,
// where shared memory makes Qt wait for the server before each paint and
// after each flush (three wakeups a second instead of one while idle).
void PixelsThroughTheSocket() {
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

// Says in one line why the program cannot show its windows here, if it cannot.
bool ExplainMissingDisplay() {
    if (PlatformChosen() || !qEnvironmentVariableIsEmpty("DISPLAY"))
        return false;
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        MP3Mod::Say(QStringLiteral("this Wayland session has no XWayland (DISPLAY is not set); "
                                   "Tunevault needs XWayland to place its windows."));
    else
        MP3Mod::Say(QStringLiteral("no desktop session was found (DISPLAY is not set)."));
    return true;
}

// Reading the font configuration is most of the cost of the first text the
// windows lay out (5 ms of 8 here). It starts on a thread of its own while
// the application connects to the display; Qt then finds it loaded.
std::thread LoadFontConfiguration() {
    return std::thread([] { FcInit(); });
}

// Ends the process without waiting on the sound output, which may still be
// opening on its thread.
[[noreturn]] void EndAtOnce(int status = 0) {
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace

int main(int argc, char* argv[]) {
    const QStringList songs = SongsFromCommandLine(argc, argv);
    // Read before Qt takes it from the environment.
    const QByteArray startupId = qgetenv("DESKTOP_STARTUP_ID");
    if (ExplainMissingDisplay())
        return 1;
    std::thread fonts = LoadFontConfiguration();
    PreferX11();
    PixelsThroughTheSocket();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tunevault"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tunevault"));
    QGuiApplication::setDesktopFileName(AppId);
    QApplication::setWindowIcon(QIcon(MP3Mod::Picture(QStringLiteral(":/icon.png"))));
    QApplication::setQuitOnLastWindowClosed(false);
    MP3Mod::InstallAccessibility();
    // One Tunevault on the desktop: a second launch acts through the first.
    // The name is claimed on a thread while the windows are built; none is
    // shown, and nothing asked, before the answer.
    SingleInstance instance;
    std::future<SingleInstance::Outcome> claimed = std::async(std::launch::async, [&] {
        return instance.Claim(QDBusConnection::sessionBus(), songs, startupId);
    });

    fonts.join(); // before the first text
    const ProgramPaths paths{QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                                 QStringLiteral("/mp3.ini"),
                             QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)};
    GstMediaPlayer media(GstMediaPlayer::StreamIdentity{QStringLiteral("Tunevault"), AppId});
    QtDialogs dialogs;
    Program program(media, dialogs, paths, [] { EndAtOnce(); });
    // A launch that shows no window of its own ends its startup notification
    // itself, so that the desktop stops showing it as busy.
    switch (claimed.get()) {
    case SingleInstance::Outcome::HandedOver:
        MP3Mod::EndStartupNotification(startupId);
        EndAtOnce();
    case SingleInstance::Outcome::NoAnswer:
        MP3Mod::EndStartupNotification(startupId);
        MP3Mod::Say(QStringLiteral("Tunevault is running but does not answer"));
        EndAtOnce(1);
    case SingleInstance::Outcome::First:
    case SingleInstance::Outcome::NoBus:
        break;
    }
    program.Start(songs);
    // The desktop's controls and later launches come once the start-up has
    // finished: like the user's input, they must not reach the windows before.
    Mpris mpris(program.MediaControls(), AppId);
    if (const QString failure = mpris.Register(QDBusConnection::sessionBus()); !failure.isEmpty())
        MP3Mod::Say(QStringLiteral("the desktop's media controls cannot reach Tunevault: ") +
                    failure);
    instance.Serve(program.MediaControls());
    return QApplication::exec();
}
