// "Modern handling" switched on in a real window and played with real keys: a longer preview,
// the soft drop's pace, a piece slid along the floor within its lock delay, and a turn at the
// wall that kicks. Every piece is the tee, so each step knows where the piece goes.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "app/preferences_screen.h"
#include "tests/e2e/session.h"
#include "tests/support/test_support.h"

TEST(Play, ModernHandlingPreviewsSoftDropsSlidesAndKicks) {
    GameSession session;
    // Every piece the tee (the shipped third), with the shipped kicks of its turns.
    std::istringstream pieces(read_file(session.folder + "/pieces.dat"));
    std::string tee;
    for (int line = 0; line < 3; line++) {
        std::getline(pieces, tee);
    }
    write_file(session.folder + "/pieces.dat", tee + "\n");
    std::string kicks = "pieces: T\n";
    std::istringstream shipped(read_file(session.folder + "/kicks.txt"));
    for (std::string line; std::getline(shipped, line);) {
        kicks += line.rfind("T ", 0) == 0 ? line + "\n" : "";
    }
    write_file(session.folder + "/tee_kicks.txt", kicks);
    write_file(session.folder + "/prefs.txt",
               session.shipped_prefs + "kicks_file: tee_kicks.txt\n");
    ASSERT_TRUE(session.start());
    std::string prefs_menu = session.prefs.get_string("prefs_menu");
    session.click(session.main_menu, "prefs");
    ConfigStore texts = preferences_menu_texts(session.prefs, session.folder + "/" + prefs_menu);
    Picture prefs_screen = session.menu_picture(prefs_menu, &texts);
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, prefs_screen); }));
    session.click(prefs_menu, "toggle modern_handling");
    session.save_screenshot("preferences_modern");
    session.click(prefs_menu, "back");
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return alike(s, session.menu); }));
    session.click(session.main_menu, "play");

    // Five next pieces: the next piece box and four more below the score panels.
    Picture background = session.image("background_img");
    int block = session.prefs.get_int("block_size");
    auto later_box = [&](int k) {
        return SDL_Rect{Sint16(session.prefs.get_int("next_later_x")),
                        Sint16(session.prefs.get_int("next_later_y") +
                               k * session.prefs.get_int("next_spacing")),
                        Uint16(4 * block), Uint16(4 * block)};
    };
    Picture empty_well;
    ASSERT_TRUE(session.wait_for([&](const Picture& s) {
        empty_well = s;
        for (int k = 0; k < 4; k++) {
            if (alike(s, background, later_box(k))) {
                return false;
            }
        }
        return true;
    })) << "the four later next pieces do not show";
    session.save_screenshot("modern_handling");
    auto cell = [&](int column, int row) {
        SDL_Rect rect = session.board_row(row);
        return SDL_Rect{Sint16(rect.x + column * block), rect.y, Uint16(block), Uint16(block)};
    };
    SDL_Rect middle = session.board_row(5);
    middle.h = Uint16(8 * block);

    // Held for 0.3 s, the down key takes the tee ten rows down at 30 ms a row, into rows 5 to 12;
    // the keyboard's repeat would have moved it three.
    session.shell("xdotool keydown Down sleep 0.3 keyup Down");
    EXPECT_TRUE(session.wait_for([&](const Picture& s) { return !alike(s, empty_well, middle); }))
        << "the held down key did not fall at the soft drop's pace";

    // On the floor, the tee is slid three columns left, 0.2 s apart: more than a fall interval
    // on the floor, within the lock delay restarted by every slide.
    session.shell("xdotool keydown Down sleep 0.7 keyup Down key --delay 200 Left Left Left Left");
    EXPECT_TRUE(session.wait_for([&](const Picture& s) {
        return !alike(s, empty_well, cell(0, 19));
    })) << "the resting tee was not slid along the floor to the wall";
    session.save_screenshot("slid_along_the_floor");
    session.shell("sleep 0.8");  // it lands once the lock delay has run out

    // The next tee, turned to stand against the right wall, turns back only by a kick one
    // column left; dropped then, it lies flat on the floor in columns 7 to 9.
    session.shell("xdotool key --delay 40 Up Up Up Right Right Right Right Right Right Up space");
    EXPECT_TRUE(session.wait_for([&](const Picture& s) {
        return !alike(s, empty_well, cell(7, 19));
    })) << "the turn against the wall did not kick";
    session.save_screenshot("kicked_at_the_wall");
    EXPECT_TRUE(session.close_window());
}
