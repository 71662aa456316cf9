#include "tests/support/pulseserver.h"

#include <csignal>

#include <QTest>

PulseServer::PulseServer() {
    qputenv("PULSE_SERVER", "unix:" + socket().toUtf8());
}

PulseServer::~PulseServer() {
    Resume();
    Stop();
    qunsetenv("PULSE_SERVER");
}

bool PulseServer::Start() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"HOME", "XDG_RUNTIME_DIR", "PULSE_RUNTIME_PATH"})
        environment.insert(name, dir_.path());
    server_.setProcessEnvironment(environment);
    server_.start("pulseaudio",
                  {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no", "-L",
                   "module-null-sink", "-L",
                   "module-native-protocol-unix auth-anonymous=1 socket=" + socket()});
    return QTest::qWaitFor([this] { return !Run({"info"}).isEmpty(); }, 10'000);
}

void PulseServer::Stop() {
    server_.kill();
    server_.waitForFinished(5000);
}

void PulseServer::Pause() {
    if (server_.processId() > 0)
        ::kill(pid_t(server_.processId()), SIGSTOP);
}

void PulseServer::Resume() {
    if (server_.processId() > 0)
        ::kill(pid_t(server_.processId()), SIGCONT);
}

QString PulseServer::Run(const QStringList& arguments) const {
    QProcess pactl;
    pactl.start("pactl", arguments);
    if (!pactl.waitForFinished(5000) || pactl.exitCode() != 0)
        return {};
    return QString::fromUtf8(pactl.readAllStandardOutput());
}

bool PulseServer::HasStreamOf(const QString& program) const {
    return Run({"list", "sink-inputs"}).contains("application.name = \"" + program + "\"");
}
