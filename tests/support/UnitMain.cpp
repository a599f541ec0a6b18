// Test entry for tests that need no window.
#include "support/TestSupport.h"
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    resetProgramState();
    return RUN_ALL_TESTS();
}
