#include "tests/e2e/screen_checks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

const int sample_step = 7;

// The largest difference of the two colours in one channel.
int colour_distance(Uint32 a, Uint32 b) {
    int most = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        most = std::max(most, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    }
    return most;
}

// Equal but for a rounding step of blending.
bool close_colour(Uint32 a, Uint32 b) {
    return colour_distance(a, b) <= 3;
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

namespace {

std::string hex(Uint32 pixel) {
    char text[16];
    std::snprintf(text, sizeof text, "#%06x", rgb_of(pixel));
    return text;
}

}  // namespace

Picture compose_menu(const ShippedMenu& shipped, Spot pointer) {
    Menu& menu = *shipped.menu;
    SDL_Surface* target =
        SDL_CreateRGBSurface(SDL_SWSURFACE, menu.background_surface->w, menu.background_surface->h,
                             32, 0xFF0000, 0xFF00, 0xFF, 0);
    menu.update_hover(pointer.x, pointer.y);
    menu.compositor.full_redraw = true;
    menu.compositor.redraw(target);
    Picture picture = picture_of(target);
    SDL_FreeSurface(target);
    return picture;
}

std::string picture_mismatch(const Picture& screen, const Picture& expected) {
    long checked = 0;
    long differing = 0;
    std::string first;
    for (int y = 0; y < expected.h && y < screen.h; ++y) {
        for (int x = 0; x < expected.w && x < screen.w; ++x) {
            ++checked;
            if (!close_colour(expected.at(x, y), screen.at(x, y))) {
                ++differing;
                if (first.empty()) {
                    first = " (first at " + std::to_string(x) + ", " + std::to_string(y) + ": " +
                            hex(screen.at(x, y)) + " instead of " + hex(expected.at(x, y)) + ")";
                }
            }
        }
    }
    if (checked > 0 && differing * 1000 <= checked) {
        return "";
    }
    return std::to_string(differing) + " of " + std::to_string(checked) + " pixels differ" + first;
}

bool shows_menu(const Picture& screen, const ShippedMenu& menu, Spot pointer) {
    return picture_mismatch(screen, compose_menu(menu, pointer)).empty();
}

bool closer_to(const Picture& screen, const Picture& expected, const Picture& other) {
    long checked = 0;
    long closer = 0;
    for (int y = 0; y < expected.h && y < other.h && y < screen.h; ++y) {
        for (int x = 0; x < expected.w && x < other.w && x < screen.w; ++x) {
            if (colour_distance(expected.at(x, y), other.at(x, y)) <= 48) {
                continue;
            }
            ++checked;
            closer += colour_distance(screen.at(x, y), expected.at(x, y)) <
                              colour_distance(screen.at(x, y), other.at(x, y))
                          ? 1
                          : 0;
        }
    }
    return checked > 0 && closer * 100 >= checked * 99;
}

bool looks_alike(const Picture& a, const Picture& b, const SDL_Rect& rect) {
    long checked = 0;
    long equal = 0;
    for (int y = rect.y; y < rect.y + rect.h; ++y) {
        for (int x = rect.x; x < rect.x + rect.w; ++x) {
            if (!a.contains(x, y) || !b.contains(x, y)) {
                continue;
            }
            int distance = colour_distance(a.at(x, y), b.at(x, y));
            if (distance > 96) {
                return false;
            }
            ++checked;
            equal += distance <= 3 ? 1 : 0;
        }
    }
    return checked > 0 && equal * 100 >= checked * 95;
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
                    differing +=
                        known && !close_colour(screen.at(x, y), layout.background.at(x, y));
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
