// Runs the tests of the window-free routines in a plain Qt Core application:
// no display platform is needed or loaded.

#include <QCoreApplication>
#include <gtest/gtest.h>

#include "tests/support/clockfactor.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const ScopedClockFactor fast(TestClockFactor);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
