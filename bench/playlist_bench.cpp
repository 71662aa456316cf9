// Removing the e-mail suffix from a 1 MB playlist line made of suffixes: the
// work must grow with the line, so 1 MB takes about ten times 100 kB.

#include <benchmark/benchmark.h>

#include "base/playlistfiles.h"

namespace {

void BM_RemoveEmailSuffixes(benchmark::State& state) {
    const QString line = MP3Mod::EmailSuffix.repeated(state.range(0) / MP3Mod::EmailSuffix.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(MP3Mod::ReplaceAllNoCase(line, MP3Mod::EmailSuffix, {}));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RemoveEmailSuffixes)->Arg(100'000)->Arg(1'000'000)->Complexity(benchmark::oN);

} // namespace
