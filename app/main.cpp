#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QStandardPaths>

#include "app/program.h"
#include "controls/qtdialogs.h"
#include "player/gstmediaplayer.h"

namespace {

// Wayland lets no window place itself, but the companion windows must follow
// the main window: where X11 is reachable too, use it.
void PreferX11() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

} // namespace

int main(int argc, char* argv[]) {
    PreferX11();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tunevault"));
    QApplication::setQuitOnLastWindowClosed(false);

    const ProgramPaths paths{QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                                 QStringLiteral("/mp3.ini"),
                             QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)};
    GstMediaPlayer media;
    QtDialogs dialogs;
    Program program(media, dialogs, paths, [] {
        std::fflush(nullptr);
        std::_Exit(0);
    });
    program.Start();
    return QApplication::exec();
}
