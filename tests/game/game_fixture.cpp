#include "tests/game/game_fixture.h"

#include <unistd.h>

#include <filesystem>

// Centre x and y, half centre, tile, alternates, then the four blocks' x and y.
const std::string piece_bar("\1\1\1\0\0\0\1\1\1\2\1\3\1", 13);
const std::string piece_square("\0\0\1\1\0\0\0\1\0\0\1\1\1", 13);
const std::string piece_tee("\1\1\0\2\0\0\1\1\1\2\1\1\0", 13);
const std::string piece_ess("\1\1\0\3\1\1\0\2\0\0\1\1\1", 13);
const std::string piece_upright_bar("\1\1\1\0\0\1\0\1\1\1\2\1\3", 13);

void place_piece(Game& game, const std::string& description, int x, int y) {
    Piece& piece = game.current_piece;
    piece = Piece(description, static_cast<Sint16>(x), static_cast<Sint16>(y), &game);
    for (const BlockOffset& block : piece.blocks) {
        game.set_cell(x + block.x, y + block.y, piece.tile);
    }
    game.next_piece = game.random_piece();
}

void save_picture(const std::string& path, int w, int h, Uint32 rgb) {
    SDL_Surface* picture = make_filled_surface(w, h, rgb);
    EXPECT_EQ(SDL_SaveBMP(picture, path.c_str()), 0) << SDL_GetError();
    SDL_FreeSurface(picture);
}

void fill_row(Game& game, int row) {
    for (int column = 0; column < game.board_width(); column++) {
        game.set_cell(column, row, column == 0 ? empty_cell : 5);
    }
}

std::string row_blocks(const Game& game, int row) {
    std::string columns;
    for (int column = 0; column < game.board_width(); column++) {
        if (game.board[row][column] != empty_cell) {
            columns += static_cast<char>('0' + column);
        }
    }
    return columns;
}

std::string board_text(const Game& game) {
    std::string text;
    for (const std::vector<Uint8>& row : game.board) {
        for (Uint8 cell : row) {
            text += cell == empty_cell ? '.' : static_cast<char>('0' + cell);
        }
        text += '\n';
    }
    return text;
}

namespace {

// One line per part of the screen, as the layout comment in game_fixture.h gives it.
const char* const test_prefs =
    "pieces_file: pieces.dat\n"
    "board_width: 10\nboard_height: 20\nblock_size: 20\nboard_x: 100\nboard_y: 40\n"
    "background_img: background.bmp\nlevel_font: level_digits.bmp\n"
    "small_num_font: small_digits.bmp\ngame_over_img: game_over.bmp\n"
    "paused_img: paused.bmp\nblocks_img: blocks.bmp\n"
    "next_piece_x: 10\nnext_piece_y: 10\n"
    "level_x: 10\nlevel_y: 100\nlevel_w: 60\nlevel_h: 30\n"
    "points_x: 10\npoints_y: 150\npoints_w: 50\npoints_h: 20\n"
    "lines_x: 10\nlines_y: 200\nlines_w: 50\nlines_h: 20\n"
    "key_repeat_delay: 200\nkey_repeat_rate: 50\n"
    "pause_key: p\nturn_left_key: z\nturn_right_key: up\nmove_left_key: left\n"
    "move_right_key: right\nmove_down_key: down\ndrop_key: space\n";

// Count stripes of one colour each, stacked top to bottom.
void save_strip(const std::string& path, int w, int h, int count, Uint32 (*colour)(int)) {
    SDL_Surface* strip = make_filled_surface(w, h * count, 0);
    for (int i = 0; i < count; i++) {
        SDL_Rect stripe{0, static_cast<Sint16>(i * h), static_cast<Uint16>(w),
                        static_cast<Uint16>(h)};
        SDL_FillRect(strip, &stripe, colour(i));
    }
    EXPECT_EQ(SDL_SaveBMP(strip, path.c_str()), 0) << SDL_GetError();
    SDL_FreeSurface(strip);
}

}  // namespace

void GameTest::SetUp() {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_NE(SDL_SetVideoMode(320, 480, 32, SDL_SWSURFACE), nullptr) << SDL_GetError();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder = make_scratch_dir(std::string(info->test_suite_name()) + "." + info->name());
    write_file(folder + "/prefs.txt", test_prefs);
    // The seven test pieces: I (tile 0), O, T, S, Z, L, J (tile 6).
    write_file(folder + "/pieces.dat", piece_bar + "\n" + piece_square + "\n" + piece_tee + "\n" +
                                           piece_ess + "\n" +
                                           std::string("\1\1\0\4\1\0\0\1\0\1\1\2\1\n", 14) +
                                           std::string("\1\1\0\5\0\0\1\1\1\2\1\2\0\n", 14) +
                                           std::string("\1\1\0\6\0\0\0\0\1\1\1\2\1\n", 14));
    save_picture(folder + "/background.bmp", 320, 480, background_colour);
    save_picture(folder + "/paused.bmp", 101, 31, paused_colour);
    save_picture(folder + "/game_over.bmp", 121, 41, game_over_colour);
    save_strip(folder + "/blocks.bmp", test_block, test_block, tile_count, tile_colour);
    save_strip(folder + "/level_digits.bmp", 15, 20, 10, digit_colour);
    save_strip(folder + "/small_digits.bmp", 10, 14, 10, digit_colour);
    previous_folder = std::filesystem::current_path().string();
    ASSERT_EQ(chdir(folder.c_str()), 0);
    ASSERT_EQ(prefs.load("prefs.txt"), 0);
}

void GameTest::TearDown() {
    game.reset();
    if (!previous_folder.empty()) {
        ASSERT_EQ(chdir(previous_folder.c_str()), 0);
    }
    SDL_Quit();
}

Game& GameTest::build_game(const std::vector<std::pair<const char*, const char*>>& settings) {
    for (const auto& setting : settings) {
        prefs.set(setting.first, setting.second);
    }
    game = std::make_unique<Game>(prefs);
    return *game;
}
