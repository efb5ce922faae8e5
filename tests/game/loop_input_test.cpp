// The keyboard and the window events of a game: bound actions on the real game, what is
// ignored while paused or while rows wait to close up, bindings read on every press.
#include <gtest/gtest.h>

#include "tests/game/game_fixture.h"
#include "tests/game/loop_helpers.h"

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
    std::string blocks_in_row(int row) { return row_blocks(*game, row); }
};

TEST_F(LoopInputTest, EachBoundKeyMovesOrTurnsTheFallingPiece) {
    Game& g = game_with_t();
    EXPECT_EQ(press(SDLK_LEFT), 1);
    EXPECT_EQ(g.current_piece.x, 2);
    EXPECT_EQ(blocks_in_row(6), "234");
    EXPECT_EQ(press(SDLK_RIGHT), 1);
    EXPECT_EQ(press(SDLK_RIGHT), 1);
    EXPECT_EQ(blocks_in_row(6), "456");
    EXPECT_EQ(press(SDLK_DOWN), 1);
    EXPECT_EQ(g.current_piece.y, 6);
    EXPECT_EQ(blocks_in_row(6), "5");
    EXPECT_EQ(blocks_in_row(7), "456");

    // "z" turns anticlockwise: the bar stands upright in column 5 with its nose to the left.
    EXPECT_EQ(press(SDLK_z), 1);
    EXPECT_EQ(blocks_in_row(6), "5");
    EXPECT_EQ(blocks_in_row(7), "45");
    EXPECT_EQ(blocks_in_row(8), "5");
    // "up" turns clockwise, back to where it was.
    EXPECT_EQ(press(SDLK_UP), 1);
    EXPECT_EQ(blocks_in_row(6), "5");
    EXPECT_EQ(blocks_in_row(7), "456");
    EXPECT_EQ(blocks_in_row(8), "");

    std::vector<std::vector<Uint8>> before = g.board;
    EXPECT_EQ(press(SDLK_a), 0);
    SDL_Event release = key_down(SDLK_LEFT);
    release.type = release.key.type = SDL_KEYUP;
    EXPECT_EQ(g.handle_event(release), 0);
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    EXPECT_EQ(g.handle_event(motion), 0);
    EXPECT_EQ(g.board, before);
    EXPECT_EQ(g.handle_event(quit_event()), 3);
}

TEST_F(LoopInputTest, BlockedMovesChangeNothingAndMoveDownNeverLands) {
    Game& g = build_game();
    place_piece(g, piece_tee, 0, 18);
    Piece next = g.next_piece;
    std::vector<std::vector<Uint8>> before = g.board;
    EXPECT_EQ(press(SDLK_LEFT), 0);
    EXPECT_EQ(press(SDLK_DOWN), 0);
    EXPECT_EQ(g.board, before);
    EXPECT_EQ(g.current_piece.tile, 2);
    EXPECT_EQ(g.current_piece.y, 18);
    EXPECT_EQ(g.next_piece.tile, next.tile);
    // The bar against the right wall cannot go further right.
    place_piece(g, piece_bar, 6, 0);
    EXPECT_EQ(press(SDLK_RIGHT), 0);
}

TEST_F(LoopInputTest, DropLandsThePieceOrEndsTheGameExactlyWhenGravityWould) {
    Game& g = build_game();
    fill_row(g, 1);
    // The flat bar lies on row 0 with its position row at -1: all its blocks are in the well,
    // so it lands as gravity would land it.
    place_piece(g, piece_bar, 3, -1);
    EXPECT_EQ(press(SDLK_SPACE), 1);
    EXPECT_EQ(blocks_in_row(0), "3456");
    // The stack now reaches row 0: the square falls to rows -2 and -1 and cannot enter the
    // well, so the game ends there, with no block written or thrown away.
    place_piece(g, piece_square, 3, -4);
    std::vector<std::vector<Uint8>> before = g.board;
    EXPECT_EQ(press(SDLK_SPACE), 2);
    EXPECT_EQ(g.board, before);
    EXPECT_EQ(g.current_piece.y, -2);
    EXPECT_EQ(g.lines, 0);

    // The square on rows 2 and 3 with row 4 filled: blocked, but its position row is 2, so it
    // lands where it is, the next piece falls from above the well and the fall clock restarts.
    fill_row(g, 4);
    place_piece(g, piece_square, 3, 2);
    Piece next = g.next_piece;
    g.last_fall = 123456789;
    Uint32 before_drop = SDL_GetTicks();
    EXPECT_EQ(press(SDLK_SPACE), 1);
    EXPECT_GE(g.last_fall, before_drop);
    EXPECT_LE(g.last_fall, SDL_GetTicks());
    EXPECT_EQ(blocks_in_row(2), "34");
    EXPECT_EQ(blocks_in_row(3), "34");
    EXPECT_EQ(g.board[2][3], 1);
    EXPECT_EQ(g.current_piece.tile, next.tile);
    EXPECT_EQ(g.current_piece.y, -4);

    // A free piece falls to the floor.
    fill_row(g, 4, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    place_piece(g, piece_tee, 3, 5);
    EXPECT_EQ(press(SDLK_SPACE), 1);
    EXPECT_EQ(blocks_in_row(18), "4");
    EXPECT_EQ(blocks_in_row(19), "345");
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
    EXPECT_EQ(press(SDLK_p), 1);
    EXPECT_FALSE(g.paused);
    EXPECT_TRUE(g.collapse_pending);
}

TEST_F(LoopInputTest, AKeyBoundTwiceDoesTheEarlierAction) {
    prefs.get_string("turn_left_key") = "left";
    prefs.get_string("move_down_key") = "space";
    prefs.get_string("drop_key") = "p";
    Game& g = game_with_t();
    EXPECT_EQ(press(SDLK_LEFT), 1);
    EXPECT_EQ(g.current_piece.x, 3) << "turned, not moved";
    EXPECT_EQ(blocks_in_row(7), "4");
    EXPECT_EQ(press(SDLK_SPACE), 1);
    EXPECT_EQ(g.current_piece.y, 6) << "moved down, not dropped";
    EXPECT_EQ(press(SDLK_p), 0);
    EXPECT_TRUE(g.paused) << "paused, not dropped";
    EXPECT_EQ(g.current_piece.y, 6);
}

TEST_F(LoopInputTest, BindingsAreReadOnEveryPressAndAMissingOneNeverTriggers) {
    Game& g = game_with_t();
    prefs.values.erase("move_left_key");
    prefs.get_string("move_right_key") = "";
    std::vector<std::vector<Uint8>> board = g.board;
    EXPECT_EQ(press(SDLK_LEFT), 0);
    EXPECT_EQ(press(SDLK_RIGHT), 0);
    EXPECT_EQ(g.board, board);
    // Rebinding during the game counts at the next press.
    prefs.get_string("move_left_key") = "a";
    EXPECT_EQ(press(SDLK_a), 1);
    EXPECT_EQ(g.current_piece.x, 2);
    EXPECT_EQ(press(SDLK_LEFT), 0);
}

TEST_F(LoopInputTest, LosingFocusOrVisibilityPausesOnce) {
    Game& g = game_with_t();
    EXPECT_EQ(g.handle_event(focus_event(SDL_APPINPUTFOCUS, 1)), 0);
    EXPECT_EQ(g.handle_event(focus_event(SDL_APPMOUSEFOCUS, 0)), 0);
    // Both bits in one event is neither of the two losses.
    EXPECT_EQ(g.handle_event(focus_event(SDL_APPINPUTFOCUS | SDL_APPACTIVE, 0)), 0);
    EXPECT_FALSE(g.paused);

    EXPECT_EQ(g.handle_event(focus_event(SDL_APPINPUTFOCUS, 0)), 0);
    EXPECT_TRUE(g.paused);
    // A second loss while paused must not resume, and getting focus back does not either.
    EXPECT_EQ(g.handle_event(focus_event(SDL_APPACTIVE, 0)), 0);
    EXPECT_TRUE(g.paused);
    EXPECT_EQ(g.handle_event(focus_event(SDL_APPINPUTFOCUS, 1)), 0);
    EXPECT_TRUE(g.paused);

    EXPECT_EQ(press(SDLK_p), 1);
    EXPECT_EQ(g.handle_event(focus_event(SDL_APPACTIVE, 0)), 0);
    EXPECT_TRUE(g.paused);
}

TEST_F(LoopInputTest, QueuedEventsStopAtTheEndOfTheGame) {
    Game& g = build_game();
    fill_row(g, 0);
    place_piece(g, piece_square, 3, -4);
    // The drop ends the game; the pause key taken next is dropped, the rest stays queued.
    for (SDLKey key : {SDLK_SPACE, SDLK_p, SDLK_LEFT}) {
        SDL_Event event = key_down(key);
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }
    bool running = true, quit = false, changed = false;
    g.handle_queued_events(running, quit, changed);
    EXPECT_FALSE(running);
    EXPECT_FALSE(quit);
    EXPECT_FALSE(changed);
    EXPECT_FALSE(g.paused);
    SDL_Event left;
    EXPECT_EQ(SDL_PeepEvents(&left, 1, SDL_GETEVENT, SDL_ALLEVENTS), 1);
    EXPECT_EQ(left.key.keysym.sym, SDLK_LEFT);

    place_piece(g, piece_tee, 3, 5);
    for (SDL_Event event : {key_down(SDLK_RIGHT), quit_event(), key_down(SDLK_p)}) {
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }
    running = true;
    g.handle_queued_events(running, quit, changed);
    EXPECT_FALSE(running);
    EXPECT_TRUE(quit);
    EXPECT_TRUE(changed);
    EXPECT_FALSE(g.paused);
}

}  // namespace
