// The application log: console and file, restarted per run, moved to its own directory, tolerant of an unwritable file.
#include "core/AppLog.h"
#include "support/TestSupport.h"
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(AppLog, FirstLineRestartsTheFileLaterLinesAppendAndAnUnwritableFileLeavesTheConsole) {
    ScratchDir dir;
    writeFile("app.log", "old run\n");
    AppLog::restart();
    testing::internal::CaptureStdout();
    EXPECT_EQ(AppLog::write("Init Once...") + AppLog::write("Ready...\n") + AppLog::write("\nShutting down..."), 0);
    EXPECT_EQ(readFile("app.log"), "Init Once...\nReady...\n\n\nShutting down...\n");
    // Moved to a directory of its own, which is made for it; the run goes on appending there.
    AppLog::setDirectory("state/vulkora");
    EXPECT_EQ(AppLog::write("Fin\n"), 0);
    AppLog::setDirectory("");
    EXPECT_EQ(readFile("state/vulkora/app.log"), "Fin\n\n");
    ASSERT_EQ(mkdir("stuck", 0700) + mkdir("stuck/app.log", 0700), 0);  // even root cannot open a directory for writing
    AppLog::setDirectory("stuck");
    EXPECT_EQ(AppLog::write("Init Vars..."), 1);
    AppLog::setDirectory("");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Init Once...\nReady...\n\n\nShutting down...\nFin\n\nInit Vars...\n");
}
