// derevarez-check on the shipped data (clean) and on copies broken on purpose: every problem
// is reported with its file and line.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <utility>
#include <vector>

#include "tests/tools/check_helpers.h"

namespace {

std::string last_line(const std::string& output) {
    size_t end = output.find_last_not_of('\n');
    size_t start = output.rfind('\n', end);
    return output.substr(start == std::string::npos ? 0 : start + 1, end - start);
}

// derevarez-check run on a broken copy: it must end with status 1. Its output.
std::string failing_check(const std::string& folder) {
    CommandResult result = run_checker(folder);
    EXPECT_EQ(1, result.status) << result.output;
    return result.output;
}

// Fails for each (line start, phrase) pair that no line of the output reports.
void expect_reports(const std::string& out,
                    const std::vector<std::pair<std::string, std::string>>& expected) {
    for (const auto& line : expected) {
        EXPECT_TRUE(reports(out, line.first, line.second)) << line.second << " in:\n" << out;
    }
}

void save_bmp(const std::string& path, int w, int h) {
    SDL_Surface* image = make_filled_surface(w, h, 0x336699);
    ASSERT_EQ(0, SDL_SaveBMP(image, path.c_str()));
    SDL_FreeSurface(image);
}

TEST(DataCheck, ShippedDataIsClean) {
    std::string folder = copy_game_folder("clean");
    CommandResult result = run_checker(folder);
    EXPECT_EQ(0, result.status);
    EXPECT_EQ("0 errors, 0 warnings\n", result.output);

    // The same folder, named on the command line from elsewhere.
    result = run_command(make_scratch_dir("elsewhere"), std::string(CHECKER) + " '" + folder + "'");
    EXPECT_EQ(0, result.status);
    EXPECT_EQ("0 errors, 0 warnings\n", result.output);
}

TEST(DataCheck, PrefsKeysNumbersAndBindings) {
    std::string folder = copy_game_folder("prefs");
    auto at = [&](const char* key) { return place_of(folder, "prefs.txt", key); };
    std::string prefs = folder + "/prefs.txt";
    remove_key(prefs, "lines_h");
    set_value(prefs, "board_width", "ten");
    set_value(prefs, "block_size", "0");
    set_value(prefs, "drop_key", "Space");
    set_value(prefs, "pause_key", "z");  // turn_left_key is "z" too
    set_value(prefs, "move_down_key", "");
    set_value(prefs, "key_repeat_delay", "-5");
    set_value(prefs, "hold_key", "z");
    set_value(prefs, "ghost_alpha", "300");
    remove_key(prefs, "hold_x");  // needed by a file that offers the hold box
    set_value(prefs, "leave_key", "Escape");
    set_value(prefs, "drop_pad", "button 2, hat middle");
    set_value(prefs, "fullscreen", "yes");
    std::string out = failing_check(folder);
    expect_reports(
        out,
        {{"prefs.txt: ", "missing key \"lines_h\""},
         {at("board_width"), "\"board_width\" is not a whole number: \"ten\""},
         {at("block_size"), "must be more than 0"},
         {at("drop_key"), "\"Space\" is not a key name SDL gives: did you mean \"space\"?"},
         {at("turn_left_key"), "warning: \"turn_left_key\" and \"pause_key\" share the key \"z\""},
         {at("move_down_key"), "bound to no key"},
         {at("key_repeat_delay"), "negative"},
         {at("hold_key"), "warning: \"hold_key\" and \"pause_key\" share the key \"z\""},
         {at("ghost_alpha"), "warning: \"ghost_alpha\" is not 0 to 255"},
         {"prefs.txt: ", "missing key \"hold_x\""},
         {at("leave_key"), "\"Escape\" is not a key name SDL gives: did you mean \"escape\"?"},
         {at("drop_pad"), "\"button 2, hat middle\" is not a pad input"},
         {at("fullscreen"), "warning: \"yes\" is neither \"true\" nor \"false\""}});
    EXPECT_EQ("9 errors, 4 warnings", last_line(out)) << out;
}

TEST(DataCheck, LayoutOutsideTheWindowAndKeyRepeat) {
    std::string folder = copy_game_folder("layout");
    auto at = [&](const char* key) { return place_of(folder, "prefs.txt", key); };
    std::string prefs = folder + "/prefs.txt";
    set_value(prefs, "board_x", "600");  // the 260-pixel board then ends at 860 of 800
    set_value(prefs, "level_y", "580");
    set_value(prefs, "next_piece_x", "-10");
    set_value(prefs, "key_repeat_rate", "0");
    std::string out = failing_check(folder);
    expect_reports(out,
                   {{at("board_x"), "the board spans x 600 to 860, outside the window's 0 to 800"},
                    {at("paused_img"), "the paused image spans x"},
                    {at("game_over_img"), "the game-over image spans x"},
                    {at("level_y"), "the level box spans y 580 to"},
                    {at("next_piece_x"), "the next piece box spans x -10 to 94"},
                    {at("key_repeat_rate"), "repeats at every pass of the game loop"}});
    EXPECT_EQ("6 errors, 0 warnings", last_line(out)) << out;
}

TEST(DataCheck, GameImages) {
    std::string folder = copy_game_folder("images");
    auto at = [&](const char* key) { return place_of(folder, "prefs.txt", key); };
    std::string prefs = folder + "/prefs.txt";
    save_bmp(folder + "/images/blocks.bmp", 26, 100);  // room for three tiles of 26
    save_bmp(folder + "/images/digits.bmp", 20, 105);
    set_value(prefs, "blocks_img", "images/blocks.bmp");
    set_value(prefs, "small_num_font", "images/digits.bmp");
    set_value(prefs, "paused_img", "images/missing.png");
    std::string out = failing_check(folder);
    expect_reports(out, {{"images/blocks.bmp: ",
                          "seven tiles of \"block_size\" 26 in one column are 26 x 182"},
                         {"images/digits.bmp: ", "height 105 does not divide by ten"},
                         {at("paused_img"), "cannot load \"images/missing.png\""}});
    EXPECT_EQ("3 errors, 0 warnings", last_line(out)) << out;

    save_bmp(folder + "/images/blocks.bmp", 40, 182);
    set_value(prefs, "paused_img", "images/paused.png");
    set_value(prefs, "small_num_font", "images/digits_small.png");
    set_value(prefs, "window_icon", "images/none.png");  // optional: only a warning
    CommandResult result = run_checker(folder);
    EXPECT_EQ(0, result.status) << result.output;
    expect_reports(result.output,
                   {{"images/blocks.bmp: ", "warning: 40 x 182 pixels"},
                    {at("window_icon"), "warning: cannot load \"images/none.png\""}});
}

TEST(DataCheck, PiecesFile) {
    std::string folder = copy_game_folder("pieces");
    auto at = [&](const char* key) { return place_of(folder, "prefs.txt", key); };
    // A good piece, then one whose flag was written as 10: the game sees two short lines.
    std::string good("\x01\x01\x00\x02\x00\x01\x00\x00\x01\x01\x01\x02\x01", 13);
    std::string cut("\x01\x01\x0a\x02\x00\x01\x00\x00\x01\x01\x01\x02\x01", 13);
    std::string bad_tile("\x01\x01\x00\x09\x00\x01\x00\x00\x01\x01\x01\x02\x01", 13);
    write_file(folder + "/pieces.dat", good + "\n" + cut + "\n" + bad_tile + "\n");
    std::string out = failing_check(folder);
    expect_reports(
        out, {{"pieces.dat:2: ", "cut by a byte 10"}, {"pieces.dat:4: ", "tile (byte 4) is 9"}});
    EXPECT_EQ("2 errors, 0 warnings", last_line(out)) << out;

    std::remove((folder + "/pieces.dat").c_str());
    expect_reports(failing_check(folder),
                   {{at("pieces_file"), "cannot read the pieces file \"pieces.dat\""}});

    std::remove((folder + "/prefs.txt").c_str());
    expect_reports(failing_check(folder), {{"prefs.txt: ", "cannot be read"}});
}

TEST(DataCheck, MainMenu) {
    std::string folder = copy_game_folder("main_menu");
    std::string menu = folder + "/menus/main_menu.txt";
    const std::string file = "menus/main_menu.txt";
    auto at = [&](const char* key) { return place_of(folder, file, key); };
    set_value(menu, "tsurf2_font", "lable");
    set_value(menu, "tsurf3_color", "#0b0e1f");
    set_value(menu, "button3_rect", "12,8,276");
    set_value(menu, "button10_return", "qiut");
    set_value(menu, "button1_surf", "titel");
    set_value(menu, "button6_y", "590");
    set_value(menu, "num_fonts", "2");  // font3 "tiny" is then never read
    set_value(menu, "surf2_path", "images/nothing.png");
    set_value(menu, "font2_path", "NoSuchFont.ttf");
    set_value(menu, "background", "images/nothing.png");
    std::string out = failing_check(folder);
    expect_reports(out,
                   {{at("tsurf2_font"), "\"lable\" is the name of no font"},
                    {at("tsurf8_font"), "\"tiny\" is the name of no font"},
                    {at("font3_name"), "warning: \"font3_name\" is never read: \"num_fonts\" is 2"},
                    {at("tsurf3_color"), "colour \"#0b0e1f\" is not six hexadecimal digits"},
                    {at("button3_rect"), "rectangle \"12,8,276\" is not four whole numbers"},
                    {file + ": ", "no button a player can click answers \"quit\""},
                    {at("button1_surf"), "\"titel\" is defined by no surf or tsurf entry"},
                    {at("button6_y"), "button6 spans y 608 to 635"},
                    {at("button6_rect"), "the hit rectangle of button6 spans y 598 to 646"},
                    {at("surf2_path"), "cannot load \"images/nothing.png\""},
                    {at("font2_path"), "cannot read the font file \"NoSuchFont.ttf\""},
                    {at("background"), "cannot load \"images/nothing.png\""}});
}

TEST(DataCheck, PreferencesMenu) {
    std::string folder = copy_game_folder("prefs_menu");
    std::string menu = folder + "/menus/prefs_menu.txt";
    const std::string file = "menus/prefs_menu.txt";
    auto at = [&](const char* key) { return place_of(folder, file, key); };
    set_value(menu, "button18_return", "bakc");
    remove_key(menu, "button4_return");
    set_value(menu, "font4_size", "0");
    set_value(menu, "tsurf2_text", "");
    set_value(menu, "num_buttons", "60");
    std::string out = failing_check(folder);
    expect_reports(out, {{file + ": ", "no button a player can click answers \"back\""},
                         {at("button18_return"), "warning: \"bakc\" is no action of the game"},
                         {file + ": ", "warning: no button binds \"pause_key\""},
                         {at("font4_size"), "font size 0 must be more than 0"},
                         {at("tsurf2_text"), "\"tsurf2_text\" is empty"},
                         {at("num_buttons"),
                          "warning: \"num_buttons\" is 60, but the file has no key of button"}});
}

}  // namespace
