// The browser build's blit rectangles against the desktop's SDL 1.2 blitting real pixels.
#include "web/blit_area.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

// Each source pixel tells where it came from: x in red, y in green.
Uint32 origin(int x, int y) {
    return 0xff000000u | static_cast<Uint32>(x) << 16 | static_cast<Uint32>(y) << 8;
}

Uint32& pixel(SDL_Surface* surface, int x, int y) {
    return static_cast<Uint32*>(surface->pixels)[y * surface->pitch / 4 + x];
}

}  // namespace

TEST(BlitArea, CutsAndPlacesAsTheDesktopsBlit) {
    struct Case {
        bool whole;
        BlitRect from;
        int to_x, to_y;
        BlitRect clip;
    } cases[] = {
        {true, {}, 3, 2, {0, 0, 20, 16}},
        {false, {2, 1, 5, 4}, 6, 7, {0, 0, 20, 16}},
        {true, {}, 0, 0, {4, 5, 3, 2}},                 // a repaint of one small area
        {false, {-3, -2, 6, 6}, 1, 1, {0, 0, 20, 16}},  // a part reaching out of the source
        {false, {1, 5, 4, 6}, 2, 2, {0, 0, 20, 16}},    // below the source
        {false, {4, 4, 9, 9}, 15, 12, {0, 0, 20, 16}},  // out of the destination
        {true, {}, -4, -3, {1, 1, 18, 14}},
        {true, {}, 30, 2, {0, 0, 20, 16}},  // nothing
    };
    for (const Case& c : cases) {
        SDL_Surface* source =
            SDL_CreateRGBSurface(0, 10, 8, 32, 0xff0000, 0xff00, 0xff, 0xff000000);
        SDL_Surface* target =
            SDL_CreateRGBSurface(0, 20, 16, 32, 0xff0000, 0xff00, 0xff, 0xff000000);
        for (int y = 0; y < 8; y++) {
            for (int x = 0; x < 10; x++) {
                pixel(source, x, y) = origin(x, y);
            }
        }
        SDL_Rect clip{Sint16(c.clip.x), Sint16(c.clip.y), Uint16(c.clip.w), Uint16(c.clip.h)};
        SDL_SetClipRect(target, &clip);
        SDL_Rect from{Sint16(c.from.x), Sint16(c.from.y), Uint16(c.from.w), Uint16(c.from.h)};
        SDL_Rect to{Sint16(c.to_x), Sint16(c.to_y), 0, 0};
        SDL_UpperBlit(source, c.whole ? nullptr : &from, target, &to);

        BlitArea area = blit_area(10, 8, c.whole ? nullptr : &c.from, c.to_x, c.to_y, c.clip);
        SCOPED_TRACE(testing::Message() << "to " << c.to_x << "," << c.to_y);
        EXPECT_EQ((std::vector<int>{area.to.x, area.to.y, area.to.w, area.to.h}),
                  (std::vector<int>{to.x, to.y, to.w, to.h}));
        // SDL 1.2 blends onto the target and keeps its alpha: where a pixel came from is the rest.
        if (area.to.w > 0) {
            EXPECT_EQ(pixel(target, area.to.x, area.to.y) | 0xff000000u,
                      origin(area.from.x, area.from.y));
            int right = area.to.x + area.to.w - 1, bottom = area.to.y + area.to.h - 1;
            EXPECT_EQ(pixel(target, right, bottom) | 0xff000000u,
                      origin(area.from.x + area.to.w - 1, area.from.y + area.to.h - 1));
        }
        SDL_FreeSurface(source);
        SDL_FreeSurface(target);
    }
}
