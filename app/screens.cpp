#include "app/startup.h"

void run_screens(ConfigStore&) {
    // Until the menus exist the window simply stays open until it is closed.
    SDL_Event event;
    while (SDL_WaitEvent(&event) != 0) {
        if (event.type == SDL_QUIT) {
            return;
        }
    }
}
