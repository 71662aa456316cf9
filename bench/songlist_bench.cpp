// Filling the song list from a folder of 100,000 files, against the floor of
// a bare std::filesystem listing with the same pattern and a case-insensitive
// sort of the same folder.

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "bench/barelisting.h"
#include "controls/listbox.h"
#include "controls/listpair.h"
#include "library/songlist.h"

namespace {

constexpr int SongCount = 100'000;

// The folder is made once: a tenth of the files are not songs.
QString LargeFolder() {
    static QTemporaryDir dir;
    static const bool made = [] {
        for (int i = 0; i < SongCount; ++i) {
            const std::string name = dir.path().toStdString() + "/Artist " +
                                     std::to_string(i % 997) + " - Song_" + std::to_string(i) +
                                     (i % 10 == 0 ? ".txt" : (i % 3 ? ".mp3" : ".MP3"));
            std::ofstream(name) << 'x';
        }
        return true;
    }();
    (void)made;
    return dir.path();
}

void BareListing(benchmark::State& state) {
    const std::string folder = LargeFolder().toStdString();
    for (auto _ : state) {
        const std::vector<std::string> names = SortedSongNames(folder);
        benchmark::DoNotOptimize(names.data());
    }
}
BENCHMARK(BareListing)->Unit(benchmark::kMillisecond)->MinTime(3);

void FillSongList(benchmark::State& state) {
    const QString folder = LargeFolder();
    FileListBox files(nullptr, QStringLiteral("*.mp3*"));
    ListBox names(nullptr);
    ListBox paths(nullptr);
    ListPair songs(names, paths, nullptr);
    for (auto _ : state) {
        songs.Clear();
        MP3Mod::FillSongList(files, songs, folder);
        benchmark::DoNotOptimize(paths.ListCount());
    }
    state.counters["songs"] = names.ListCount();
}
BENCHMARK(FillSongList)->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace
