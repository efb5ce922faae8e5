// Games as a player plays them: the keys bound in "prefs.txt" move, turn and drop the pieces
// as the rules say, rows clear and count, pause hides the well, and a lost game leads back to
// the main menu and a fresh game.
#include <gtest/gtest.h>

#include "tests/e2e/game_session.h"
#include "tests/e2e/player.h"
#include "tests/e2e/screen_checks.h"

namespace {

const int screen_timeout_ms = 10000;
const int pieces_to_clear_a_row = 40;
const int drops_to_lose = 120;

// Whether the paused image stands over the board's centre and no block shows beside it.
bool shows_paused(const Picture& screen, const GameLayout& layout) {
    Spot at = layout.centred_on_board(layout.paused.w, layout.paused.h);
    if (!shows_picture(screen, layout.paused, at.x, at.y)) {
        return false;
    }
    for (const Cell& cell : occupied_cells(screen, layout)) {
        SDL_Rect r = layout.cell(cell.first, cell.second);
        bool under_image = r.x + r.w > at.x && r.x < at.x + layout.paused.w && r.y + r.h > at.y &&
                           r.y < at.y + layout.paused.h;
        if (!under_image) {
            return false;
        }
    }
    return true;
}

bool shows_game_over(const Picture& screen, const GameLayout& layout) {
    Spot at = layout.centred_on_board(layout.game_over.w, layout.game_over.h);
    return shows_picture(screen, layout.game_over, at.x, at.y);
}

using Play = MainMenuScenario;
using Pause = MainMenuScenario;
using GameOver = MainMenuScenario;

}  // namespace

TEST_F(Play, TheBoundKeysMoveTurnAndDropPiecesAndAClearedRowCounts) {
    Player player(session);
    ASSERT_TRUE(player.start_game(menu)) << player.problem;
    Picture first = player.last;

    EXPECT_TRUE(session.wait_for(
        [&](const Picture& s) { return !occupied_cells(s, player.layout).empty(); },
        screen_timeout_ms))
        << "no block fell into the well by itself";
    ASSERT_TRUE(player.bring_in_piece()) << player.problem;

    bool room_on_the_left = min_column(player.piece) > 0;
    std::string away = room_on_the_left ? "move_left_key" : "move_right_key";
    std::string back = room_on_the_left ? "move_right_key" : "move_left_key";
    ASSERT_TRUE(player.move(away, room_on_the_left ? -1 : 1, 0, 4)) << player.problem;
    ASSERT_TRUE(player.move(back, room_on_the_left ? 1 : -1, 0, 4)) << player.problem;

    Cells shape = normalised(player.piece);
    ASSERT_TRUE(player.turn("turn_right_key", turned_right(shape))) << player.problem;
    ASSERT_TRUE(player.turn("turn_left_key", shape)) << player.problem;
    ASSERT_TRUE(player.move("move_down_key", 0, 1, 5)) << player.problem;

    Cells before_drop = player.piece;
    ASSERT_TRUE(player.drop()) << player.problem;
    EXPECT_EQ(max_row(player.well.settled), player.layout.rows - 1)
        << "the dropped piece did not land on the floor";
    EXPECT_EQ(normalised(player.well.settled), normalised(before_drop));

    ASSERT_TRUE(player.clear_a_row(pieces_to_clear_a_row, "game")) << player.problem;
    EXPECT_FALSE(looks_alike(first, player.last, player.layout.lines)) << "lines did not change";
    EXPECT_FALSE(looks_alike(first, player.last, player.layout.points)) << "points did not change";

    session.x->request_close(session.window);
    expect_clean_exit();
}

TEST_F(Pause, ThePauseKeyHidesTheWellAndLosingTheFocusPauses) {
    Player player(session);
    ASSERT_FALSE(player.layout.paused.empty()) << "the paused image cannot be read";
    ASSERT_TRUE(player.start_game(menu)) << player.problem;
    ASSERT_TRUE(player.bring_in_piece()) << player.problem;
    ASSERT_TRUE(player.drop()) << player.problem;
    ASSERT_TRUE(player.bring_in_piece()) << player.problem;
    const GameLayout& layout = player.layout;

    session.press_action("pause_key");
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return shows_paused(s, layout); },
                                 screen_timeout_ms))
        << "the pause key did not show the paused image over an empty well";
    session.save_screenshot("paused");

    Cells paused_piece = player.piece;
    session.press_action("pause_key");
    ASSERT_TRUE(session.wait_for(
        [&](const Picture& s) {
            return !shows_paused(s, layout) &&
                   minus(occupied_cells(s, layout), player.falling(s)) == player.well.settled &&
                   moved_by(paused_piece, player.falling(s), 0, 0, 4);
        },
        screen_timeout_ms, &player.last))
        << "pressing the pause key again did not bring the blocks back";
    player.piece = player.falling(player.last);

    session.x->focus(0);
    ASSERT_TRUE(session.wait_for([&](const Picture& s) { return shows_paused(s, layout); },
                                 screen_timeout_ms))
        << "losing the input focus did not pause the game";
    // Getting the focus back leaves the game paused: the pause key must resume it, not pause.
    session.x->focus(session.window);
    Cells before_focus_loss = player.piece;
    session.press_action("pause_key");
    EXPECT_TRUE(session.wait_for(
        [&](const Picture& s) {
            return !shows_paused(s, layout) &&
                   moved_by(before_focus_loss, player.falling(s), 0, 0, 4);
        },
        screen_timeout_ms))
        << "the game did not stay paused until the pause key";
}

TEST_F(GameOver, RepeatedDropsEndTheGameAndTheNextGameStartsEmptyAtLevelOne) {
    Player player(session);
    ASSERT_FALSE(player.layout.game_over.empty()) << "the game-over image cannot be read";
    ASSERT_TRUE(player.start_game(menu)) << player.problem;
    Picture first = player.last;
    const GameLayout& layout = player.layout;
    // Points and lines to reset: clear a row first.
    ASSERT_TRUE(player.clear_a_row(pieces_to_clear_a_row, "")) << player.problem;
    ASSERT_FALSE(looks_alike(first, player.last, layout.lines)) << "lines did not change";

    // Drops pile the pieces up in the middle of the well. Once the pile reaches the top row,
    // a piece that enters is stopped by it at its first fall step and the game ends; a drop
    // before that step would only land the piece above the well, so the player waits.
    bool over = false;
    bool full = false;
    Picture last;
    for (int drop = 0; drop < drops_to_lose && !over && !full; ++drop) {
        session.press_action("drop_key");
        over = session.wait_for([&](const Picture& s) { return shows_game_over(s, layout); }, 60,
                                &last);
        Cells blocks = occupied_cells(last, layout);
        full = !blocks.empty() && min_row(blocks) == 0;
    }
    over = over || session.wait_for([&](const Picture& s) { return shows_game_over(s, layout); },
                                    screen_timeout_ms);
    ASSERT_TRUE(over) << "the game-over image did not appear after " << drops_to_lose << " drops";
    session.save_screenshot("game_over");

    // The cleared row put the game in the best games: Escape keeps the offered name, Back
    // leaves the table.
    session.press("return");
    session.press("escape");
    ShippedMenu scores(session.folder, session.prefs.get_string("scores_menu"), nullptr);
    ASSERT_TRUE(session.click_button(scores, "back"));
    ASSERT_TRUE(session.wait_for_menu(menu))
        << "Return at the game-over image did not lead back to the main menu: " << session.problem;

    ASSERT_TRUE(player.start_game(menu)) << player.problem;
    Picture again = player.last;
    Cells blocks = occupied_cells(again, layout);
    EXPECT_LE(blocks.size(), 4u) << "the second game does not start with an empty well";
    EXPECT_TRUE(blocks.empty() || max_row(blocks) < 4) << "old blocks are left in the well";
    EXPECT_TRUE(looks_alike(first, again, layout.level)) << "the second game is not at level 1";
    EXPECT_TRUE(looks_alike(first, again, layout.points)) << "the points were not reset";
    EXPECT_TRUE(looks_alike(first, again, layout.lines)) << "the lines were not reset";
}
