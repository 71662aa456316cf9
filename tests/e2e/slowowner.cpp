// A stand-in for a running Tunevault on the session bus that answers late:
// it owns the application's bus name, takes the given seconds to answer a
// call of org.freedesktop.Application, and prints every call a second launch
// makes, one a line ("ready" first).
// Usage: slowowner SECONDS

#include <cstdio>

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QThread>
#include <QVariantMap>

namespace {

int delaySeconds = 0;

void Say(const QString& line) {
    QThread::sleep(delaySeconds);
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

} // namespace

class Application : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    explicit Application(QObject* parent) : QDBusAbstractAdaptor(parent) {}
public slots:
    void Activate(const QVariantMap&) { Say(QStringLiteral("Activate")); }
    void Open(const QStringList& uris, const QVariantMap&) {
        Say(QStringLiteral("Open ") + uris.join(QLatin1Char(' ')));
    }
};

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    delaySeconds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 0;
    QObject application;
    new Application(&application);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/tunevault/Tunevault"), &application) ||
        !bus.registerService(QStringLiteral("org.tunevault.Tunevault")))
        return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}

#include "slowowner.moc"
