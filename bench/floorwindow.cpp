// The floor of starting up: a bare frameless Qt window with the given title.
// With --desktop it also does what every single-instance desktop program
// does before its window: it asks the session bus once whether a name is
// owned, and lays out one line of text in a QLineEdit (which loads the
// fonts). With a folder, a bare std::filesystem listing of it with the song
// pattern and a case-insensitive sort comes first.
// Usage: floorwindow [--desktop] TITLE [FOLDER]

#include <string>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QLineEdit>
#include <QWidget>

#include "bench/barelisting.h"

int main(int argc, char* argv[]) {
    const bool desktop = argc > 1 && std::string(argv[1]) == "--desktop";
    char** args = argv + (desktop ? 2 : 1);
    const int count = argc - (desktop ? 2 : 1);
    if (count > 1)
        SortedSongNames(args[1]);
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window.setWindowTitle(QString::fromLocal8Bit(args[0]));
    window.resize(265, 154);
    if (desktop) {
        QDBusConnection::sessionBus().interface()->isServiceRegistered(
            QStringLiteral("org.tunevault.Floor"));
        auto* line = new QLineEdit(QStringLiteral("One line of text"), &window);
        line->setGeometry(10, 10, 200, 20);
    }
    window.show();
    return QApplication::exec();
}
