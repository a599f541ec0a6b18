// Writing RGB frames as PNG files.
#pragma once

// rgb holds height rows of width pixels, bottom row first (as glReadPixels gives them).
bool writePng(const char* fileName, int width, int height, const unsigned char* rgb);
