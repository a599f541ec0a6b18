// Test entry; the GL tests first open the one GLUT window they draw into and read back.
#include "support/TestSupport.h"
#include <GL/freeglut.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
#ifdef VULKORA_GL_WINDOW
    if (!testing::GTEST_FLAG(list_tests)) {  // test discovery lists them without a display
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH | GLUT_RGBA);
        glutInitWindowSize(320, 240);
        glutCreateWindow("vulkora-gl-tests");
    }
#endif
    resetProgramState();
    return RUN_ALL_TESTS();
}
