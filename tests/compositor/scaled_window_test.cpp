#include "compositor/scaled_window.h"

#include <gtest/gtest.h>

#include <cstring>

#include "compositor/compositor.h"
#include "tests/support/test_support.h"

TEST(ScaledWindow, EveryPixelBecomesASquareAtItsPlace) {
    SDL_Surface* from = make_filled_surface(3, 2, 0);
    for (int y = 0; y < 2; y++) {
        for (int x = 0; x < 3; x++) {
            SDL_Rect pixel{static_cast<Sint16>(x), static_cast<Sint16>(y), 1, 1};
            SDL_FillRect(from, &pixel, SDL_MapRGB(from->format, 10 * x, 20 * y, 7));
        }
    }
    SDL_Surface* to = make_filled_surface(12, 9, 0xffffff);
    // Only the area's pixels, at three times their size, moved by the offset (1, 2).
    scale_area(from, to, SDL_Rect{1, 0, 2, 2}, 3, 1, 2);
    for (int y = 0; y < 9; y++) {
        for (int x = 0; x < 12; x++) {
            bool inside = x >= 4 && x < 10 && y >= 2 && y < 8;
            Uint32 expected = inside ? pixel_at(from, (x - 1) / 3, (y - 2) / 3) : 0xffffff;
            ASSERT_EQ(expected, pixel_at(to, x, y)) << x << "," << y;
        }
    }
    SDL_FreeSurface(from);
    SDL_FreeSurface(to);
}

TEST(ScaledWindow, AWindowTwiceTheLayoutShowsTheLayoutDoubledAndTakesTheMouseBack) {
    ASSERT_EQ(0, SDL_InitSubSystem(SDL_INIT_VIDEO));
    SDL_Surface* display = open_scaled_window(40, 30, 2, 0);
    ASSERT_NE(nullptr, display);
    EXPECT_EQ(std::make_pair(80, 60), std::make_pair(display->w, display->h));
    SDL_Surface* layout = drawing_surface();
    ASSERT_NE(display, layout);
    EXPECT_EQ(40, layout->w);
    EXPECT_TRUE(is_layout_picture(layout));

    SDL_Surface* plain = make_filled_surface(5, 5, 0x00ff00);
    SDL_Surface* square = SDL_DisplayFormat(plain);
    SDL_FreeSurface(plain);
    Compositor compositor;
    compositor.add(Element("square", square, 10, 10));
    compositor.full_redraw = false;
    compositor.redraw(layout);
    compositor.present(layout);
    // Only the changed area reached the display, twice its size (the display's own pixel
    // values, in whatever depth the driver chose).
    auto colour_at = [display](int x, int y) {
        Uint32 value = 0;
        std::memcpy(&value,
                    static_cast<Uint8*>(display->pixels) + y * display->pitch +
                        x * display->format->BytesPerPixel,
                    display->format->BytesPerPixel);
        return value;
    };
    EXPECT_EQ(colour_at(20, 20), colour_at(29, 29));
    EXPECT_NE(colour_at(19, 19), colour_at(20, 20));
    EXPECT_NE(colour_at(30, 30), colour_at(29, 29));

    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.x = 41;
    click.button.y = 21;
    scale_back(click);
    EXPECT_EQ(20, click.button.x);
    EXPECT_EQ(10, click.button.y);
    EXPECT_EQ(2, window_scale_now().scale);
    SDL_FreeSurface(square);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
