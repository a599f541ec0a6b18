// Fuzz target: the input-script parser.
#include "app/InputScript.h"
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InputScript script;
    script.parse(std::string(reinterpret_cast<const char*>(data), size), "fuzz");
    return 0;
}
