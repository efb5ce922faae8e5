// A player at the game screen: reads the well off the screen, brings each piece in, turns,
// moves and drops it with the bound keys, and checks after each key that the well shows what
// the rules say. Each operation returns false and says why in problem when the screen does
// not show what was expected in time.
#pragma once

#include <string>

#include "tests/e2e/board_model.h"
#include "tests/e2e/game_session.h"
#include "tests/e2e/shipped_data.h"

class Player {
public:
    GameSession& session;
    GameLayout layout;
    Well well;     // what has landed, as the rules say it must look
    Cells piece;   // the falling piece as last seen
    Picture last;  // the last screenshot
    std::string problem;

    explicit Player(GameSession& session);

    // Clicks "play" in menu and waits for the game screen (its background around the board,
    // no longer the menu). The well model starts empty.
    bool start_game(const ShippedMenu& menu);

    // Moves the new piece down with the move-down key until all four blocks are in the well
    // (they start above it) and reads it into piece.
    bool bring_in_piece();

    // Presses the key bound to action and waits until the falling piece stands dx columns
    // away and min_fall to max_fall rows lower (the fall clock keeps running).
    bool move(const std::string& action, int dx, int min_fall, int max_fall);

    // Presses the key bound to action and waits until the piece shows shape (normalised).
    bool turn(const std::string& action, const Cells& shape);

    // Presses the drop key, or the key named key_name when it is not empty, and waits until
    // the piece has landed where a straight drop puts it, full rows emptied and then closed
    // up. Returns the number of rows cleared through cleared.
    bool drop(int* cleared = nullptr, const std::string& key_name = "");

    // Turns the piece that has been brought in and moves it where plan_placement wants it,
    // and drops it.
    bool place_piece(int* cleared);

    // Brings in and places pieces until a row clears, at most max_pieces of them. With
    // screenshot not empty, saves the screen under that name (see save_screenshot) once a
    // dozen blocks have landed, or at the end.
    bool clear_a_row(int max_pieces, const std::string& screenshot);

    // The blocks on screen that are not in the well model.
    Cells falling(const Picture& screen) const;

private:
    // Sets problem to why and how the game stands, keeps the last screenshot as
    // picture_name.png; false.
    bool fail(const std::string& why, const std::string& picture_name);
    bool wait_for_well(const Cells& expected, const Cells& before, int timeout_ms);
};
