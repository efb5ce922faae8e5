// Where a start spends its CPU time: preloaded into the game (LD_PRELOAD), it wraps the calls
// that make up a start and prints, to standard error, the process's CPU time and page-fault
// count as each begins: "step <cpu ms> <faults> <call> <argument>". The first present is the
// first frame. The first SDL_WaitEvent ends the start (the menu waits for the first choice).
//
//   LD_PRELOAD=build/bench/libstart_steps.so ./derevarez   (in a run folder, with a display)
#include <SDL.h>
#include <dlfcn.h>
#include <sys/resource.h>
#include <time.h>

#include <cstdio>

namespace {

void step(const char* call, const char* argument = "") {
    timespec cpu;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    std::fprintf(stderr, "step %8.2f %6ld %s %s\n", cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6,
                 usage.ru_minflt + usage.ru_majflt, call, argument);
}

// The wrapped library's own function of that name.
template <typename Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool presented = false;

}  // namespace

extern "C" {

int SDL_Init(Uint32 flags) {
    step("SDL_Init");
    return next<decltype(&SDL_Init)>("SDL_Init")(flags);
}

SDL_Surface* SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags) {
    step("SDL_SetVideoMode");
    return next<decltype(&SDL_SetVideoMode)>("SDL_SetVideoMode")(width, height, bpp, flags);
}

int SDL_InitSubSystem(Uint32 flags) {
    step("SDL_InitSubSystem", (flags & SDL_INIT_AUDIO) != 0 ? "audio" : "");
    return next<decltype(&SDL_InitSubSystem)>("SDL_InitSubSystem")(flags);
}

SDL_Surface* IMG_Load(const char* file) {
    step("IMG_Load", file);
    return next<SDL_Surface* (*)(const char*)>("IMG_Load")(file);
}

void* TTF_OpenFont(const char* file, int size) {
    step("TTF_OpenFont", file);
    return next<void* (*)(const char*, int)>("TTF_OpenFont")(file, size);
}

void SDL_UpdateRects(SDL_Surface* screen, int count, SDL_Rect* rects) {
    if (!presented) {
        presented = true;
        step("first present");
    }
    next<decltype(&SDL_UpdateRects)>("SDL_UpdateRects")(screen, count, rects);
}

int SDL_Flip(SDL_Surface* screen) {
    if (!presented) {
        presented = true;
        step("first present");
    }
    return next<decltype(&SDL_Flip)>("SDL_Flip")(screen);
}

int SDL_WaitEvent(SDL_Event* event) {
    static bool waited = false;
    if (!waited) {
        waited = true;
        step("first SDL_WaitEvent");
    }
    return next<decltype(&SDL_WaitEvent)>("SDL_WaitEvent")(event);
}

}  // extern "C"

// Runs before the game's main: the libraries are loaded and relocated by then.
__attribute__((constructor)) void libraries_loaded() {
    step("main");
}
