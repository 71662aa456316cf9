// Reading one tag field of 10,000 files, against the floor of stat, open,
// reading the last 128 bytes and close on the same files.

#include <algorithm>
#include <chrono>
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

void ReadFloor() {
    for (const std::string& path : Files().nativePaths) {
        struct stat info {};
        ::stat(path.c_str(), &info);
        const int fd = ::open(path.c_str(), O_RDONLY);
        char block[128];
        benchmark::DoNotOptimize(::pread(fd, block, 128, info.st_size - 128));
        ::close(fd);
    }
}

void ReadTitles() {
    for (const QString& path : Files().paths)
        benchmark::DoNotOptimize(MP3Mod::ReadTagTitle(path));
}

double MillisecondsOf(void (*pass)()) {
    const auto start = std::chrono::steady_clock::now();
    pass();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Paired: each iteration reads the files once through the floor and once
// through the tag reader, in turns first, so that both see the same cache and
// the same load; the counters are the medians of the pairs.
void TagReadingAgainstFloor(benchmark::State& state) {
    std::vector<double> floor;
    std::vector<double> tags;
    std::vector<double> ratios;
    for (auto _ : state) {
        const bool floorFirst = floor.size() % 2 == 0;
        const double first = MillisecondsOf(floorFirst ? ReadFloor : ReadTitles);
        const double second = MillisecondsOf(floorFirst ? ReadTitles : ReadFloor);
        floor.push_back(floorFirst ? first : second);
        tags.push_back(floorFirst ? second : first);
        ratios.push_back(tags.back() / floor.back());
        state.SetIterationTime((first + second) / 1000);
    }
    state.counters["floor_ms"] = Median(floor);
    state.counters["tags_ms"] = Median(tags);
    state.counters["ratio"] = Median(ratios);
}
BENCHMARK(TagReadingAgainstFloor)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(41);

} // namespace
