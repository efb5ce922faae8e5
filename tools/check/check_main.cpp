// derevarez-check: checks a game folder's data the way the game will read it, and reports
// every problem as "file:line: message", then "N errors, M warnings".
// Usage: derevarez-check [game folder]   (default: the current folder)
// Exit status: 0 without errors (warnings allowed), 1 with errors, 2 on a usage or SDL failure.
#include <SDL.h>
#include <SDL_ttf.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "tools/check/data_check.h"

namespace {

// SDL fills its table of key names only when its video part starts; the dummy driver starts
// it without a display and opens no window.
bool start_libraries() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::printf("derevarez-check: cannot start SDL: %s\n", SDL_GetError());
        return false;
    }
    std::atexit(SDL_Quit);
    if (TTF_Init() != 0) {
        std::printf("derevarez-check: cannot start SDL_ttf: %s\n", TTF_GetError());
        return false;
    }
    std::atexit(TTF_Quit);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::printf("usage: derevarez-check [game folder]\n");
        return 2;
    }
    if (argc == 2 && chdir(argv[1]) != 0) {
        std::printf("derevarez-check: cannot enter %s\n", argv[1]);
        return 2;
    }
    if (!start_libraries()) {
        return 2;
    }
    Report report;
    check_game_folder(report);
    std::fputs(report.text().c_str(), stdout);
    return report.error_count() > 0 ? 1 : 0;
}
