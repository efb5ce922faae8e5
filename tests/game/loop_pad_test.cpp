// Pads and the leave key in the real game loop: SDL joystick events pushed into the queue.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/game/game_fixture.h"
#include "tests/game/loop_helpers.h"

namespace {

SDL_Event pad_event(Uint8 type, Uint8 number, int value) {
    SDL_Event event{};
    event.type = type;
    if (type == SDL_JOYAXISMOTION) {
        event.jaxis = SDL_JoyAxisEvent{type, 0, number, static_cast<Sint16>(value)};
    } else if (type == SDL_JOYHATMOTION) {
        event.jhat = SDL_JoyHatEvent{type, 0, number, static_cast<Uint8>(value)};
    } else {
        event.jbutton = SDL_JoyButtonEvent{type, 0, number, SDL_PRESSED};
    }
    return event;
}

using LoopPadTest = GameTest;

TEST_F(LoopPadTest, PadMovesDropsAndRepeatsAHeldDirectionAndTheLeaveKeyEndsTheGameUncounted) {
    prefs.get_string("move_right_pad") = "hat right, axis 0+";
    prefs.get_string("move_left_pad") = "hat left";
    prefs.get_string("drop_pad") = "button 2";
    prefs.get_string("leave_key") = "escape";
    Game& g = build_game();
    g.fall_interval = 1000000;
    // Inside the dead zone nothing moves; past it, one column right; then a drop, and the
    // next piece held left on the hat until it reaches the wall.
    for (SDL_Event event :
         {pad_event(SDL_JOYAXISMOTION, 0, 12000), pad_event(SDL_JOYAXISMOTION, 0, 20000),
          pad_event(SDL_JOYAXISMOTION, 0, 0), pad_event(SDL_JOYBUTTONDOWN, 2, 0),
          pad_event(SDL_JOYHATMOTION, 0, SDL_HAT_LEFT)}) {
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }
    {
        RepeatedPush leave(key_down(SDLK_ESCAPE), 900, 100);
        EXPECT_FALSE(g.play());
    }
    EXPECT_EQ(g.last_end, GameEnd::left);
    EXPECT_EQ(key_repeat(), std::make_pair(0, 0));
    // The dropped piece's leftmost block, whichever piece was dealt: one column right of the
    // spawn column's 3.
    std::string columns;
    for (int row = 16; row < 20; row++) {
        columns += row_blocks(g, row);
    }
    EXPECT_EQ('4', *std::min_element(columns.begin(), columns.end())) << board_text(g);
    EXPECT_FALSE(g.current_piece.can_move(-1, 0)) << "the held direction did not repeat";
    EXPECT_EQ(screen_pixel(200, 240), background_colour) << "a game-over picture was drawn";
}

}  // namespace
