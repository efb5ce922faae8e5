// Building and tearing down the game: images, block tiles, boxes and the screen layout.
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "compositor/scaled_window.h"
#include "game/game.h"

std::string cell_name(int column, int row) {
    return int_to_text(column) + ":" + int_to_text(row);
}

Game::Game(ConfigStore& config)
    : config(&config),
      screen(nullptr),
      block_tiles{},
      level_font(nullptr),
      small_num_font(nullptr),
      game_over_image(nullptr),
      paused_image(nullptr),
      level_box(nullptr),
      points_box(nullptr),
      lines_box(nullptr),
      background_image(nullptr),
      next_piece_box(nullptr),
      level(1),
      points(0),
      fall_interval(500),
      lines(0),
      level_lines(0),
      paused(false),
      collapse_pending(false),
      last_fall(0),
      reached_game_over(false),
      shadow_tiles{},
      hold_box(nullptr),
      holding(false),
      hold_used(false),
      later_boxes{} {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    screen = drawing_surface();
    load_pieces();
    check_board_geometry();
    load_images();
    load_option_images();
    load_mode_images();
    build_board();
    build_layout();
}

Game::~Game() {
    free_look();
    SDL_FreeSurface(replay_line_box);
}

namespace {

// Which file failed and which setting names it, with SDL's reason: the message before it
// names only the picture's role.
std::string named_by(const std::string& file_name, const char* key) {
    if (file_name.empty()) {
        return std::string("\"") + key + "\" in prefs.txt names no file";
    }
    return "the file \"" + file_name + "\", named by \"" + key +
           "\" in prefs.txt: " + SDL_GetError();
}

}  // namespace

void Game::check_loaded(SDL_Surface* surface, const char* what, const std::string& detail) {
    if (surface == nullptr) {
        std::printf("couldn't load \"%s\", gotta go!\n", what);
        if (!detail.empty()) {
            std::printf("%s\n", detail.c_str());
        }
        std::exit(1);
    }
}

SDL_Surface* Game::create_surface_like(SDL_Surface* model, int width, int height) {
    if (width == -1) {
        width = model->w;
    }
    if (height == -1) {
        height = model->h;
    }
    // SDL 1.2 makes a surface of a negative size and then writes past its pixels when it is
    // converted or filled: a negative box size from the preferences must fail here instead.
    if (width < 0 || height < 0) {
        return nullptr;
    }
    const SDL_PixelFormat* format = model->format;
    return SDL_CreateRGBSurface(0, width, height, format->BitsPerPixel, format->Rmask,
                                format->Gmask, format->Bmask, format->Amask);
}

SDL_Surface* Game::load_image(const char* key, ImageKind kind, const char* what) {
    const std::string& file_name = config->get_string(key);
    SDL_Surface* loaded = IMG_Load(file_name.c_str());
    check_loaded(loaded, what, loaded != nullptr ? std::string() : named_by(file_name, key));
    SDL_Surface* converted =
        kind != opaque ? SDL_DisplayFormatAlpha(loaded) : SDL_DisplayFormat(loaded);
    check_loaded(converted, what, converted != nullptr ? std::string() : named_by(file_name, key));
    if (kind > alpha_copy) {
        SDL_SetAlpha(converted, SDL_SRCALPHA | SDL_RLEACCEL, 0);
    } else {
        SDL_SetAlpha(converted, 0, 0);
    }
    SDL_FreeSurface(loaded);
    return converted;
}

SDL_Surface* Game::make_box(int width, int height, const char* what) {
    SDL_Surface* plain = create_surface_like(screen, width, height);
    check_loaded(plain, what);
    SDL_Surface* box = SDL_DisplayFormatAlpha(plain);
    check_loaded(box, what);
    SDL_SetAlpha(box, SDL_SRCALPHA, 0);
    SDL_FreeSurface(plain);
    return box;
}

void Game::load_images() {
    background_image = load_image("background_img", opaque, "background image");
    level_font = load_image("level_font", alpha_copy, "level font");
    small_num_font = load_image("small_num_font", alpha_copy, "small number font");
    game_over_image = load_image("game_over_img", alpha_blend, "game over image");
    paused_image = load_image("paused_img", alpha_blend, "paused image");
    SDL_Surface* blocks_image = load_image("blocks_img", alpha_copy, "blocks image");

    // The blocks image holds the seven tiles in one column, top to bottom.
    int block = config->get_int("block_size");
    SDL_Rect source{0, 0, static_cast<Uint16>(block), static_cast<Uint16>(block)};
    for (SDL_Surface*& tile : block_tiles) {
        SDL_Surface* plain = create_surface_like(screen, block, block);
        check_loaded(plain, "a block (temp)");
        tile = SDL_DisplayFormatAlpha(plain);
        check_loaded(tile, "a block");
        SDL_FreeSurface(plain);
        SDL_Rect target{0, 0, static_cast<Uint16>(block), static_cast<Uint16>(block)};
        SDL_Rect from = source;
        SDL_UpperBlit(blocks_image, &from, tile, &target);
        SDL_SetAlpha(tile, SDL_SRCALPHA, 0);
        source.y = static_cast<Sint16>(source.y + block);
    }
    SDL_FreeSurface(blocks_image);

    next_piece_box = make_box(4 * block, 4 * block, "next piece box");
    points_box = make_box(config->get_int("points_w"), config->get_int("points_h"), "points box");
    lines_box = make_box(config->get_int("lines_w"), config->get_int("lines_h"), "lines box");
    level_box = make_box(config->get_int("level_w"), config->get_int("level_h"), "level box");
}

void Game::build_layout() {
    auto at = [this](const char* key) { return config->get_int(key); };
    compositor.add(Element("background", background_image, 0, 0));
    compositor.add(Element("next_piece", next_piece_box, at("next_piece_x"), at("next_piece_y")));
    compositor.add(Element("level", level_box, at("level_x"), at("level_y")));
    compositor.add(Element("points", points_box, at("points_x"), at("points_y")));
    compositor.add(Element("lines", lines_box, at("lines_x"), at("lines_y")));

    int block = at("block_size");
    int board_x = at("board_x");
    int board_y = at("board_y");
    SDL_Rect tile{0, 0, static_cast<Uint16>(block), static_cast<Uint16>(block)};
    first_cell_element = compositor.elements.size();
    for (int row = 0; row < board_height(); row++) {
        for (int column = 0; column < board_width(); column++) {
            compositor.add(Element(cell_name(column, row), nullptr, board_x + block * column,
                                   board_y + block * row, tile));
        }
    }

    // Centred on the well; the game-over picture is placed by the same rule.
    int x = board_x + (board_width() * block) / 2 - paused_image->w / 2;
    int y = board_y + (board_height() * block) / 2 - paused_image->h / 2;
    paused_element = compositor.elements.size();
    compositor.add(Element("paused", nullptr, x, y));
}

Element* Game::cell_element(int column, int row) {
    size_t index = first_cell_element + static_cast<size_t>(row) * board_width() + column;
    return index < compositor.elements.size() ? &compositor.elements[index] : nullptr;
}

Element* Game::paused_picture() {
    return paused_element < compositor.elements.size() ? &compositor.elements[paused_element]
                                                       : nullptr;
}
