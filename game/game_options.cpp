// The options a player switches on in the preferences: the landing shadow (a picture only:
// the board and the rules never see it), the hold box, and the bag dealer. Each is off while
// its key is missing or 0, and the game then plays exactly as without them.
#include <algorithm>

#include "game/game.h"

namespace {

// How opaque the landing shadow is when "ghost_alpha" does not say: a faint copy of the block.
const int default_shadow_alpha = 80;

// Scales the alpha of every pixel by alpha / 255. Surfaces with an alpha channel in the
// display format are 32-bit; any other surface is left as it is.
void fade(SDL_Surface* surface, int alpha) {
    if (surface->format->BytesPerPixel != 4 || SDL_LockSurface(surface) != 0) {
        return;
    }
    for (int y = 0; y < surface->h; y++) {
        Uint32* row =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < surface->w; x++) {
            Uint8 r, g, b, a;
            SDL_GetRGBA(row[x], surface->format, &r, &g, &b, &a);
            row[x] = SDL_MapRGBA(surface->format, r, g, b, static_cast<Uint8>(a * alpha / 255));
        }
    }
    SDL_UnlockSurface(surface);
}

void erase_piece(Game& game, const Piece& piece) {
    for (const BlockOffset& b : piece.blocks) {
        game.set_cell(piece.x + static_cast<int>(b.x), piece.y + static_cast<int>(b.y), empty_cell);
    }
}

}  // namespace

bool Game::option_on(const char* key) const {
    return config->find_int(key, 0) != 0;
}

void Game::load_option_images() {
    // Only a missing key means the default: an empty value reads as 0, as it always has.
    int alpha = config->find("ghost_alpha") == nullptr
                    ? default_shadow_alpha
                    : std::clamp(config->find_int("ghost_alpha", 0), 0, 255);
    for (int i = 0; i < tile_count; i++) {
        SDL_Surface* tile = block_tiles[i];
        shadow_tiles[i] = create_surface_like(tile, -1, -1);
        check_loaded(shadow_tiles[i], "a shadow block");
        // Copied unblended, so the shadow starts with the tile's own alpha.
        SDL_SetAlpha(tile, 0, 0);
        SDL_UpperBlit(tile, nullptr, shadow_tiles[i], nullptr);
        SDL_SetAlpha(tile, SDL_SRCALPHA, 0);
        fade(shadow_tiles[i], alpha);
        SDL_SetAlpha(shadow_tiles[i], SDL_SRCALPHA, 0);
    }
    int block = config->get_int("block_size");
    hold_box = make_box(4 * block, 4 * block, "hold box");
    for (SDL_Surface*& box : later_boxes) {
        box = make_box(4 * block, 4 * block, "next piece box");
    }
}

int Game::draw_from_bag() {
    if (bag.empty()) {
        for (int i = 0; i < static_cast<int>(piece_descriptions.size()); i++) {
            bag.push_back(i);
        }
    }
    // Drawing one of the remaining descriptions at a time deals the bag in a uniformly random
    // order, and only through random_between, so a seeded game deals the same pieces again.
    int pick = random_between(0, static_cast<int>(bag.size()) - 1);
    int index = bag[pick];
    bag.erase(bag.begin() + pick);
    return index;
}

Piece Game::landing_shadow() {
    // While emptied rows wait to close up, the landing place would jump a moment later.
    if (!option_on("ghost_piece") || collapse_pending || current_piece.board == nullptr) {
        return Piece();
    }
    // Each distance is tested from where the piece stands, so its own cells never block it,
    // as during a real fall.
    int fall = 0;
    while (current_piece.can_move(0, fall + 1)) {
        fall++;
    }
    Piece shadow = current_piece;
    shadow.y = static_cast<Sint16>(shadow.y + fall);
    return shadow;
}

Uint8 Game::shown_value(int column, int row, const Piece& shadow) const {
    Uint8 value = board[row][column];
    if (value == empty_cell && shadow.board != nullptr && shadow.occupies(column, row)) {
        return static_cast<Uint8>(shadow_cell | shadow.tile);
    }
    return value;
}

SDL_Surface* Game::cell_surface(Uint8 value) const {
    if (value < tile_count) {
        return block_tiles[value];
    }
    int shadow = value - shadow_cell;
    return shadow >= 0 && shadow < tile_count ? shadow_tiles[shadow] : nullptr;
}

bool Game::hold_current_piece() {
    if (hold_used) {
        return false;
    }
    erase_piece(*this, current_piece);
    Piece incoming = held_piece;
    if (!holding) {
        incoming = take_next_piece();
        draw_next_piece();
    }
    // The piece goes into the box as it was dealt, unturned, and comes back at the spawn.
    if (current_piece.dealt_from >= 0) {
        held_piece = dealt_piece(current_piece.dealt_from);
    } else {
        held_piece = current_piece;
        held_piece.x = spawn_column();
        held_piece.y = -4;
    }
    current_piece = incoming;
    start_new_piece();
    holding = true;
    hold_used = true;
    draw_hold_box();
    return true;
}

void Game::empty_hold() {
    holding = false;
    hold_used = false;
    draw_hold_box();
}

void Game::show_hold_box() {
    Element* element = compositor.find("hold");
    if (!option_on("hold_piece")) {
        if (element != nullptr) {
            element->surface = nullptr;
            element->dirty = true;
        }
        return;
    }
    // Added only once the option is used, so the classic game keeps its element list.
    if (element == nullptr) {
        compositor.add(
            Element("hold", hold_box, config->get_int("hold_x"), config->get_int("hold_y")));
    } else {
        element->surface = hold_box;
    }
    draw_hold_box();
}

void Game::draw_hold_box() {
    clear_surface(hold_box);
    if (holding) {
        draw_piece_into(held_piece, hold_box);
    }
    if (Element* element = compositor.find("hold")) {
        element->dirty = true;
    }
}
