// The reference for idle CPU: the least a polling game loop can do. It opens a window the way
// the game does, paints it once, then only polls for events and sleeps 1 ms per pass, until
// the window is closed. Usage: idle_loop [width height]
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    int width = argc > 2 ? std::atoi(argv[1]) : 800;
    int height = argc > 2 ? std::atoi(argv[2]) : 600;
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
    bool running = true;
    while (running) {
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
            running = running && event.type != SDL_QUIT;
        }
        SDL_Delay(1);
    }
    return 0;
}
