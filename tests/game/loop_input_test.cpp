// The keyboard and the window events of a game: bound actions on the real game, what is
// ignored while paused or while rows wait to close up, bindings read on every press.
#include <gtest/gtest.h>

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
    // Each key after the ones above it, with rows 6, 7 and 8 after it.
    const struct {
        SDLKey key;
        const char *row6, *row7, *row8;
    } steps[] = {
        {SDLK_LEFT, "234", "", ""},
        {SDLK_RIGHT, "345", "", ""},
        {SDLK_RIGHT, "456", "", ""},
        {SDLK_DOWN, "5", "456", ""},
        {SDLK_z, "5", "45", "5"},   // anticlockwise: upright, nose to
                                    // the left
        {SDLK_UP, "5", "456", ""},  // clockwise, back
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(SDL_GetKeyName(step.key));
        EXPECT_EQ(press(step.key), 1);
        EXPECT_EQ(row_blocks(g, 6), step.row6);
        EXPECT_EQ(row_blocks(g, 7), step.row7);
        EXPECT_EQ(row_blocks(g, 8), step.row8);
    }
    std::vector<std::vector<Uint8>> before = g.board;
    EXPECT_EQ(press(SDLK_a), 0);
    SDL_Event release = key_down(SDLK_LEFT);
    release.type = release.key.type = SDL_KEYUP;
    EXPECT_EQ(g.handle_event(release), 0);
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
    EXPECT_EQ(g.lines, 0);

    // The square on rows 2 and 3 with row 4 filled: blocked, but its position row is 2, so it
    // lands where it is and the fall clock restarts.
    fill_row(g, 4);
    place_piece(g, piece_square, 3, 2);
    g.last_fall = 123456789;
    Uint32 before_drop = SDL_GetTicks();
    EXPECT_EQ(press(SDLK_SPACE), 1);
    EXPECT_GE(g.last_fall, before_drop);
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
    prefs.values.erase("move_right_key");
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
        SDL_Event event{};
        event.type = SDL_ACTIVEEVENT;
        event.active.state = e.state;
        event.active.gain = e.gain;
        EXPECT_EQ(g.handle_event(event), 0);
        EXPECT_EQ(g.paused, e.paused) << int(e.state) << " " << int(e.gain);
    }
}

}  // namespace
