#include <gtest/gtest.h>

#include "input/bindings.h"
#include "input/pad_reader.h"

TEST(PadInput, NamesReadBackAsWrittenAndAnythingElseIsNoInput) {
    for (const char* name : {"button 0", "button 255", "hat up", "hat down", "hat left",
                             "hat right", "axis 0-", "axis 1+", "axis 12-"}) {
        PadInput input;
        EXPECT_TRUE(parse_pad_input(name, input)) << name;
        EXPECT_EQ(name, pad_input_text(input));
    }
    for (const char* bad : {"", "button ", "button -1", "button 256", "button 2x", "Button 2",
                            "hat middle", "hat Up", "axis 0", "axis +1", "axis 1000-", "key 3"}) {
        PadInput input;
        EXPECT_FALSE(parse_pad_input(bad, input)) << bad;
    }
    std::vector<PadInput> inputs;
    EXPECT_TRUE(parse_pad_binding("hat left, axis 0-", inputs));
    EXPECT_EQ(2u, inputs.size());
    EXPECT_TRUE(parse_pad_binding("", inputs));
    EXPECT_TRUE(inputs.empty());
    for (const char* bad : {"hat left,axis 0-", "hat left, ", ", hat left", "hat left, hat"}) {
        EXPECT_FALSE(parse_pad_binding(bad, inputs)) << bad;
        EXPECT_TRUE(inputs.empty());
    }
}

TEST(PadInput, KeyNamesShownReadablyWithThePadBinding) {
    ConfigStore prefs;
    prefs.get_string("drop_key") = "[8]";
    prefs.get_string("drop_pad") = "button 2";
    prefs.get_string("pause_key") = "enter";
    EXPECT_EQ("keypad 8 / button 2", binding_shown(prefs, "drop_key"));
    EXPECT_EQ("keypad enter", binding_shown(prefs, "pause_key"));
    EXPECT_EQ("[", readable_key_name("["));
    // Look-ups add nothing to the player's preferences.
    EXPECT_FALSE(pad_bound(prefs, "pause_key", PadInput{PadInput::button, 2, 0}));
    EXPECT_EQ(0u, prefs.values().count("pause_pad"));
    EXPECT_TRUE(has_pad_bindings(prefs));
    prefs.remove("drop_pad");
    EXPECT_FALSE(has_pad_bindings(prefs));  // keys alone start no pad
}

TEST(PadReader, AHeldDirectionRepeatsAfterTheDelayAtTheRateUntilLetGo) {
    PadReader pad;
    pad.repeat_delay = 170;
    pad.repeat_rate = 50;
    SDL_Event event{};
    event.jhat = SDL_JoyHatEvent{SDL_JOYHATMOTION, 0, 0, SDL_HAT_LEFT | SDL_HAT_UP};
    EXPECT_EQ(2u, pad.presses(event, 1000).size());  // a diagonal presses both directions
    event.jhat.value = SDL_HAT_LEFT;
    EXPECT_TRUE(pad.presses(event, 1000).empty());
    PadInput repeated;
    EXPECT_FALSE(pad.repeat_due(1169, repeated));
    EXPECT_TRUE(pad.repeat_due(1170, repeated));
    EXPECT_EQ("hat left", pad_input_text(repeated));
    EXPECT_FALSE(pad.repeat_due(1219, repeated));
    EXPECT_TRUE(pad.repeat_due(1220, repeated));
    event.jhat.value = SDL_HAT_CENTERED;
    pad.presses(event, 1230);
    EXPECT_FALSE(pad.repeat_due(5000, repeated));
    // A stick at rest presses nothing; its second axis is up and down.
    event.jaxis = SDL_JoyAxisEvent{SDL_JOYAXISMOTION, 0, 1, 0};
    EXPECT_TRUE(pad.presses(event, 5000).empty());
    int dx = 0, dy = 0;
    pad_direction(PadInput{PadInput::axis, 1, -1}, dx, dy);
    EXPECT_EQ(std::make_pair(dx, dy), std::make_pair(0, -1));
}
