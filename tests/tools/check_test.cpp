// derevarez-check on the shipped data (clean) and on a copy broken on purpose in many places at
// once: every problem is reported at its file and line, with what to do.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <tuple>

#include "tests/support/test_support.h"
#include "tools/piece_shapes.h"

namespace {

// A fresh folder holding the shipped data and the two menu fonts, as the run folder does.
std::string copy_game_folder(const std::string& name) {
    std::string folder = make_scratch_dir(name);
    CommandResult copy = run_command(
        folder, std::string("cp -r '") + SOURCE_DIR + "/data/.' . && cp " + MENU_FONTS + " .");
    EXPECT_EQ(0, copy.status) << copy.output;
    return folder;
}

// Rewrites the line "key: ..." of the file as "key: value", or drops it when value is null.
bool edit_key(const std::string& path, const std::string& key, const char* value) {
    std::string text = "\n" + read_file(path);
    size_t start = text.find("\n" + key + ":");
    if (start == std::string::npos) {
        return false;
    }
    size_t length = text.find('\n', start + 1) - start;
    text.replace(start + 1, length, value == nullptr ? "" : key + ": " + value + "\n");
    write_file(path, text.substr(1));
    return true;
}

// The number of the last line "key: ..." of the file.
int last_line_of(const std::string& path, const std::string& key) {
    std::string text = "\n" + read_file(path);
    size_t at = text.rfind("\n" + key + ":");
    return at == std::string::npos ? 0 : std::count(text.begin(), text.begin() + at + 1, '\n');
}

// Whether output has a line that starts with place and holds phrase.
bool reports(const std::string& output, const std::string& place, const std::string& phrase) {
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(place, 0) == 0 && line.find(phrase) != std::string::npos) {
            return true;
        }
    }
    return false;
}

TEST(DataCheck, ShippedDataIsCleanFromAnyFolderAndNoDataIsAnError) {
    std::string folder = copy_game_folder("clean");
    CommandResult result = run_command(folder, CHECKER);
    EXPECT_EQ(0, result.status);
    EXPECT_EQ("0 errors, 0 warnings\n", result.output);
    // The data folder itself: the checker finds the fonts where the build copies them from.
    result = run_command(folder, std::string(CHECKER) + " '" + SOURCE_DIR + "/data'");
    EXPECT_EQ("0 errors, 0 warnings\n", result.output);
    result = run_command(make_scratch_dir("empty"), CHECKER);
    EXPECT_EQ(1, result.status);
    EXPECT_TRUE(reports(result.output, "prefs.txt: ", "cannot be read")) << result.output;
}

TEST(DataCheck, EveryMistakeAtItsLineWithWhatToDo) {
    struct Break {
        const char* file;
        const char* key;    // the line changed; nullptr: none (the report follows the row above)
        const char* value;  // its new value (a line feed adds a line); nullptr: the line goes
        const char* at;     // the key on whose last line the report is; nullptr: the whole file
        const char* report;
    };
    const char* prefs = "prefs.txt";
    const char* main = "menus/main_menu.txt";
    const char* keys = "menus/prefs_menu.txt";
    const Break breaks[] = {
        {prefs, "lines_h", nullptr, nullptr, "missing key \"lines_h\""},
        {prefs, "pause_key", "z", "turn_left_key",
         "warning: \"turn_left_key\" and \"pause_key\" share the key \"z\""},
        {prefs, "key_repeat_rate", "0", "key_repeat_rate", "repeats at every pass of the game"},
        {prefs, "ghost_alpha", "300", "ghost_alpha", "warning: \"ghost_alpha\" is not 0 to 255"},
        {prefs, "drop_pad", "button 2, hat middle", "drop_pad", "is not a pad input"},
        {prefs, "fullscreen", "yes", "fullscreen", "warning: \"yes\" is neither \"true\" nor"},
        {prefs, "window_h", "600\nwindow_w: 800", "window_w",
         "warning: \"window_w\" is set again here after line 1: the game takes the last line's "
         "value and ignores the others"},
        {prefs, "next_piece_x", "ten", "next_piece_x", "\"next_piece_x\" is not a whole number"},
        {prefs, "pieces_file", "none.dat", "pieces_file", "cannot read the pieces"},
        {prefs, "board_x", "600", "board_x",
         "the board spans x 600 to 860, outside the window's 0 to 800"},
        {nullptr, nullptr, nullptr, "paused_img", "the paused image spans x"},
        {nullptr, nullptr, nullptr, "game_over_img", "the game-over image spans x"},
        {prefs, "level_y", "690", "level_y", "the level box spans y 690 to"},
        {prefs, "time_x", "700", "time_x", "the clock's box spans x 700 to 860"},
        {prefs, "sprint_lines", "0", "sprint_lines",
         "warning: \"sprint_lines\" must be a whole number from 1 to 9999: the game plays with 40"},
        {prefs, "level_font", "images/missing.png", "level_font", "cannot load"},
        {prefs, "takeover_key", "tt", "takeover_key", "\"tt\" is not a key name SDL gives"},
        {prefs, "replays_folder", "pieces.dat", "replays_folder",
         "\"pieces.dat\" is not a folder: no game can be recorded there"},
        {prefs, "window_icon", "images/none.png", "window_icon",
         "warning: cannot load \"images/none.png\""},
        {main, "tsurf6_font", "lable", "tsurf6_font", "\"lable\" is the name of no font"},
        {main, "num_fonts", "2", "tsurf8_font", "\"tiny\" is the name of no font"},
        {nullptr, nullptr, nullptr, "font3_name", "warning: \"font3_name\" is never read"},
        {nullptr, nullptr, nullptr, "font3_path", "warning: \"font3_path\" is never read"},
        {nullptr, nullptr, nullptr, "font3_size", "warning: \"font3_size\" is never read"},
        {main, "tsurf3_color", "#0b0e1f", "tsurf3_color", "is not six hexadecimal digits"},
        {main, "button3_rect", "12,8,276", "button3_rect", "is not four whole numbers"},
        {main, "button14_return", "qiut", nullptr, "no button a player can click answers \"quit\""},
        {main, "button6_y", "590", "button6_y", "button6 spans y 590 to 617"},
        {nullptr, nullptr, nullptr, "button6_rect", "the hit rectangle of button6 spans y 598"},
        {main, "button6_align", "middle", "button6_align",
         "\"middle\" is no alignment: use \"left\", \"center\" or \"right\""},
        {main, "font2_path", "NoSuchFont.ttf", "font2_path", "cannot read the font file"},
        {main, "tsurf2_text", "Start a new game right now", "button4_rect",
         "warning: the text \"Start a new game right now\" of button4 is 352 pixels wide, wider "
         "than its rectangle's 276: shorten it, use a smaller font or widen the rectangle"},
        {main, "background", "images/title.png", "background",
         "warning: the background is 520 x 149 pixels, the window 800 x 600"},
        {"menus/modes_menu.txt", "button9_return", "ultar", nullptr,
         "warning: no button answers \"ultra\": players cannot play that way"},
        {"menus/replays_menu.txt", "button58_return", "bcak", nullptr,
         "no button a player can click answers \"back\""},
        {"images/blocks.png", nullptr, nullptr, nullptr,
         "seven tiles of \"block_size\" 26 in one column are 26 x 182"},
        {"images/digits_small.png", nullptr, nullptr, nullptr, "height 105 does not divide by ten"},
        {keys, "button18_return", "bakc", nullptr, "no button a player can click answers \"back\""},
        {nullptr, nullptr, nullptr, "button18_return", "warning: \"bakc\" is no action"},
        {keys, "button4_return", nullptr, nullptr, "warning: no button binds \"pause_key\""},
        {keys, "tsurf2_text", "", "tsurf2_text", "\"tsurf2_text\" is empty"},
        {nullptr, nullptr, nullptr, "tsurf2_text", "the text \"\" renders nothing"},
        {keys, "num_buttons", "60", "num_buttons",
         "warning: \"num_buttons\" is 60, but the file has no key of button"},
        {prefs, "next_count", "9", "next_count", "warning: \"next_count\" is not 1 to 5"},
        // The switch's kicks file: the game plays without kicks until the player turns it on.
        {"kicks.txt", "pieces", "I O T S Z J L I", "pieces",
         "warning: the piece name \"I\" is given twice; the game plays without kicks"},
        {"kicks.txt", "Z 1 left", "1,0 -1,0\nZ 1 lfet: 0,-3", "Z 1 lfet",
         "warning: \"lfet\" is not a turn; the game plays without kicks: did you mean \"left\"?"},
        {nullptr, nullptr, nullptr, "Z 1 lfet",
         "warning: the offset \"0,-3\" moves the piece more than 2"},
        {"menus/scores_menu.txt", nullptr, nullptr, nullptr,
         "warning: this file has CR LF line endings: the game reads each line without its "
         "carriage return, and a save writes plain line feeds"},
    };
    std::string folder = copy_game_folder("broken");
    EXPECT_EQ(0, run_command(folder, "sed -i 's/$/\\r/' menus/scores_menu.txt").status);
    // Room for three tiles of 26, and digits of a height that is no multiple of ten.
    for (auto [name, w, h] : {std::tuple{"blocks", 26, 100}, {"digits_small", 20, 105}}) {
        SDL_Surface* image = make_filled_surface(w, h, 0x336699);
        EXPECT_EQ(0, SDL_SaveBMP(image, (folder + "/images/" + name + ".png").c_str()));
        SDL_FreeSurface(image);
    }
    const char* file = nullptr;
    for (const Break& b : breaks) {
        file = b.file != nullptr ? b.file : file;
        if (b.key != nullptr) {
            EXPECT_TRUE(edit_key(folder + "/" + file, b.key, b.value)) << b.key;
        }
    }
    CommandResult result = run_command(folder, CHECKER);
    EXPECT_EQ(1, result.status);
    int warnings = 0;
    for (const Break& b : breaks) {
        file = b.file != nullptr ? b.file : file;
        int line = b.at == nullptr ? 0 : last_line_of(folder + "/" + file, b.at);
        std::string place = std::string(file) + ":" + (line ? std::to_string(line) + ":" : "");
        EXPECT_TRUE(reports(result.output, place + " ", b.report)) << place << " " << b.report;
        warnings += std::string(b.report).rfind("warning:", 0) == 0;
    }
    int errors = static_cast<int>(std::size(breaks)) - warnings;
    EXPECT_TRUE(
        reports(result.output, "",
                std::to_string(errors) + " errors, " + std::to_string(warnings) + " warnings"))
        << result.output;
}

TEST(DataCheck, PiecesSourceAndKeyNames) {
    // Given the readable source, a piece's problem is shown at its lines there, by name.
    std::string folder = copy_game_folder("pieces_source");
    std::string source =
        "piece: S\ntile: 1\ncentre: 1 1\nhalf_centre: yes\nXX..\n....\n....\n..XX\n";
    write_file(folder + "/pieces.txt", source);
    write_file(folder + "/pieces.dat", pieces_file_contents(parse_pieces_source(source).pieces));
    std::string command = std::string(CHECKER) + " --pieces-source pieces.txt";
    EXPECT_EQ(
        "pieces.txt:1: warning: piece S: the piece is in two parts (blocks 1 and 2; blocks 3 and "
        "4): no block of one touches a block of another side by side\n"
        "kicks.txt:9: warning: names 7 pieces, but the pieces file deals 1; the game plays "
        "without kicks\n0 errors, 2 warnings\n",
        run_command(folder, command).output);
    write_file(folder + "/pieces.txt", "piece: S\ntile: 2" + source.substr(16));
    std::string output = run_command(folder, command).output;
    EXPECT_TRUE(reports(output, "",
                        "pieces.dat: warning: was not made from \"pieces.txt\" as it is now: run "
                        "make_pieces; problems are shown at this file's lines"))
        << output;
    output = run_command(folder, std::string(CHECKER) + " --keys").output;
    EXPECT_TRUE(reports(output, "[5]            keypad 5", "")) << output;
}

}  // namespace
