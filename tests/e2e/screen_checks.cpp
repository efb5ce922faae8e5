#include "tests/e2e/screen_checks.h"

#include <cstdlib>

namespace {

const int sample_step = 7;

bool close_colour(Uint32 a, Uint32 b) {
    for (int shift = 0; shift <= 16; shift += 8) {
        int difference = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
        if (std::abs(difference) > 2) {
            return false;
        }
    }
    return true;
}

bool in_rect(int x, int y, const SDL_Rect& r) {
    return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h;
}

}  // namespace

bool shows_picture(const Picture& screen, const Picture& picture, int x, int y) {
    long checked = 0;
    long matching = 0;
    for (int py = 0; py < picture.h; ++py) {
        for (int px = 0; px < picture.w; ++px) {
            Uint32 pixel = picture.at(px, py);
            if (alpha_of(pixel) != 255 || !screen.contains(x + px, y + py)) {
                continue;
            }
            ++checked;
            matching += close_colour(pixel, screen.at(x + px, y + py)) ? 1 : 0;
        }
    }
    return checked > 0 && matching * 100 >= checked * 99;
}

bool shows_menu(const Picture& screen, const ShippedMenu& menu) {
    long checked = 0;
    long matching = 0;
    for (int y = 0; y < screen.h && y < menu.background.h; y += sample_step) {
        for (int x = 0; x < screen.w && x < menu.background.w; x += sample_step) {
            if (menu.near_a_button(x, y)) {
                continue;
            }
            ++checked;
            matching += close_colour(menu.background.at(x, y), screen.at(x, y)) ? 1 : 0;
        }
    }
    if (checked == 0 || matching * 100 < checked * 99) {
        return false;
    }
    for (const MenuButton& button : menu.buttons) {
        if (!button.normal.empty() && !shows_picture(screen, button.normal, button.x, button.y)) {
            return false;
        }
    }
    return true;
}

bool same_area(const Picture& a, const Picture& b, const SDL_Rect& rect) {
    for (int y = rect.y; y < rect.y + rect.h; ++y) {
        for (int x = rect.x; x < rect.x + rect.w; ++x) {
            if (a.contains(x, y) != b.contains(x, y)) {
                return false;
            }
            if (a.contains(x, y) && a.at(x, y) != b.at(x, y)) {
                return false;
            }
        }
    }
    return true;
}

Cells occupied_cells(const Picture& screen, const GameLayout& layout) {
    Cells cells;
    for (int row = 0; row < layout.rows; ++row) {
        for (int column = 0; column < layout.columns; ++column) {
            SDL_Rect r = layout.cell(column, row);
            int differing = 0;
            for (int y = r.y; y < r.y + r.h; ++y) {
                for (int x = r.x; x < r.x + r.w; ++x) {
                    bool known = screen.contains(x, y) && layout.background.contains(x, y);
                    differing += known && !close_colour(screen.at(x, y), layout.background.at(x, y));
                }
            }
            if (differing * 3 > r.w * r.h) {
                cells.insert(Cell(column, row));
            }
        }
    }
    return cells;
}

bool shows_game_screen(const Picture& screen, const GameLayout& layout) {
    SDL_Rect board{Sint16(layout.board_x), Sint16(layout.board_y),
                   Uint16(layout.columns * layout.block), Uint16(layout.rows * layout.block)};
    const SDL_Rect* covered[] = {&board, &layout.level, &layout.points, &layout.lines,
                                 &layout.next_piece};
    long checked = 0;
    long matching = 0;
    for (int y = 0; y < screen.h && y < layout.background.h; y += sample_step) {
        for (int x = 0; x < screen.w && x < layout.background.w; x += sample_step) {
            bool free = true;
            for (const SDL_Rect* r : covered) {
                free = free && !in_rect(x, y, *r);
            }
            if (free) {
                ++checked;
                matching += close_colour(layout.background.at(x, y), screen.at(x, y)) ? 1 : 0;
            }
        }
    }
    return checked > 0 && matching * 100 >= checked * 99;
}
