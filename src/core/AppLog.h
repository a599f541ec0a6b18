// The application log: each line to the console and to "app.log", restarted by the first line of a run.
#pragma once

class AppLog {
public:
    // Returns 0 when the file line was written, 1 when the file could not be opened.
    static int write(const char* text);
    // Makes the next write start the file afresh (a new run).
    static void restart();
    // Puts "app.log" into this directory (made if missing) from now on; empty: the working directory.
    static void setDirectory(const char* dir);
};
