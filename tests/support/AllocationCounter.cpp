// Preloaded into the real program: counts heap allocations per frame, ours apart from the GL driver's.
// VULKORA_ALLOC_FRAMES=A-B counts frames A to B; at exit VULKORA_ALLOC_REPORT gets
// "frames F ours A driver D jit J" (J: the driver compiling shaders) and a line per allocating call with its count.
#include <dlfcn.h>
#include <execinfo.h>
#include <pthread.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_calloc(size_t, size_t);
extern "C" void* __libc_realloc(void*, size_t);
extern "C" void __libc_free(void*);

namespace {

pthread_t mainThread;
long frame = 1, countFrom = -1, countTo = -1, framesCounted = 0, ours = 0, driver = 0, jit = 0;
thread_local bool inside = false;
void (*realSwap)() = nullptr;

// Objects whose own allocations are the driver's business: Mesa, its JIT, X and the GL dispatch.
bool driverObject(const char* path) {
    static const char* const kDriver[] = {"dri", "gallium", "LLVM", "libGL", "glapi", "libX", "libxcb", "libdrm",
                                          "libexpat", "libz"};
    for (const char* name : kDriver)
        if (std::strstr(path, name)) return true;
    return false;
}

// Plumbing between the caller and malloc: the C and C++ runtimes, the unwinder, the loader and this library.
bool plumbing(const char* path) {
    static const char* const kPlumbing[] = {"libc.so", "libstdc++", "libgcc_s", "ld-linux", "alloc_counter"};
    for (const char* name : kPlumbing)
        if (std::strstr(path, name)) return true;
    return false;
}

// A distinct allocating call with how often it allocated.
struct Place {
    bool driver;
    char text[160];
    long count;
};
constexpr int kPlaces = 64;
Place places[kPlaces];
int placeCount = 0;

void remember(bool isDriver, const Dl_info& info) {
    char text[160];
    std::snprintf(text, sizeof text, "%s %s", info.dli_fname, info.dli_sname ? info.dli_sname : "?");
    for (int k = 0; k < placeCount; ++k)
        if (std::strcmp(places[k].text, text) == 0) return void(++places[k].count);
    if (placeCount == kPlaces) return;
    Place& p = places[placeCount++];
    p.driver = isDriver;
    std::strcpy(p.text, text);
    p.count = 1;
}

// Files the allocation under the first caller above the runtimes.
void classify() {
    void* stack[32];
    int depth = backtrace(stack, 32);
    for (int i = 1; i < depth; ++i) {
        Dl_info info;
        if (!dladdr(stack[i], &info) || !info.dli_fname || plumbing(info.dli_fname)) continue;
        bool isDriver = driverObject(info.dli_fname);
        ++(isDriver ? driver : ours);
        jit += std::strstr(info.dli_fname, "LLVM") != nullptr;
        remember(isDriver, info);
        return;
    }
    ++ours;  // nothing above the runtimes: the program's own start or exit
}

bool counting() { return countFrom >= 0 && frame >= countFrom && frame <= countTo; }

void note() {
    if (inside || !counting() || !pthread_equal(pthread_self(), mainThread)) return;
    inside = true;
    classify();
    inside = false;
}

__attribute__((constructor)) void start() {
    mainThread = pthread_self();
    void* warm[2];
    backtrace(warm, 2);  // the unwinder loads itself on first use
    realSwap = reinterpret_cast<void (*)()>(dlsym(RTLD_NEXT, "glutSwapBuffers"));
    if (const char* frames = std::getenv("VULKORA_ALLOC_FRAMES")) std::sscanf(frames, "%ld-%ld", &countFrom, &countTo);
}

__attribute__((destructor)) void finish() {
    const char* file = std::getenv("VULKORA_ALLOC_REPORT");
    // Only the program writes: a shell that starts it carries the same preload but shows no frames.
    bool counted = framesCounted > 0;
    countFrom = -1;
    FILE* out = file && counted ? std::fopen(file, "w") : nullptr;
    if (!out) return;
    std::fprintf(out, "frames %ld ours %ld driver %ld jit %ld\n", framesCounted, ours, driver, jit);
    for (int k = 0; k < placeCount; ++k)
        std::fprintf(out, "%s %ld %s\n", places[k].driver ? "driver" : "ours", places[k].count, places[k].text);
    std::fclose(out);
}

}  // namespace

extern "C" {

void* malloc(size_t size) {
    note();
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) {
    note();
    return __libc_calloc(count, size);
}

void* realloc(void* block, size_t size) {
    note();
    return __libc_realloc(block, size);
}

void free(void* block) { __libc_free(block); }

// The frame ends where the program shows it.
void glutSwapBuffers() {
    if (realSwap) realSwap();
    if (counting()) ++framesCounted;
    ++frame;
}
}
