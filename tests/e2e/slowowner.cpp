// A stand-in for a running Tunevault on the session bus that answers late:
// it owns the player's bus name, takes the given seconds to tell who it is,
// and prints every call a second launch makes, one a line ("ready" first).
// Usage: slowowner SECONDS

#include <cstdio>

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QThread>

namespace {

int delaySeconds = 0;

void Say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

} // namespace

class Root : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(QString Identity READ Identity)
public:
    explicit Root(QObject* parent) : QDBusAbstractAdaptor(parent) {}
    QString Identity() const {
        QThread::sleep(delaySeconds);
        return QStringLiteral("Tunevault");
    }
public slots:
    void Raise() { Say(QStringLiteral("Raise")); }
};

class Player : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
public:
    explicit Player(QObject* parent) : QDBusAbstractAdaptor(parent) {}
public slots:
    void OpenUri(const QString& uri) { Say(QStringLiteral("OpenUri ") + uri); }
};

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    delaySeconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 0;
    QObject player;
    new Root(&player);
    new Player(&player);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/mpris/MediaPlayer2"), &player) ||
        !bus.registerService(QStringLiteral("org.mpris.MediaPlayer2.tunevault")))
        return 1;
    Say(QStringLiteral("ready"));
    return QCoreApplication::exec();
}

#include "slowowner.moc"
