// Test entry for suites with widgets: one QApplication around all tests, none while ctest only
// lists them.
#include "platform/threadexit.h"
#include "platform/toolkitsetup.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    platform::prepareToolkit();
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    int result = 0;
    {
        QApplication app(argc, argv);
        result = RUN_ALL_TESTS();
    }
    // The capture and link threads are gone for Qt, not yet for the system; the leak check at
    // exit must not meet them half ended.
    platform::awaitOtherThreadsEnded();
    return result;
}
