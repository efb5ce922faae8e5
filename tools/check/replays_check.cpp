#include "tools/check/replays_check.h"

#include <SDL.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

#include "config/player_prefs.h"
#include "game/game.h"
#include "replays/replay_folder.h"
#include "skins/skin.h"

namespace {

// Splits the reader's "file:line: what" of a file in folder into the report's parts.
void report_refused(const std::string& problem, Report& report) {
    size_t end_of_file = problem.find(".txt:") + 4;
    size_t end_of_line = problem.find(": ", end_of_file);
    int line = std::atoi(problem.substr(end_of_file + 1, end_of_line - end_of_file - 1).c_str());
    report.warning(problem.substr(0, end_of_file), line,
                   problem.substr(end_of_line + 2) +
                       ": not a replay the game can play, so it is not listed");
}

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

void check_replays_settings(const CheckedFile& prefs, Report& report) {
    std::string folder = prefs.value("replays_folder");
    if (folder.empty()) {
        return;
    }
    struct stat info;
    if (stat(folder.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
        prefs.error("replays_folder",
                    quoted(folder) + " is not a folder: no game can be recorded there", report);
        return;
    }
    std::vector<std::string> problems;
    list_replays(folder, &problems);
    for (const std::string& problem : problems) {
        report_refused(problem, report);
    }
}

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
