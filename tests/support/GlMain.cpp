// Test entry for GL tests: one GLUT window per test process, drawn into and read back.
#include "support/TestSupport.h"
#include <GL/freeglut.h>
#include <cstring>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    bool listing = false;
    for (int i = 1; i < argc; ++i) listing = listing || std::strncmp(argv[i], "--gtest_list_tests", 18) == 0;
    if (!listing) {
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH | GLUT_RGBA);
        glutInitWindowSize(320, 240);
        glutCreateWindow("vulkora-gl-tests");
    }
    resetProgramState();
    return RUN_ALL_TESTS();
}
