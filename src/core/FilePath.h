// Joining a directory and a file name, and making a directory with its missing parents.
#pragma once
#include <cstddef>

constexpr size_t kMaxPath = 4096;

// Writes "dir/name" into out, or the name alone when dir is empty. A path that does not fit becomes the empty
// string, which opens nothing, rather than a cut-off name that could open some other file.
const char* joinPath(char* out, size_t size, const char* dir, const char* name);

// Creates the directory and any missing parents, new ones private to the user. A failure shows when the file
// inside cannot be opened, which every caller already handles.
void makeDirectories(const char* dir);
