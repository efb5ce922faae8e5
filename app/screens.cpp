// The main menu loop: one main menu and one Game for the whole run; the player goes from the
// menu to a game or to the preferences screen and back until they quit.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>

#include "app/mode_screens.h"
#include "app/preferences_screen.h"
#include "app/scores_screens.h"
#include "app/startup.h"
#include "audio/audio.h"
#include "compositor/scaled_window.h"
#include "config/player_prefs.h"
#include "game/game.h"
#include "menu/menu.h"
#include "session/session.h"

namespace {

// Plays one game. True when the window was closed and the program must end. Without a piece
// to deal no game can start: the player is told why and goes back to the menu.
bool play_one_game(Game& game, ConfigStore& prefs) {
    if (!game.has_pieces()) {
        std::printf("can't start a game: the pieces file \"%s\" has no piece to play with\n",
                    prefs.get_string("pieces_file").c_str());
        std::fflush(stdout);
        return false;
    }
    game.recording = replays_enabled(prefs);
    bool quit = game.play();
    // A restart is the same game from its start: nothing shown, nothing counted.
    while (!quit && game.last_end == GameEnd::restarted) {
        keep_replay(prefs, game);
        game.reset();
        quit = game.play();
    }
    return end_game(prefs, game, quit);
}

}  // namespace

bool end_game(ConfigStore& prefs, Game& game, bool quit) {
    bool played_out = game.last_end == GameEnd::lost || game.last_end == GameEnd::finished;
    if (!quit && played_out && !optional_value(prefs, "summary_menu").empty()) {
        quit = summary_screen(prefs, game, best_text(prefs, game));
    }
    // Only a game played to its end has a result; one left or closed before has none.
    if (game.has_result() && scores_enabled(prefs)) {
        quit = record_game(prefs, game, quit);
    }
    // After the scores, so that the replay carries the name the game was entered under.
    keep_replay(prefs, game);
    // The day's seed dealt the daily game; the others deal from the clock again.
    if (game.mode.mode == Mode::daily) {
        std::srand(static_cast<unsigned>(std::time(nullptr)));
    }
    if (!quit) {
        game.reset();
    }
    return quit;
}

void run_screens(ConfigStore& prefs, WornSkin* worn) {
    std::optional<Menu> main_menu;
    std::optional<Audio> audio;
    Session session(prefs);
    std::optional<Game> game;
    // Built again whenever the player puts on another look: the menu, the sounds and the
    // game's pictures all come from the settings a skin covers.
    auto build = [&]() {
        game.reset();
        session.audio = nullptr;
        audio.reset();
        main_menu.reset();
        main_menu.emplace(prefs.get_string("main_menu").c_str(), nullptr);
        main_menu->session = &session;
        // The player sees the menu while the audio device opens (probing it can take a
        // while), the sounds load and the game loads its pictures. All of it is still done
        // before the first choice: no sound is ever loaded during play, and a missing game
        // image ends the program at once rather than when the player first tries to play.
        // Without sound settings Audio starts nothing.
        main_menu->show();
        audio.emplace(prefs, player_prefs_file);
        session.audio = &*audio;
        game.emplace(prefs);
        game->session = &session;
    };
    build();
    bool quit = false;
    while (!quit) {
        std::string word = main_menu->run();
        if (word == "quit") {
            break;
        }
        if (word == "play") {
            game->mode = GameMode();
            quit = play_one_game(*game, prefs);
        } else if (word == "modes" && modes_enabled(prefs)) {
            ModeChoice choice = choose_mode(prefs, std::time(nullptr), &game->mode);
            quit = choice == ModeChoice::closed ||
                   (choice == ModeChoice::play && play_one_game(*game, prefs));
        } else if (word == "prefs") {
            std::string look = worn != nullptr ? worn->id : "";
            SDL_Surface* picture = drawing_surface();
            quit = preferences_screen(session, worn);
            // A new look, or a window scaled for the first time, which the screens now draw
            // on through a picture of their own.
            if (!quit && ((worn != nullptr && worn->id != look) || drawing_surface() != picture)) {
                build();
            }
        } else if (word == "reload") {
            // Its files changed under live reload and it can be built again from them.
            main_menu.emplace(prefs.get_string("main_menu").c_str(), nullptr);
            main_menu->session = &session;
        } else if (word == "scores" && scores_enabled(prefs)) {
            quit = scores_screen(prefs, *game);
        } else if (word == "replays" && !optional_value(prefs, "replays_menu").empty()) {
            quit = replays_screen(prefs, *game);
        }
        // Any other word, the empty one of a failed wait included, shows the menu again.
    }
}
