// Rebuilding the game screen's look from the files while a game goes on: the pictures, tiles,
// boxes and layout are made again, the board, pieces and counters are kept.
#include <SDL_image.h>

#include <algorithm>
#include <cstdio>

#include "game/game.h"
#include "settings/settings_table.h"

namespace {

// The pictures the game screen cannot do without.
const std::vector<const char*> picture_keys = setting_keys(SettingKind::image, true);

// A value no cell ever shows, so that every cell is given its picture again.
const Uint8 unknown_cell = shadow_cell | 0x7e;

}  // namespace

bool Game::look_loads(std::string& problem) {
    for (const char* key : picture_keys) {
        const std::string* file = config->find(key);
        SDL_Surface* picture = file != nullptr ? IMG_Load(file->c_str()) : nullptr;
        if (picture == nullptr) {
            problem = std::string(key) + ": couldn't load \"" + (file != nullptr ? *file : "") +
                      "\": " + IMG_GetError();
            return false;
        }
        SDL_FreeSurface(picture);
    }
    int block = config->find_int("block_size", 0);
    if (block <= 0) {
        problem = "block_size: not a size in pixels";
        return false;
    }
    return true;
}

void Game::free_look() {
    SDL_Surface* owned[] = {background_image, level_font,     small_num_font,
                            game_over_image,  level_box,      points_box,
                            lines_box,        next_piece_box, paused_image, hold_box};
    for (SDL_Surface* surface : owned) {
        SDL_FreeSurface(surface);
    }
    for (SDL_Surface*& tile : block_tiles) {
        SDL_FreeSurface(tile);
        tile = nullptr;
    }
    for (SDL_Surface*& tile : shadow_tiles) {
        SDL_FreeSurface(tile);
        tile = nullptr;
    }
    for (SDL_Surface*& box : later_boxes) {
        SDL_FreeSurface(box);
        box = nullptr;
    }
    SDL_FreeSurface(time_box);
    SDL_FreeSurface(timed_background);
    time_box = timed_background = nullptr;
    background_image = level_font = small_num_font = game_over_image = nullptr;
    level_box = points_box = lines_box = next_piece_box = paused_image = hold_box = nullptr;
}

bool Game::reload_look(std::string& problem) {
    if (!look_loads(problem)) {
        return false;
    }
    free_look();
    compositor = Compositor();
    load_images();
    load_option_images();
    load_mode_images();
    build_layout();
    for (auto& row : shown_board) {
        std::fill(row.begin(), row.end(), unknown_cell);
    }
    if (current_piece.board != nullptr) {
        draw_next_piece();
    }
    draw_level();
    draw_points();
    draw_lines();
    if (holding || option_on("hold_piece")) {
        show_hold_box();
        draw_hold_box();
    }
    if (Element* picture = paused_picture()) {
        picture->surface = paused ? paused_image : nullptr;
    }
    // The new time box is blank: its digits are drawn again whatever they were.
    shown_clock.clear();
    show_mode_look(SDL_GetTicks());
    update_screen();
    return true;
}

void Game::watch_look(Uint32 now) {
    std::vector<std::string> files;
    if (watching(*config)) {
        for (const char* key : picture_keys) {
            if (const std::string* file = config->find(key)) {
                files.push_back(*file);
            }
        }
        // Optional, so not among the pictures a reload needs, but edited like them.
        const std::string* timed = config->find("timed_background_img");
        if (timed != nullptr && !timed->empty()) {
            files.push_back(*timed);
        }
    }
    look_watch.watch(files, now);
}

void Game::reload_if_changed(Uint32 now) {
    if (look_watch.files.empty() || !look_watch.changed(now)) {
        return;
    }
    std::string problem;
    if (!reload_look(problem)) {
        // The line of the setting in the player's file, found as the store read it.
        int line = config->line_of(problem.substr(0, problem.find(':')));
        std::printf("prefs.txt:%i: %s\n", line, problem.c_str());
        std::fflush(stdout);
    }
}
