#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "tests/game/game_fixture.h"

namespace {

// A key pressed in the pass of the game loop at tick `now`.
int press_at(Game& g, Uint32 now, SDLKey key) {
    g.pass_time = now;
    return g.handle_event(key_down(key));
}

// The tee as dealt from its line of the pieces file (the third), so that its kicks are found.
void place_tee(Game& g, int x, int y) {
    place_piece(g, piece_tee, x, y);
    g.current_piece.dealt_from = 2;
}

}  // namespace

TEST(HandlingOptionsTest, MissingKeysPlayTheClassicGameAndTheSwitchTheModernOne) {
    ConfigStore prefs;
    HandlingOptions classic = read_handling(prefs);
    EXPECT_EQ(classic.lock_delay + classic.soft_drop_interval + classic.drop_protect, 0);
    EXPECT_EQ(classic.next_count, 1);
    EXPECT_EQ(classic.kicks_file, "");
    EXPECT_TRUE(prefs.values().empty());  // reading adds no key to the player's file
    prefs.set("next_count", "9");
    prefs.set("kicks_file", "mine.txt");
    EXPECT_EQ(read_handling(prefs).next_count, max_next_count);
    prefs.set("modern_handling", "1");
    EXPECT_EQ(read_handling(prefs).lock_delay, modern_handling_options().lock_delay);
    EXPECT_EQ(read_handling(prefs).kicks_file, "mine.txt");
    prefs.set("kicks_file", "");
    EXPECT_EQ(read_handling(prefs).kicks_file, "kicks.txt");
}

TEST_F(GameTest, ALockDelayLetsARestingPieceMoveButNotForEver) {
    Game& g = build_game({{"lock_delay", "500"}, {"lock_resets", "2"}});
    g.start_handling();
    struct Step {
        Uint32 now;
        char action;  // g a gravity step, r a move right, d the down key, c the clock's check
        bool landed;  // the piece has landed after the step
    } steps[] = {
        {1000, 'g', false},  // rests: the wait starts
        {1400, 'd', false},  // the down key never lands it
        {1400, 'g', false},  // 400 ms < 500
        {1450, 'r', false},  // slid along the floor: the wait starts again (1 of 2)
        {1900, 'c', false}, {1949, 'g', false}, {1950, 'r', false},  // 2 of 2
        {2100, 'r', false},  // the cap is reached: this move does not restart the wait
        {2449, 'c', false}, {2450, 'c', true},  // 500 ms after the last restart
    };
    g.reset();
    place_piece(g, piece_bar, 0, 18);  // lying on the floor in row 19
    for (const Step& step : steps) {
        g.pass_time = step.now;
        if (step.action == 'g') {
            g.gravity_step();
        } else if (step.action == 'c') {
            if (g.rest_is_over()) {
                g.gravity_step();
            }
        } else {
            g.handle_event(key_down(step.action == 'r' ? SDLK_RIGHT : SDLK_DOWN));
        }
        EXPECT_EQ(g.current_piece.y < 0, step.landed) << step.now << step.action;
    }
    EXPECT_EQ(row_blocks(g, 19), "3456");
    // Turning on the floor and being kicked up costs restarts too: it cannot stall the game.
    g.reset();
    place_piece(g, piece_bar, 3, 18);
    g.pass_time = 3000;
    EXPECT_EQ(g.gravity_step(), GravityResult::resting);
    g.move_piece(0, -1);  // as if a kick had lifted it: it falls and rests again
    g.piece_moved();
    EXPECT_EQ(g.gravity_step(), GravityResult::moved);
    EXPECT_EQ(g.gravity_step(), GravityResult::resting);
    EXPECT_EQ(g.handling_state.resets_used, 1);
    // The drop key lands at once.
    press_at(g, 3010, SDLK_SPACE);
    EXPECT_EQ(row_blocks(g, 19), "3456");
}

TEST_F(GameTest, ShippedKicksTurnATeeAtEitherWallAndOnTheFloor) {
    Game& g = build_game({{"kicks_file", SHIPPED_KICKS}});
    g.start_handling();
    ASSERT_FALSE(g.kicks.turns.empty());
    // Every shipped turn of the tee: from each orientation, each way, pushed against the left
    // wall, the right wall and the floor of an empty well, it turns and stays in the well.
    for (int orientation = 0; orientation < 4; orientation++) {
        for (bool left : {false, true}) {
            for (int place = 0; place < 3; place++) {
                g.reset();
                place_tee(g, 3, 8);
                for (int k = 0; k < orientation; k++) {
                    ASSERT_TRUE(g.turn_piece(false));
                }
                int dx = place == 0 ? -1 : place == 1 ? 1 : 0;
                int dy = place == 2 ? 1 : 0;
                while (g.current_piece.can_move(dx, dy)) {
                    g.move_piece(dx, dy);
                }
                EXPECT_TRUE(g.turn_piece(left)) << orientation << left << place;
                for (int k = 0; k < 4; k++) {
                    int col = g.current_piece.x + g.current_piece.blocks[k].x;
                    int row = g.current_piece.y + g.current_piece.blocks[k].y;
                    EXPECT_TRUE(col >= 0 && col < 10 && row < 20) << orientation << left << place;
                }
            }
        }
    }
    // Where no kick fits either, the turn is refused and nothing changes.
    g.reset();
    for (int row = 6; row < 20; row++) {
        if (row != 10 && row != 11) {
            fill_row(g, row);
        }
    }
    place_tee(g, 3, 10);
    auto board = g.board;
    EXPECT_FALSE(g.turn_piece(false));
    EXPECT_EQ(g.board, board);
    EXPECT_EQ(g.current_piece.orientation, 0);
}

TEST_F(GameTest, AKicksFileWithErrorsIsToldAndPlaysWithout) {
    write_file("kicks.txt", "pieces: I O T\nT 0 rihgt: 1,0\n");
    Game& g = build_game({{"kicks_file", "kicks.txt"}});
    testing::internal::CaptureStdout();
    g.start_handling();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "kicks.txt:2: \"rihgt\" is not a turn\nplaying without kicks\n");
    EXPECT_TRUE(g.kicks.turns.empty());
}

TEST_F(GameTest, ALongerPreviewDealsTheSamePiecesAndShowsThemAll) {
    std::vector<int> dealt[2];
    for (int i = 0; i < 2; i++) {
        prefs.set("next_count", i == 0 ? "1" : "5");
        prefs.set("next_spacing", "60");
        Game& g = build_game();
        g.start_handling();
        std::srand(7);
        g.current_piece = g.random_piece();
        g.next_piece = g.random_piece();
        g.deal_later_pieces();
        for (int k = 0; k < 12; k++) {
            dealt[i].push_back(g.current_piece.dealt_from);
            g.current_piece = g.take_next_piece();
        }
        EXPECT_EQ(g.compositor.find("next_piece5") != nullptr, i == 1);
    }
    EXPECT_EQ(dealt[0], dealt[1]);
    // The fifth piece stands four spacings below the first.
    EXPECT_EQ(game->compositor.find("next_piece5")->y, 10 + 4 * 60);
}

TEST_F(GameTest, SoftDropFallsAtItsOwnPaceAndDropProtectionWaits) {
    Game& g = build_game({{"soft_drop_interval", "30"}, {"drop_protect", "150"}});
    g.start_handling();
    place_piece(g, piece_bar, 3, 0);
    g.start_new_piece();  // at pass_time 0
    EXPECT_EQ(press_at(g, 1000, SDLK_DOWN), 1);
    EXPECT_EQ(press_at(g, 1020, SDLK_DOWN), 0);  // the keyboard's repeat is not a move
    EXPECT_FALSE(g.soft_drop_step(1029));
    EXPECT_TRUE(g.soft_drop_step(1090));  // 1030, 1060, 1090
    EXPECT_EQ(g.current_piece.y, 4);
    g.handle_event(key_up(SDLK_DOWN));
    EXPECT_FALSE(g.soft_drop_step(2000));
    EXPECT_EQ(g.current_piece.y, 4);

    g.pass_time = 3000;
    g.start_new_piece();
    EXPECT_EQ(press_at(g, 3149, SDLK_SPACE), 0);
    EXPECT_EQ(row_blocks(g, 19), "");
    EXPECT_EQ(press_at(g, 3150, SDLK_SPACE), 1);
    EXPECT_EQ(row_blocks(g, 19), "3456");
}
