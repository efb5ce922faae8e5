#include "tools/check/replay_check.h"

#include <SDL.h>

#include <cstdio>

#include "config/player_prefs.h"
#include "game/game.h"
#include "skins/skin.h"

namespace {

// One line for the file: verified or why not. True when verified.
bool check_one(Game& game, const std::string& file) {
    Replay replay;
    std::string problem;
    if (!read_replay(file, replay, problem)) {
        std::printf("%s\n", problem.c_str());
        return false;
    }
    ReplayVerdict verdict = verify_replay(game, replay);
    std::printf("%s: %s\n", file.c_str(), verdict.says.c_str());
    return verdict.verified;
}

}  // namespace

int check_replays(const std::vector<std::string>& files) {
    ConfigStore prefs;
    if (prefs.load(player_prefs_file) != 0) {
        std::printf("derevarez-check: no \"%s\" here to play the replays with\n",
                    player_prefs_file);
        return 2;
    }
    WornSkin worn;
    wear_chosen_skin(prefs, worn);
    // The game draws into a window as it plays; the dummy driver's window is never shown.
    if (SDL_SetVideoMode(prefs.find_int("window_w", 0), prefs.find_int("window_h", 0), 32,
                         SDL_SWSURFACE) == nullptr) {
        std::printf("derevarez-check: cannot make a window: %s\n", SDL_GetError());
        return 2;
    }
    Game game(prefs);
    bool all_verified = true;
    for (const std::string& file : files) {
        all_verified = check_one(game, file) && all_verified;
    }
    std::fflush(stdout);
    return all_verified ? 0 : 1;
}
