// Reading one tag field of 10,000 files, against the floor of stat, open,
// reading the last 128 bytes and close on the same files.

#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/id3.h"

namespace {

constexpr int FileCount = 10'000;

struct TaggedFiles {
    QTemporaryDir dir;
    QStringList paths;
    std::vector<std::string> nativePaths;
    TaggedFiles() {
        QByteArray content(2000, 'a');
        content += QByteArray("TAGSome title").leftJustified(128, ' ');
        for (int i = 0; i < FileCount; ++i) {
            const QString path = dir.filePath(QStringLiteral("song %1.mp3").arg(i));
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write(content);
            paths.append(path);
            nativePaths.push_back(QFile::encodeName(path).toStdString());
        }
    }
};

const TaggedFiles& Files() {
    static const TaggedFiles files;
    return files;
}

void TagFloor(benchmark::State& state) {
    const auto& paths = Files().nativePaths;
    for (auto _ : state) {
        for (const std::string& path : paths) {
            struct stat info {};
            ::stat(path.c_str(), &info);
            const int fd = ::open(path.c_str(), O_RDONLY);
            char block[128];
            benchmark::DoNotOptimize(::pread(fd, block, 128, info.st_size - 128));
            ::close(fd);
        }
    }
    state.SetItemsProcessed(state.iterations() * FileCount);
}
BENCHMARK(TagFloor)->Unit(benchmark::kMillisecond)->MinTime(2);

void ReadTagTitle(benchmark::State& state) {
    const QStringList& paths = Files().paths;
    for (auto _ : state)
        for (const QString& path : paths)
            benchmark::DoNotOptimize(MP3Mod::ReadTagTitle(path));
    state.SetItemsProcessed(state.iterations() * FileCount);
}
BENCHMARK(ReadTagTitle)->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace
