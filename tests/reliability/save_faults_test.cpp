// Saving the preferences when the disk refuses: the binding is kept in memory, the file on disk
// stays as it was, and the next binding that can be saved writes both.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "app/preferences_screen.h"
#include "tests/menu/menu_fixture.h"
#include "tests/menu/stdout_capture.h"
#include "tests/support/test_support.h"

namespace {

// Enough lines that no save fits in the few bytes a "full disk" leaves.
std::string prefs_text() {
    std::string text = "prefs_menu: prefs_menu.txt\npause_key: p\ndrop_key: space\n";
    for (int i = 0; i < 40; i++) {
        text += "setting" + std::to_string(i) + ": " + std::to_string(i * 7) + "\n";
    }
    return text;
}

// Two binding buttons and "back", each a fixed 100x20 rectangle.
const char* const prefs_menu =
    "background: back.bmp\n"
    "num_buttons: 3\n"
    "button1_x: 10\nbutton1_y: 10\nbutton1_rect: 0,0,100,20\nbutton1_return: pause_key\n"
    "button2_x: 10\nbutton2_y: 40\nbutton2_rect: 0,0,100,20\nbutton2_return: drop_key\n"
    "button3_x: 10\nbutton3_y: 70\nbutton3_rect: 0,0,100,20\nbutton3_return: back\n";

void bind(int button_y, SDLKey key) {
    push_click(20, button_y + 10);
    push_key_down(key);
    push_key_up(key);
}

void bind_pause_key(SDLKey key) {
    bind(10, key);
}
void bind_drop_key(SDLKey key) {
    bind(40, key);
}
void leave() {
    push_click(20, 80);
}

class PrefsSaveFault : public MenuTest {
protected:
    ConfigStore prefs;
    void SetUp() override {
        MenuTest::SetUp();
        write_menu(prefs_menu, "prefs_menu.txt");
        write_file("prefs.txt", prefs_text());
        ASSERT_EQ(prefs.load("prefs.txt"), 0);
    }
};

}  // namespace

TEST_F(PrefsSaveFault, AnUnwritableFileKeepsTheBindingAndTheNextSaveWritesBoth) {
    // The new content is written beside the file first; a folder in that place stops it.
    std::filesystem::create_directory("prefs.txt.saving");
    bind_pause_key(SDLK_LEFT);
    leave();
    std::string output = capture_stdout([&] { EXPECT_FALSE(preferences_screen(prefs)); });
    EXPECT_EQ(output, "couldn't save preferences to: prefs.txt\nreason: File exists\n");
    EXPECT_EQ(prefs.get_string("pause_key"), "left");
    EXPECT_EQ(read_file("prefs.txt"), prefs_text());

    std::filesystem::remove("prefs.txt.saving");
    bind_drop_key(SDLK_RETURN);
    leave();
    output = capture_stdout([&] { EXPECT_FALSE(preferences_screen(prefs)); });
    EXPECT_EQ(output, "");
    std::string expected = prefs_text();
    expected.replace(expected.find("pause_key: p\n"), 13, "pause_key: left\n");
    expected.replace(expected.find("drop_key: space\n"), 16, "drop_key: return\n");
    EXPECT_EQ(read_file("prefs.txt"), expected);
    EXPECT_FALSE(std::filesystem::exists("prefs.txt.saving"));
}

TEST_F(PrefsSaveFault, ADiskFullDuringTheSaveLeavesTheOldFileWhole) {
    bind_pause_key(SDLK_LEFT);
    leave();
    // The child may write 64 bytes in all, as on a disk that fills up in the middle of the save.
    CommandResult result = run_in_child([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{64, 64};
        setrlimit(RLIMIT_FSIZE, &limit);
        bool ended = preferences_screen(prefs);
        std::printf("ended %i, pause_key %s\n", ended, prefs.get_string("pause_key").c_str());
    });
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.output,
              "couldn't save preferences to: prefs.txt\nreason: File too large\n"
              "ended 0, pause_key left\n");
    EXPECT_EQ(read_file("prefs.txt"), prefs_text());
    EXPECT_FALSE(std::filesystem::exists("prefs.txt.saving"));
}
