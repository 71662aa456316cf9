// Runs the tests inside a Qt application on the offscreen platform, with the
// program's clock running fast so that waits and timers take little time.

#include <QApplication>
#include <gtest/gtest.h>

#include "tests/support/clockfactor.h"

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const ScopedClockFactor fast(TestClockFactor);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
