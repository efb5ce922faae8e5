// What a skin or piece-set author trips over, each on a broken copy of the shipped data, with
// the exact line derevarez-check reports.
#include <gtest/gtest.h>

#include "tests/tools/check_helpers.h"
#include "tools/piece_shapes.h"

namespace {

bool has_line(const std::string& output, const std::string& line) {
    return ("\n" + output).find("\n" + line + "\n") != std::string::npos;
}

TEST(AuthoringCheck, EachMistakeAtItsLineWithWhatToDo) {
    struct Break {
        const char* file;
        const char* key;    // the line changed; nullptr: the whole file gets CR LF endings
        const char* value;  // its new value (a line feed adds a line after it)
        const char* at;     // the key whose line the report is at ("": the whole file)
        int below;          // ... or this many lines below it
        const char* report;
    };
    const Break breaks[] = {
        {"prefs.txt", "drop_key", "spcae", "drop_key", 0,
         "\"spcae\" is not a key name SDL gives: did you mean \"space\"?"},
        {"prefs.txt", "pause_key", "ctrl", "pause_key", 0,
         "\"ctrl\" is not a key name SDL gives: did you mean \"left ctrl\"?"},
        {"prefs.txt", "window_h", "600\nwindow_w: 800", "window_h", 1,
         "warning: \"window_w\" is set again here after line 1: the game takes the last line's "
         "value and ignores the others"},
        {"prefs.txt", "window_h", "700", "window_w", 0,
         "warning: the window is 800 x 700 pixels, larger than every background (the largest is "
         "800 x 600): parts of it are never painted over"},
        {"menus/main_menu.txt", "background", "images/title.png", "background", 0,
         "warning: the background is 520 x 149 pixels, the window 800 x 600: where it does not "
         "reach, old pictures stay on the screen"},
        {"menus/main_menu.txt", "tsurf2_text", "Start a new game right now", "button4_rect", 0,
         "warning: the text \"Start a new game right now\" of button4 is 352 pixels wide, wider "
         "than its rectangle's 276: shorten it, use a smaller font or widen the rectangle"},
        {"menus/main_menu.txt", "button6_align", "middle", "button6_align", 0,
         "\"middle\" is no alignment: use \"left\", \"center\" or \"right\" (the surface then "
         "sits at its corner)"},
        {"menus/prefs_menu.txt", nullptr, "", "", 0,
         "warning: this file has CR LF line endings: the game reads each line without its "
         "carriage return, and a save writes plain line feeds"},
    };
    for (const Break& b : breaks) {
        std::string folder = copy_game_folder("authoring");
        std::string path = folder + "/" + b.file;
        if (b.key == nullptr) {
            std::string text = read_file(path), crlf;
            for (char c : text) {
                crlf += c == '\n' ? "\r\n" : std::string(1, c);
            }
            write_file(path, crlf);
        } else {
            set_value(path, b.key, b.value);
        }
        std::string place = std::string(b.file) + ":" +
                            (*b.at ? std::to_string(line_of(path, b.at) + b.below) + ":" : "");
        std::string output = run_checker(folder).output;
        EXPECT_TRUE(has_line(output, place + " " + b.report))
            << place << " " << b.report << "\nnot in:\n"
            << output;
    }
}

TEST(AuthoringCheck, TheDataFolderAuthorsEditThePiecesSourceAndTheKeyNames) {
    // The fonts are not in data/: the checker finds them where the build copies them from.
    CommandResult result = run_checker(std::string(SOURCE_DIR) + "/data");
    EXPECT_EQ("0 errors, 0 warnings\n", result.output);

    // Given the readable source, a piece's problem is shown at its lines there, by name.
    std::string folder = copy_game_folder("pieces_source");
    std::string source =
        "piece: S\ntile: 1\ncentre: 1 1\nhalf_centre: yes\nXX..\n....\n....\n..XX\n";
    write_file(folder + "/pieces.txt", source);
    write_file(folder + "/pieces.dat", pieces_file_contents(parse_pieces_source(source).shapes));
    result = run_command(folder, std::string(CHECKER) + " --pieces-source pieces.txt");
    EXPECT_EQ(
        "pieces.txt:1: warning: piece S: the piece is in two parts (blocks 1 and 2; blocks 3 and "
        "4): no block of one touches a block of another side by side\n0 errors, 1 warning\n",
        result.output);
    write_file(folder + "/pieces.txt", "piece: S\ntile: 2" + source.substr(16));
    result = run_command(folder, std::string(CHECKER) + " --pieces-source pieces.txt");
    EXPECT_TRUE(has_line(result.output,
                         "pieces.dat: warning: was not made from \"pieces.txt\" as it is now: run "
                         "make_pieces; problems are shown at this file's lines"))
        << result.output;

    result = run_command(folder, std::string(CHECKER) + " --keys");
    EXPECT_TRUE(has_line(result.output, "[5]            keypad 5")) << result.output;
}

}  // namespace
