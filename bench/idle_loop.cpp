// The references for idle CPU: the least a polling game loop and a waiting menu can do. It
// opens a window the way the game does and paints it once; then it either polls for events
// and sleeps 1 ms per pass, as the game loop does, or (with "wait") blocks in SDL_WaitEvent,
// as a menu does, until the window is closed.
// Usage: idle_loop [poll|wait] [width height]
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void poll_until_closed() {
    bool running = true;
    while (running) {
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
            running = running && event.type != SDL_QUIT;
        }
        SDL_Delay(1);
    }
}

void wait_until_closed() {
    SDL_Event event;
    while (SDL_WaitEvent(&event) != 0 && event.type != SDL_QUIT) {
    }
}

}  // namespace

int main(int argc, char** argv) {
    bool wait = argc > 1 && std::strcmp(argv[1], "wait") == 0;
    int width = argc > 3 ? std::atoi(argv[2]) : 800;
    int height = argc > 3 ? std::atoi(argv[3]) : 600;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::printf("Unable to initialize SDL: %s\n", SDL_GetError());
        return 1;
    }
    std::atexit(SDL_Quit);
    SDL_Surface* screen = SDL_SetVideoMode(width, height, 0, SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (screen == nullptr) {
        std::printf("couldn't make a window: %s\n", SDL_GetError());
        return 1;
    }
    SDL_WM_SetCaption("idle_loop", "idle_loop");
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 40, 40, 60));
    SDL_Flip(screen);
    if (wait) {
        wait_until_closed();
    } else {
        poll_until_closed();
    }
    return 0;
}
