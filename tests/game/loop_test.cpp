#include <gtest/gtest.h>

#include <algorithm>

#include "tests/game/game_fixture.h"

namespace {

class LoopInputTest : public GameTest {
protected:
    // A game whose falling piece is the T at column 3, row 5: cells (3,6) (4,6) (5,6) (4,5).
    Game& game_with_t() {
        Game& g = build_game();
        place_piece(g, piece_tee, 3, 5);
        return g;
    }

    int press(SDLKey key) { return game->handle_event(key_down(key)); }
};

TEST_F(LoopInputTest, EachBoundKeyMovesOrTurnsTheFallingPiece) {
    Game& g = game_with_t();
    // Each key after the ones above it, and rows 6, 7 and 8 after it.
    const struct {
        SDLKey key;
        const char* rows;
    } steps[] = {
        {SDLK_LEFT, "234//"},  {SDLK_RIGHT, "345//"}, {SDLK_RIGHT, "456//"},
        {SDLK_DOWN, "5/456/"}, {SDLK_z, "5/45/5"},  // anticlockwise: upright, nose to the left
        {SDLK_UP, "5/456/"},                        // clockwise, back
    };
    for (const auto& step : steps) {
        EXPECT_EQ(press(step.key), 1);
        EXPECT_EQ(row_blocks(g, 6) + "/" + row_blocks(g, 7) + "/" + row_blocks(g, 8), step.rows)
            << SDL_GetKeyName(step.key);
    }
    std::vector<std::vector<Uint8>> before = g.board;
    EXPECT_EQ(press(SDLK_a), 0);
    EXPECT_EQ(g.handle_event(key_up(SDLK_LEFT)), 0);
    EXPECT_EQ(g.board, before);
    EXPECT_EQ(g.handle_event(quit_event()), 3);
}

TEST_F(LoopInputTest, DropLandsThePieceOrEndsTheGameExactlyWhenGravityWould) {
    Game& g = build_game();
    fill_row(g, 1);
    // The flat bar lies on row 0 with its position row at -1: all its blocks are in the well,
    // so it lands as gravity would land it.
    place_piece(g, piece_bar, 3, -1);
    EXPECT_EQ(press(SDLK_SPACE), 1);
    EXPECT_EQ(row_blocks(g, 0), "3456");
    // The stack now reaches row 0: the next flat bar stops on row -1, just above the well,
    // and cannot enter it, so the game ends there, with no block written or thrown away.
    place_piece(g, piece_bar, 3, -4);
    std::vector<std::vector<Uint8>> before = g.board;
    EXPECT_EQ(press(SDLK_SPACE), 2);
    EXPECT_EQ(g.board, before);
    EXPECT_EQ(g.current_piece.y, -2);

    // The square on rows 2 and 3 with row 4 filled: blocked, but its position row is 2, so it
    // lands where it is and the fall clock restarts.
    fill_row(g, 4);
    place_piece(g, piece_square, 3, 2);
    g.last_fall = 123456789;
    g.pass_time = 2000;  // the time of the pass the key comes in
    EXPECT_EQ(press(SDLK_SPACE), 1);
    EXPECT_EQ(g.last_fall, 2000u);
    EXPECT_EQ(row_blocks(g, 2) + row_blocks(g, 3), "3434");
}

TEST_F(LoopInputTest, PausedOrWaitingForRowsToCloseOnlyThePauseKeyWorks) {
    Game& g = game_with_t();
    std::vector<std::vector<Uint8>> board = g.board;
    g.last_fall = 5000;
    auto expect_game_keys_ignored = [&] {
        for (SDLKey key : {SDLK_z, SDLK_UP, SDLK_LEFT, SDLK_RIGHT, SDLK_DOWN, SDLK_SPACE}) {
            EXPECT_EQ(press(key), 0) << SDL_GetKeyName(key);
        }
        EXPECT_EQ(g.board, board);
        EXPECT_EQ(g.last_fall, 5000u);
    };
    EXPECT_EQ(press(SDLK_p), 0);
    EXPECT_TRUE(g.paused);
    expect_game_keys_ignored();
    EXPECT_EQ(press(SDLK_p), 1);
    EXPECT_FALSE(g.paused);

    g.collapse_pending = true;
    g.last_fall = 5000;
    expect_game_keys_ignored();
    EXPECT_EQ(press(SDLK_p), 0);
    EXPECT_TRUE(g.paused);
}

TEST_F(LoopInputTest, BindingsAreReadOnEveryPressAndAKeyBoundTwiceDoesTheEarlierAction) {
    prefs.get_string("turn_left_key") = "left";
    prefs.remove("move_right_key");
    Game& g = game_with_t();
    EXPECT_EQ(press(SDLK_RIGHT), 0);
    EXPECT_EQ(press(SDLK_LEFT), 1);
    EXPECT_EQ(g.current_piece.x, 3) << "turned, not moved";
    // Rebinding during the game counts at the next press.
    prefs.get_string("move_left_key") = "a";
    prefs.get_string("turn_left_key") = "z";
    EXPECT_EQ(press(SDLK_a), 1);
    EXPECT_EQ(g.current_piece.x, 2);
}

TEST_F(LoopInputTest, LosingFocusOrVisibilityPausesOnce) {
    Game& g = game_with_t();
    const struct {
        Uint8 state, gain;
        bool paused;
    } events[] = {
        {SDL_APPINPUTFOCUS, 1, false},
        {SDL_APPMOUSEFOCUS, 0, false},
        {SDL_APPINPUTFOCUS | SDL_APPACTIVE, 0, false},  // neither of the two losses
        {SDL_APPINPUTFOCUS, 0, true},
        {SDL_APPACTIVE, 0, true},      // a second loss while paused must not resume
        {SDL_APPINPUTFOCUS, 1, true},  // nor does getting focus back
    };
    for (const auto& e : events) {
        g.handle_focus(SDL_ActiveEvent{SDL_ACTIVEEVENT, e.gain, e.state});
        EXPECT_EQ(g.paused, e.paused) << int(e.state) << " " << int(e.gain);
    }
}

using LoopPlayTest = GameTest;

TEST_F(LoopPlayTest, FallClockTakesOneStepPerElapsedIntervalAcrossTheWrap) {
    Game& g = build_game();
    const struct {
        Uint32 last_fall, now;
        bool paused;
        int rows;  // the steps taken
        Uint32 after;
    } cases[] = {
        {1000, 1500, false, 0, 1000},
        {1000, 1501, false, 1, 1500},
        // A stall: every due step in one pass, each moving the clock by exactly one interval.
        {1000, 2600, false, 3, 2500},
        {1000, 9000, true, 0, 1000},
        // 528 ms have passed across the wrap: one step is due.
        {0xFFFFFE00u, 0x10, false, 1, 0xFFFFFFF4u},
        // 16 ms before the wrap nothing is due, although last_fall + fall_interval has wrapped.
        {0xFFFFFF00u, 0xFFFFFF10u, false, 0, 0xFFFFFF00u},
    };
    for (const auto& c : cases) {
        g.reset();
        place_piece(g, piece_tee, 3, 0);
        g.paused = c.paused;
        g.last_fall = c.last_fall;
        Game::FallSteps steps = g.advance_fall_clock(c.now);
        EXPECT_EQ(steps.changed, c.rows > 0) << c.now;
        EXPECT_FALSE(steps.game_over);
        EXPECT_EQ(g.current_piece.y, c.rows) << c.now;
        EXPECT_EQ(g.last_fall, c.after) << c.now;
    }

    // The bar falls one row to just above a blocked row 0, then cannot enter: the game is over,
    // and the third due step changes nothing more.
    g.reset();
    fill_row(g, 0);
    place_piece(g, piece_bar, 3, -3);
    g.last_fall = 1000;
    Game::FallSteps steps = g.advance_fall_clock(2501);
    EXPECT_TRUE(steps.changed && steps.game_over);
    EXPECT_EQ(g.current_piece.y, -2);
    EXPECT_EQ(g.last_fall, 2500u);
}

// Waking a paused game with its key the end-to-end test does.
TEST_F(LoopPlayTest, PlayTakesThePadAndTheLeaveKeyEndsTheGameUncounted) {
    prefs.get_string("move_right_pad") = "axis 0+";
    prefs.get_string("move_left_pad") = "hat left";
    prefs.get_string("drop_pad") = "button 2";
    prefs.get_string("leave_key") = "escape";
    Game& g = build_game();
    // No gravity step during the test, however slowly it runs.
    g.fall_interval = 1000000;
    // The axis inside the dead zone, then past it (one column right); a drop; the next piece
    // held left on the hat until it reaches the wall.
    SDL_Event events[5] = {};
    events[0].jaxis = SDL_JoyAxisEvent{SDL_JOYAXISMOTION, 0, 0, 12000};
    events[1].jaxis = SDL_JoyAxisEvent{SDL_JOYAXISMOTION, 0, 0, 20000};
    events[2].jaxis = SDL_JoyAxisEvent{SDL_JOYAXISMOTION, 0, 0, 0};
    events[3].jbutton = SDL_JoyButtonEvent{SDL_JOYBUTTONDOWN, 0, 2, SDL_PRESSED};
    events[4].jhat = SDL_JoyHatEvent{SDL_JOYHATMOTION, 0, 0, SDL_HAT_LEFT};
    for (SDL_Event& event : events) {
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }
    {
        RepeatedPush leave(key_down(SDLK_ESCAPE), 900, 100);
        EXPECT_FALSE(g.play());
    }
    EXPECT_EQ(g.last_end, GameEnd::left);
    EXPECT_EQ(key_repeat(), std::make_pair(0, 0));

    // The dropped piece's leftmost block, whichever piece was dealt, is one column right of the
    // spawn column's 3.
    std::string columns;
    for (int row = 16; row < 20; row++) {
        columns += row_blocks(g, row);
    }
    EXPECT_EQ(*std::min_element(columns.begin(), columns.end()), '4') << board_text(g);
    EXPECT_FALSE(g.current_piece.can_move(-1, 0)) << "the held direction did not repeat";
    // The counters were drawn at the start: a 0 at the right of the points box at (10, 150), the
    // background through the rest of it; no game-over picture over the well's centre.
    EXPECT_EQ(screen_pixel(50, 153), digit_colour(0));
    EXPECT_EQ(screen_pixel(49, 153), background_colour);
    EXPECT_EQ(screen_pixel(200, 240), background_colour);
}

}  // namespace
