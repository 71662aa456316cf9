// Runs the tests inside a Qt application, on the offscreen platform unless
// another is chosen, with the
// program's clock running fast so that waits and timers take little time.

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "tests/support/clockfactor.h"

#if defined(__SANITIZE_ADDRESS__)
// Memory a library's constructor takes at load and keeps for the process's
// life is no leak. GLib's first block of quarks becomes such memory once more
// than 2,048 quarks exist (a large GStreamer plugin registry is enough): GLib
// moves them to a larger block and, on purpose, never frees the first. Naming
// the constructor needs whole stacks: GLib keeps no frame pointers.
extern "C" const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}
extern "C" const char* __lsan_default_suppressions() {
    return "leak:_dl_init\n";
}
#endif

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Deleted songs and playlists go to a trash of the tests' own, and the
    // desktop's cover pictures to a cache of their own.
    const QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    const QTemporaryDir cacheHome;
    qputenv("XDG_CACHE_HOME", cacheHome.path().toUtf8());
    QApplication app(argc, argv);
    const ScopedClockFactor fast(TestClockFactor);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
