// Preloaded into the real program: counts heap allocations per frame, ours apart from the GL driver's.
// VULKORA_ALLOC_FRAMES=A-B counts frames A to B; at exit VULKORA_ALLOC_REPORT gets
// "frames F ours A driver D jit J" (J: the driver compiling shaders) and the first allocating call of ours.
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
char firstOfOurs[256] = "none";

// Objects whose own allocations are the driver's business: Mesa, its JIT, X and the GL dispatch; and the
// plumbing between a caller and malloc: the C and C++ runtimes, the unwinder, the loader and this library.
const char* const kDriver[] = {"dri", "gallium", "LLVM", "libGL", "glapi", "libX", "libxcb", "libdrm", "libexpat", "libz", 0};
const char* const kPlumbing[] = {"libc.so", "libstdc++", "libgcc_s", "ld-linux", "alloc_counter", 0};
bool inList(const char* path, const char* const* names) {
    for (; *names; ++names)
        if (std::strstr(path, *names)) return true;
    return false;
}

bool counting() { return countFrom >= 0 && frame >= countFrom && frame <= countTo; }

// Files an allocation of the main thread in a counted frame under the first caller above the runtimes (nothing
// above them: the program's start or exit); what filing it allocates is not counted.
void note() {
    if (inside || !counting() || !pthread_equal(pthread_self(), mainThread)) return;
    inside = true;
    void* stack[32];
    int depth = backtrace(stack, 32), i = 1;
    Dl_info info{};
    while (i < depth && (!dladdr(stack[i], &info) || !info.dli_fname || inList(info.dli_fname, kPlumbing))) ++i;
    if (i < depth && inList(info.dli_fname, kDriver)) {
        ++driver;
        jit += std::strstr(info.dli_fname, "LLVM") != nullptr;
    } else if (ours++ == 0) {
        std::snprintf(firstOfOurs, sizeof firstOfOurs, "%s %s", info.dli_fname ? info.dli_fname : "?",
                      info.dli_sname ? info.dli_sname : "?");
    }
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
    // Only the program writes: a shell that starts it carries the same preload but shows no frames.
    const char* file = std::getenv("VULKORA_ALLOC_REPORT");
    countFrom = -1;
    if (FILE* out = file && framesCounted > 0 ? std::fopen(file, "w") : nullptr) {
        std::fprintf(out, "frames %ld ours %ld driver %ld jit %ld\nfirst of ours: %s\n", framesCounted, ours, driver,
                     jit, firstOfOurs);
        std::fclose(out);
    }
}

}  // namespace

extern "C" {
void* malloc(size_t size) { return note(), __libc_malloc(size); }
void* calloc(size_t count, size_t size) { return note(), __libc_calloc(count, size); }
void* realloc(void* block, size_t size) { return note(), __libc_realloc(block, size); }
void free(void* block) { __libc_free(block); }

// The frame ends where the program shows it.
void glutSwapBuffers() {
    if (realSwap) realSwap();
    framesCounted += counting();
    ++frame;
}
}
