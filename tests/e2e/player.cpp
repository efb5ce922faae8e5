#include "tests/e2e/player.h"

#include <sstream>

namespace {

const int screen_timeout_ms = 10000;
const int key_timeout_ms = 3000;
const int entering_presses = 4;
const size_t screenshot_blocks = 12;

std::string describe(const Cells& cells) {
    std::ostringstream text;
    for (const Cell& cell : cells) {
        text << "(" << cell.first << "," << cell.second << ")";
    }
    return text.str();
}

}  // namespace

Player::Player(GameSession& session) : session(session), layout(session.folder, session.prefs) {
    well.columns = layout.columns;
    well.rows = layout.rows;
}

Cells Player::falling(const Picture& screen) const {
    return minus(occupied_cells(screen, layout), well.settled);
}

bool Player::start_game(const ShippedMenu& menu) {
    if (!session.click_button(menu, "play")) {
        problem = "the main menu has no \"play\" button";
        return false;
    }
    const GameLayout& game = layout;
    bool shown = session.wait_for(
        [&](const Picture& s) {
            return shows_game_screen(s, game) && !shows_menu(s, menu, session.pointer);
        },
        screen_timeout_ms, &last);
    well.settled.clear();
    problem = shown ? "" : "the game screen did not appear after clicking \"play\"";
    return shown;
}

bool Player::fail(const std::string& why, const std::string& picture_name) {
    problem = why + session.game_state();
    session.keep(last, picture_name);
    return false;
}

bool Player::bring_in_piece() {
    session.press_action("move_down_key", entering_presses);
    bool in = session.wait_for(
        [&](const Picture& s) {
            Cells seen = falling(s);
            return seen.size() == 4 && minus(occupied_cells(s, layout), seen) == well.settled;
        },
        screen_timeout_ms, &last);
    piece = falling(last);
    return in || fail("no piece of four blocks came into the well; seen " + describe(piece) +
                          " beside the landed blocks " + describe(well.settled),
                      "no_piece");
}

bool Player::move(const std::string& action, int dx, int min_fall, int max_fall) {
    Cells start = piece;
    session.press_action(action);
    bool moved = session.wait_for(
        [&](const Picture& s) { return moved_by(start, falling(s), dx, min_fall, max_fall); },
        key_timeout_ms, &last);
    piece = falling(last);
    return moved || fail("after " + action + " the piece " + describe(start) + " shows as " +
                             describe(piece),
                         "not_moved");
}

bool Player::turn(const std::string& action, const Cells& shape) {
    Cells start = piece;
    session.press_action(action);
    bool turned = session.wait_for(
        [&](const Picture& s) {
            Cells seen = falling(s);
            return seen.size() == 4 && normalised(seen) == shape;
        },
        key_timeout_ms, &last);
    piece = falling(last);
    return turned || fail("after " + action + " the piece " + describe(start) + " shows as " +
                              describe(piece) + ", not turned to " + describe(shape),
                          "not_turned");
}

bool Player::wait_for_well(const Cells& expected, const Cells& before, int timeout_ms) {
    // The next piece may already enter at the top, but never where the dropped one stood.
    return session.wait_for(
        [&](const Picture& s) {
            Cells seen = occupied_cells(s, layout);
            Cells extra = minus(seen, expected);
            for (const Cell& cell : extra) {
                if (before.count(cell) != 0 || cell.second >= 4) {
                    return false;
                }
            }
            return minus(expected, seen).empty() && extra.size() <= 4;
        },
        timeout_ms, &last);
}

bool Player::drop(int* cleared, const std::string& key_name) {
    Cells landed = well.drop(piece);
    Cells all = well.settled;
    all.insert(landed.begin(), landed.end());
    std::vector<int> full = well.full_rows(all);
    Cells emptied = well.emptied(all);
    Cells closed = well.collapsed(emptied, full);
    if (key_name.empty()) {
        session.press_action("drop_key");
    } else {
        session.press(key_name);
    }
    // Right after the landing the full rows show empty; one tick later they close up. A slow
    // screenshot may see only the second picture.
    if (!wait_for_well(full.empty() ? closed : emptied, piece, screen_timeout_ms) &&
        !wait_for_well(closed, piece, 0)) {
        return fail("after the drop the well shows " + describe(occupied_cells(last, layout)) +
                        " instead of " + describe(emptied),
                    "not_landed");
    }
    if (!wait_for_well(closed, piece, screen_timeout_ms)) {
        return fail("the emptied rows did not close up: the well shows " +
                        describe(occupied_cells(last, layout)) + " instead of " + describe(closed),
                    "not_closed");
    }
    well.settled = closed;
    if (cleared != nullptr) {
        *cleared = static_cast<int>(full.size());
    }
    return true;
}

bool Player::place_piece(int* cleared) {
    Placement target = plan_placement(well, piece, true);
    for (int turns = 0; turns < 3 && normalised(piece) != target.shape; ++turns) {
        if (!turn("turn_right_key", turned_right(normalised(piece)))) {
            // A piece that shows only two turns comes back the other way: take what it shows.
            piece = falling(last);
            if (piece.size() != 4) {
                return false;
            }
        }
    }
    if (normalised(piece) != target.shape) {
        target = plan_placement(well, piece, false);
    }
    int dx = target.column - min_column(piece);
    const std::string action = dx < 0 ? "move_left_key" : "move_right_key";
    for (int step = 0; step < std::abs(dx); ++step) {
        if (!move(action, dx < 0 ? -1 : 1, 0, 4)) {
            return false;
        }
    }
    return drop(cleared);
}

bool Player::clear_a_row(int max_pieces, const std::string& screenshot) {
    int cleared = 0;
    bool pictured = screenshot.empty();
    for (int count = 0; count < max_pieces && cleared == 0; ++count) {
        if (!bring_in_piece()) {
            return false;
        }
        if (!pictured && well.settled.size() >= screenshot_blocks) {
            session.save_screenshot(screenshot);
            pictured = true;
        }
        if (!place_piece(&cleared)) {
            return false;
        }
    }
    if (!pictured) {
        session.save_screenshot(screenshot);
    }
    problem = cleared > 0 ? "" : "no row was cleared in " + std::to_string(max_pieces) + " pieces";
    return cleared > 0;
}
