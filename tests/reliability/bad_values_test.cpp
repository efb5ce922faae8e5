// Malformed values in every file the game reads: each gives the documented behaviour or a clear
// message, never a crash or a hang.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/game/game_fixture.h"
#include "tests/support/test_support.h"

namespace {

std::string with_byte(std::string description, size_t index, int value) {
    description[index] = static_cast<char>(value);
    return description;
}

const std::string t_piece = describe_piece(1, 1, false, 2, false, {{0, 1}, {1, 1}, {2, 1}, {1, 0}});

struct PrefsCase {
    const char* key;
    std::string value;
    const char* expected;  // what building and drawing the game prints
    int status;
};

struct PiecesCase {
    const char* what;
    std::string file;
    const char* messages;  // what loading prints
    size_t kept;           // descriptions that can be dealt
};

}  // namespace

class BadPiecesFile : public GameTest {};

TEST_F(BadPiecesFile, EveryMalformedLineIsSkippedWithItsReasonOrReadAsDocumented) {
    const std::vector<PiecesCase> cases = {
        {"short line", "abc\n" + t_piece + "\n",
         "pieces.dat:1: skipped a piece: shorter than 13 bytes\n", 1},
        {"empty line", "\n" + t_piece + "\n",
         "pieces.dat:1: skipped a piece: shorter than 13 bytes\n", 1},
        {"tile 7", with_byte(t_piece, 3, 7) + "\n",
         "pieces.dat:1: skipped a piece: its tile (byte 4) is not 0 to 6\n", 0},
        {"tile -1, an empty cell", with_byte(t_piece, 3, 0xFF),
         "pieces.dat:1: skipped a piece: its tile (byte 4) is not 0 to 6\n", 0},
        {"block offset 4, inside the well at the start", with_byte(t_piece, 8, 4) + "\n",
         "pieces.dat:1: skipped a piece: a block offset (bytes 6 to 13) is not 0 to 3\n", 0},
        {"block offset 127", with_byte(t_piece, 11, 0x7F) + "\n",
         "pieces.dat:1: skipped a piece: a block offset (bytes 6 to 13) is not 0 to 3\n", 0},
        {"negative block offset", with_byte(t_piece, 5, 0x80) + "\n",
         "pieces.dat:1: skipped a piece: a block offset (bytes 6 to 13) is not 0 to 3\n", 0},
        {"CR LF line ending", t_piece + "\r\n" + t_piece + "\r\n", "", 2},
        {"no final line feed", t_piece, "", 1},
        {"any non-zero flag byte, a far centre",
         with_byte(with_byte(with_byte(t_piece, 2, 0xFF), 4, 0x80), 0, 0x80), "", 1},
        {"binary garbage", std::string("\0\xff\x80\x7f\x01\n", 6) + std::string(40, '\xff') + "\n",
         "pieces.dat:1: skipped a piece: shorter than 13 bytes\n"
         "pieces.dat:2: skipped a piece: its tile (byte 4) is not 0 to 6\n",
         0},
        {"nothing at all", "", "", 0},
    };
    for (const PiecesCase& c : cases) {
        write_pieces(c.file);
        CommandResult result = run_in_child([this] {
            Game& g = build_game();
            std::printf("kept %zu\n", g.piece_descriptions.size());
        });
        EXPECT_EQ(result.status, 0) << c.what;
        EXPECT_EQ(result.output, std::string(c.messages) + "kept " + std::to_string(c.kept) + "\n")
            << c.what;
    }
}

class BadPrefsValues : public GameTest {};

TEST_F(BadPrefsValues, EveryMalformedGameSettingIsReportedOrReadAsDocumented) {
    const char* const built = "built\n";
    const std::vector<PrefsCase> cases = {
        {"points_w", "-5", "couldn't load \"points box\", gotta go!\n", 1},
        {"lines_h", "-100", "couldn't load \"lines box\", gotta go!\n", 1},
        {"level_w", "-2", "couldn't load \"level box\", gotta go!\n", 1},
        {"level_w", "20000", "couldn't load \"level box\", gotta go!\n", 1},  // beyond SDL's pitch
        {"points_w", "-1", built, 0},    // -1 stands for the screen's width
        {"points_h", "none", built, 0},  // 0: an empty box
        {"lines_w", "99999999999999999999", "couldn't load \"lines box\", gotta go!\n", 1},
        {"next_piece_x", "70000", built, 0},  // cut to 16 bits where it is drawn
        {"level_y", "-40000", built, 0},
        {"board_x", "99999",
         "can't build a board of 10 by 20 cells of 20 pixels at (99999, 40): check "
         "\"board_width\", \"board_height\", \"block_size\", \"board_x\" and \"board_y\"\n",
         1},
        {"board_width", "ten",
         "can't build a board of 0 by 20 cells of 20 pixels at (100, 40): check "
         "\"board_width\", \"board_height\", \"block_size\", \"board_x\" and \"board_y\"\n",
         1},
        {"background_img", "",
         "couldn't load \"background image\", gotta go!\n\"background_img\" in prefs.txt names "
         "no file\n",
         1},
        {"level_font", "\x01\xff\x80.bmp",
         "couldn't load \"level font\", gotta go!\nthe file \"\x01\xff\x80.bmp\", named by "
         "\"level_font\" in prefs.txt: Couldn't open \x01\xff\x80.bmp\n",
         1},
        // A carriage return set as part of a value (a file's line ends never leave one).
        {"background_img", "background.bmp\r",
         "couldn't load \"background image\", gotta go!\nthe file \"background.bmp\r\", named by "
         "\"background_img\" in prefs.txt: Couldn't open background.bmp\r\n",
         1},
        {"block_size", "20\r", built, 0},  // numbers stop at the CR
        {"pieces_file", "pieces.dat\r", "couldn't read pieces file: pieces.dat\r\nbuilt\n", 0},
    };
    for (const PrefsCase& c : cases) {
        ConfigStore saved = prefs;
        prefs.get_string(c.key) = c.value;
        CommandResult result = run_in_child([this] {
            Game& g = build_game();
            g.draw_next_piece();
            g.draw_level();
            g.draw_points();
            g.draw_lines();
            g.update_screen();
            std::printf("built\n");
        });
        EXPECT_EQ(result.status, c.status) << c.key << ": " << c.value;
        EXPECT_EQ(result.output, c.expected) << c.key << ": " << c.value;
        prefs = saved;
    }
}
