#include "app/commandline.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include "base/files.h"
#include "base/names.h"
#include "base/say.h"

namespace {

// An argument as the file system's bytes, made absolute. The working folder
// is taken as bytes too: Qt's own reading of it loses a name that is not UTF-8.
QString AbsolutePath(const char* argument) {
    const QString path = MP3Mod::DecodeFileName(QByteArray(argument));
    if (path.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(path);
    std::error_code error;
    const QString folder =
        MP3Mod::DecodeFileName(QByteArray::fromStdString(std::filesystem::current_path(error)));
    return QDir::cleanPath(MP3Mod::JoinPath(folder, path));
}

// The usage text. Read before the application exists, Qt cannot name the
// program in it.
QString Usage(const QCommandLineParser& parser) {
    return parser.helpText().replace(QStringLiteral("<executable_name>"),
                                     QStringLiteral("tunevault"));
}

} // namespace

QStringList SongsFromCommandLine(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("tunevault"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TUNEVAULT_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tunevault, a small MP3 player for the Linux desktop. Songs given are "
                       "added to the playlist window and the first of them plays; a Tunevault "
                       "already running takes them."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("songs"), QStringLiteral("MP3 files to play."),
                                 QStringLiteral("[song.mp3...]"));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (!parser.parse(arguments)) {
        MP3Mod::Say(parser.errorText());
        std::fprintf(stderr, "\n%s", qPrintable(Usage(parser)));
        std::exit(2);
    }
    // --help lists --help-all too; with no Qt options to add, both print the usage.
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(Usage(parser)), stdout);
        std::exit(0);
    }
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    QStringList songs;
    // The positional arguments, in order, taken from argv itself so that a
    // name that is not UTF-8 keeps its bytes.
    const qsizetype positional = parser.positionalArguments().size();
    for (int i = argc - int(positional); i < argc; ++i) {
        const QString path = AbsolutePath(argv[i]);
        if (MP3Mod::IsSongFile(path))
            songs.append(path);
        else
            MP3Mod::Say(QStringLiteral("not an MP3 file, left out: ") +
                        MP3Mod::DecodeFileName(QByteArray(argv[i])));
    }
    return songs;
}
