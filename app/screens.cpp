// The screens between opening the window and quitting. Until the menus exist the program
// plays one game after another on a single Game, resetting it in between.
#include <cstdio>

#include "app/startup.h"
#include "game/game.h"

namespace {

// Keeps the window open until it is closed, so that the message above can be read.
void wait_for_close() {
    SDL_Event event;
    while (SDL_WaitEvent(&event) != 0) {
        if (event.type == SDL_QUIT) {
            return;
        }
    }
}

}  // namespace

void run_screens(ConfigStore& prefs) {
    Game game(prefs);
    if (!game.has_pieces()) {
        std::printf("no piece to play with in the pieces file \"%s\"; close the window to quit\n",
                    prefs.get_string("pieces_file").c_str());
        std::fflush(stdout);
        wait_for_close();
        return;
    }
    while (!game.play()) {
        game.reset();
    }
}
