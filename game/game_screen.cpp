// The game screen: drawing the next piece, the counters and the board's cells, and the two
// still screens, pause and game over.
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

#include "display/window_events.h"
#include "game/game.h"

namespace {

// Space dismisses the game-over picture only after this long, so that a drop key held or
// hammered at the end of a game does not skip the picture.
const Uint32 space_delay_ms = 1500;
const int glyph_count = 10;

void mark_changed(Compositor& compositor, const char* name) {
    if (Element* element = compositor.find(name)) {
        element->dirty = true;
    }
}

// Blits part of `from` into `to` at (x, y). A part that lies wholly outside the target draws
// nothing anyway; skipping it also keeps far-off positions from wrapping in SDL's 16 bits.
void blit_part(SDL_Surface* from, SDL_Rect part, SDL_Surface* to, long long x, long long y) {
    if (from == nullptr || to == nullptr || x >= to->w || y >= to->h || x + part.w <= 0 ||
        y + part.h <= 0 || x < SHRT_MIN || y < SHRT_MIN) {
        return;
    }
    SDL_Rect target{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_UpperBlit(from, &part, to, &target);
}

int glyph_width(SDL_Surface* font) {
    return font->w;
}
int glyph_height(SDL_Surface* font) {
    return font->h / glyph_count;
}

// Draws the glyph of one digit; anything but 0..9 has no glyph and draws nothing.
void blit_digit(SDL_Surface* font, int digit, SDL_Surface* box, int x, int y) {
    if (digit < 0 || digit >= glyph_count) {
        return;
    }
    int height = glyph_height(font);
    SDL_Rect glyph{0, static_cast<Sint16>(digit * height), static_cast<Uint16>(glyph_width(font)),
                   static_cast<Uint16>(height)};
    blit_part(font, glyph, box, x, y);
}

// Twice the pixel offset that centres the blocks spanning min..max in a box four blocks
// wide. Doubled so that the half-block centre stays exact until the caller truncates.
long long doubled_centring_offset(int min, int max, int block) {
    return (2LL * min + (max - min + 1)) * block - 4LL * block;
}

// The position of the game-over picture: centred on the well, like the paused element.
SDL_Rect game_over_position(Game& game) {
    int block = game.config->get_int("block_size");
    int x = game.config->get_int("board_x") + (game.board_width() * block) / 2 -
            game.game_over_image->w / 2;
    int y = game.config->get_int("board_y") + (game.board_height() * block) / 2 -
            game.game_over_image->h / 2;
    return SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
}

void discard_queued_events() {
    SDL_Event event;
    while (poll_event(&event)) {
    }
}

}  // namespace

bool game_over_answer(const SDL_Event& event, Uint32 start, Uint32 now, bool* end_program) {
    if (event.type == SDL_QUIT) {
        *end_program = true;
        return true;
    }
    // A player on a pad alone answers with any of its buttons, after the same moment as
    // Space: a button still hammered from the game must not skip the picture.
    if (event.type == SDL_JOYBUTTONDOWN && now - start > space_delay_ms) {
        *end_program = false;
        return true;
    }
    if (event.type != SDL_KEYDOWN) {
        return false;
    }
    SDLKey key = event.key.keysym.sym;
    // Elapsed time rather than start + delay: the tick count wraps after 49 days.
    if (key == SDLK_RETURN || key == SDLK_ESCAPE ||
        (key == SDLK_SPACE && now - start > space_delay_ms)) {
        *end_program = false;
        return true;
    }
    return false;
}

void Game::clear_surface(SDL_Surface* surface) {
    if (surface == nullptr) {
        return;
    }
    SDL_FillRect(surface, nullptr, SDL_MapRGBA(surface->format, 0, 0, 0, 0));
}

void Game::draw_next_piece() {
    draw_piece_into(next_piece, next_piece_box);
    mark_changed(compositor, "next_piece");
}

void Game::draw_piece_into(const Piece& piece, SDL_Surface* box) {
    clear_surface(box);
    int block = config->get_int("block_size");
    int min_x = 3, min_y = 3, max_x = 0, max_y = 0;
    for (const BlockOffset& offset : piece.blocks) {
        min_x = std::min<int>(min_x, offset.x);
        min_y = std::min<int>(min_y, offset.y);
        max_x = std::max<int>(max_x, offset.x);
        max_y = std::max<int>(max_y, offset.y);
    }
    // Integer division truncates toward zero, as the centring wants.
    long long off_x = doubled_centring_offset(min_x, max_x, block) / 2;
    long long off_y = doubled_centring_offset(min_y, max_y, block) / 2;

    // Copied unblended: the box must receive the tile's own alpha, not the tile blended
    // over the box's transparent black.
    SDL_Surface* tile = block_tiles[piece.tile];
    SDL_SetAlpha(tile, 0, 0);
    SDL_Rect whole{0, 0, static_cast<Uint16>(block), static_cast<Uint16>(block)};
    for (const BlockOffset& offset : piece.blocks) {
        blit_part(tile, whole, box, static_cast<long long>(offset.x) * block - off_x,
                  static_cast<long long>(offset.y) * block - off_y);
    }
    SDL_SetAlpha(tile, SDL_SRCALPHA, 0);
}

void Game::draw_level() {
    int glyph_w = glyph_width(level_font);
    int y = level_box->h / 2 - glyph_height(level_font) / 2;
    int x0 = level_box->w / 2 - glyph_w;
    clear_surface(level_box);
    if (level > 9) {
        // From 100 on the tens have no glyph, and only the units show.
        blit_digit(level_font, level / 10, level_box, x0, y);
        blit_digit(level_font, level % 10, level_box, x0 + glyph_w, y);
    } else {
        blit_digit(level_font, level, level_box, x0 + glyph_w / 2, y);
    }
    mark_changed(compositor, "level");
}

void Game::draw_number(int value, SDL_Surface* box, SDL_Surface* font) {
    draw_digits(int_to_text(value), box, font);
}

void Game::draw_digits(const std::string& text, SDL_Surface* box, SDL_Surface* font) {
    clear_surface(box);
    int glyph_w = glyph_width(font);
    int y = box->h / 2 - glyph_height(font) / 2;
    // Right-aligned: the last digit keeps its place, digits beyond the left edge are cut off.
    int right = box->w;
    for (auto c = text.rbegin(); c != text.rend(); ++c) {
        if (*c == ' ') {
            right -= glyph_w / 2;
            continue;
        }
        right -= glyph_w;
        blit_digit(font, atoi(std::string(1, *c).c_str()), box, right, y);
    }
}

void Game::draw_points() {
    draw_number(points, points_box, small_num_font);
    mark_changed(compositor, "points");
}

void Game::draw_lines() {
    draw_number(lines, lines_box, small_num_font);
    mark_changed(compositor, "lines");
}

void Game::update_screen() {
    Piece shadow = landing_shadow();
    for (int row = 0; row < board_height(); row++) {
        for (int column = 0; column < board_width(); column++) {
            Uint8 value = shown_value(column, row, shadow);
            if (value == shown_board[row][column]) {
                continue;
            }
            shown_board[row][column] = value;
            if (Element* cell = cell_element(column, row)) {
                cell->surface = cell_surface(value);
                cell->dirty = true;
            }
        }
    }
    compositor.redraw(screen);
    compositor.present(screen);
}

void Game::toggle_pause() {
    Uint32 now = pass_time;
    record_input(ReplayAction::pause);
    if (paused) {
        resume_game(now);
    } else {
        clock.stop(now);
        pause_game();
    }
    // The music stops while the game stands still and goes on from its place.
    if (session != nullptr && session->audio != nullptr) {
        if (paused) {
            session->audio->pause_music();
        } else {
            session->audio->resume_music();
        }
    }
    pass_sounds.add(SoundEvent::pause);
}

void Game::pause_game() {
    for (int row = 0; row < board_height(); row++) {
        for (int column = 0; column < board_width(); column++) {
            if (shown_board[row][column] == empty_cell) {
                continue;
            }
            // Only the picture is emptied: the next update_screen finds these cells changed
            // and puts every block back.
            shown_board[row][column] = empty_cell;
            if (Element* cell = cell_element(column, row)) {
                cell->surface = nullptr;
                cell->dirty = true;
            }
        }
    }
    if (Element* picture = paused_picture()) {
        picture->surface = paused_image;
        picture->dirty = true;
    }
    compositor.redraw(screen);
    compositor.present(screen);
    paused = true;
}

void Game::resume_game(Uint32 now) {
    if (Element* picture = paused_picture()) {
        picture->surface = nullptr;
        picture->dirty = true;
    }
    // Keep the part of the interval that had already run before the pause, so the next
    // step comes within one interval of the resume.
    Uint32 elapsed = fall_interval != 0 ? last_fall % fall_interval : 0;
    last_fall = now - elapsed;
    // A resting piece gets its whole lock delay again: the player has just looked away.
    handling_state.rest_since = now;
    // A down key held through the pause moves the piece one soft-drop interval after it.
    handling_state.next_soft_drop = now + static_cast<Uint32>(handling.soft_drop_interval);
    clock.resume(now);
    paused = false;
}

void Game::show_game_over_picture() {
    SDL_Rect at = game_over_position(*this);
    // The blit leaves in `at` the area it wrote.
    SDL_UpperBlit(game_over_image, nullptr, screen, &at);
    show_areas(screen, &at, 1);
}

bool Game::show_game_over() {
    SDL_EnableKeyRepeat(0, 0);
    Uint32 start = SDL_GetTicks();
    show_game_over_picture();
    // Keys pressed while the last pieces fell were meant for the game, not for this picture.
    discard_queued_events();

    SDL_Event event;
    while (wait_event(&event)) {
        bool end_program = false;
        if (game_over_answer(event, start, SDL_GetTicks(), &end_program)) {
            return end_program;
        }
    }
    // Without events nobody can answer the picture: end the program.
    return true;
}
