#include "session/session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/menu/menu_fixture.h"
#include "tests/support/test_support.h"

namespace {

const char* const prefs_text =
    "mute_key: m\nmute_pad: button 3\nfullscreen_key: f\nfullscreen_pad: button 4\n"
    "key_repeat_delay: 170\nkey_repeat_rate: 40\n";

PadInput pad_button(int index) {
    PadInput input;
    input.kind = PadInput::button;
    input.index = index;
    return input;
}

}  // namespace

TEST(SessionTest, EachSharedKeyAnswersOnlyToItsBindingAndMutingIsSaved) {
    write_file("prefs.txt", prefs_text);
    ConfigStore prefs;
    ASSERT_EQ(prefs.load("prefs.txt"), 0);
    Audio audio(prefs, "prefs.txt");
    // A sound setting naming a file switches the mute key on; no device is needed to toggle.
    audio.enabled = true;
    Session session(prefs, &audio);
    struct Row {
        const char* key;
        int pad_button;
        bool mutes;
        bool full_screen;
    };
    const Row rows[] = {
        {"m", 3, true, false},
        {"f", 4, false, true},
        {"p", 5, false, false},
        {"", 0, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        bool was_muted = audio.muted;
        EXPECT_EQ(session.mute_if(std::string(row.key)), row.mutes);
        EXPECT_EQ(audio.muted, was_muted != row.mutes);
        EXPECT_EQ(session.mute_if(pad_button(row.pad_button)), row.mutes);
        EXPECT_EQ(audio.muted, was_muted);
        EXPECT_EQ(session.fullscreen_key(row.key), row.full_screen);
        EXPECT_EQ(session.fullscreen_pad(pad_button(row.pad_button)), row.full_screen);
    }
    audio.toggle_mute();
    EXPECT_EQ(read_file("prefs.txt"), std::string(prefs_text) + "sound_muted: true\n");
    EXPECT_EQ(std::make_pair(session.key_repeat().delay, session.key_repeat().rate),
              std::make_pair(170, 40));

    // Without sound or bindings no key is shared, and asking adds nothing.
    ConfigStore none;
    Session bare(none);
    EXPECT_FALSE(bare.mute_if(std::string("m")) || bare.mute_if(pad_button(0)) ||
                 bare.fullscreen_key("") || bare.fullscreen_pad(pad_button(0)));
    EXPECT_EQ(bare.key_repeat().delay + bare.key_repeat().rate, 0);
    EXPECT_TRUE(none.values().empty());
}

// Whether a driver switches in place differs between drivers and SDL 1.2 libraries (the dummy
// one refuses here): either way the player's file must hold the mode the window is really in.
class FullScreenTest : public MenuTest {};

TEST_F(FullScreenTest, TheSavedModeIsTheWindowsAndARefusedSwitchIsSaidOnce) {
    write_file("prefs.txt", "window_w: 200\n");
    ConfigStore prefs;
    ASSERT_EQ(prefs.load("prefs.txt"), 0);
    Session session(prefs);
    bool switched = false;
    std::string output = capture_stdout([&] { switched = session.switch_fullscreen(); });
    bool full = (SDL_GetVideoSurface()->flags & SDL_FULLSCREEN) != 0;
    EXPECT_EQ(switched, full);
    if (switched) {
        EXPECT_EQ(output, "");
        EXPECT_EQ(read_file("prefs.txt"), "window_w: 200\nfullscreen: true\n");
    } else {
        EXPECT_EQ(output.find("couldn't switch between window and full screen: "), 0u) << output;
        EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
        EXPECT_EQ(prefs.find("fullscreen"), nullptr);
        EXPECT_EQ(read_file("prefs.txt"), "window_w: 200\n");
    }
}
