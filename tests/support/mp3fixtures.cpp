#include "tests/support/mp3fixtures.h"

#include <QFile>
#include <QProcess>

namespace {

void Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60'000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), process.readAllStandardError().constData());
}

} // namespace

QString MakeToneMp3(const QString& path, double seconds, int channels,
                    const QStringList& lameArguments) {
    const QString wave = path + QStringLiteral(".wav");
    Run(QStringLiteral("sox"), {"-n", "-r", "44100", "-c", QString::number(channels), wave, "synth",
                                QString::number(seconds), "sine", "440", "vol", "0.5"});
    Run(QStringLiteral("lame"),
        QStringList{"--quiet", "--cbr", "-b", "128"} + lameArguments + QStringList{wave, path});
    QFile::remove(wave);
    return path;
}
