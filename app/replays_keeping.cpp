// Keeping the replays of the games played: each game that ends is written into the player's
// replays folder, and the folder is trimmed to the last games and the best ones.
#include <cstdio>
#include <ctime>

#include "app/scores_screens.h"
#include "replays/replay_folder.h"
#include "settings/settings_table.h"

// The number of replays kept when prefs.txt does not say.
const int shipped_replays_kept = 50;

bool replays_enabled(const ConfigStore& prefs) {
    return !optional_value(prefs, "replays_folder").empty();
}

void keep_replay(const ConfigStore& prefs, const Game& game) {
    std::string folder = optional_value(prefs, "replays_folder");
    if (folder.empty() || game.recorded.empty()) {
        return;
    }
    Replay replay =
        game.recorded_replay(optional_value(prefs, "player_name"), game_entry(game).date);
    std::string problem;
    // A full disk costs this replay and nothing else: the game and its scores are saved apart.
    if (save_replay(folder, replay, std::time(nullptr), problem).empty()) {
        std::printf("couldn't save the replay: %s\n", problem.c_str());
        std::fflush(stdout);
        return;
    }
    ScoreFile scores;
    // Without a readable scores file the best games are unknown: nothing is removed then.
    if (scores_enabled(prefs) && !scores.read(optional_value(prefs, "scores_file").c_str())) {
        return;
    }
    prune_replays(folder, read_ranged(prefs, "replays_kept", shipped_replays_kept), scores);
}
