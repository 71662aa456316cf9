// Runs the tests inside a Qt application, on the offscreen platform unless
// another is chosen, with the program's clock running fast so that waits and
// timers take little time.

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "tests/support/clockfactor.h"

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
