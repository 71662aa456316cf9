// The processor time a one-second WaitSeconds costs, and the main that runs
// the benchmarks inside a Qt application.

#include <ctime>

#include <QApplication>
#include <benchmark/benchmark.h>

#include "base/common.h"

namespace {

double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void WaitOneSecond(benchmark::State& state) {
    double cpu = 0;
    for (auto _ : state) {
        const double before = ProcessCpuSeconds();
        MP3Mod::WaitSeconds(1);
        cpu += ProcessCpuSeconds() - before;
    }
    state.counters["cpu_percent_of_one_core"] = 100.0 * cpu / double(state.iterations());
}
BENCHMARK(WaitOneSecond)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
