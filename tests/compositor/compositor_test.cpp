#include "compositor/compositor.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/test_support.h"

namespace {

const Uint32 red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF;
const Uint32 paint = 0x123456;  // marks target pixels the compositor did not touch

// A 100x100 target with a background, a 20x20 green square at (10, 10) and a 20x20 blue
// square at (20, 20) partly above it.
struct Scene {
    SDL_Surface* target = make_filled_surface(100, 100, 0);
    SDL_Surface* background = make_filled_surface(100, 100, red);
    SDL_Surface* square = make_filled_surface(20, 20, green);
    SDL_Surface* top = make_filled_surface(20, 20, blue);
    Compositor compositor;

    Scene() {
        compositor.add(Element("background", background, 0, 0));
        compositor.add(Element("square", square, 10, 10));
        compositor.add(Element("top", top, 20, 20));
    }
    ~Scene() {
        for (SDL_Surface* s : {target, background, square, top}) {
            SDL_FreeSurface(s);
        }
    }
};

}  // namespace

TEST(Compositor, FirstRedrawPaintsEverythingInOrderAndClearsFlags) {
    Scene scene;
    scene.compositor.redraw(scene.target);
    EXPECT_EQ(pixel_at(scene.target, 0, 0), red);
    EXPECT_EQ(pixel_at(scene.target, 15, 15), green);
    EXPECT_EQ(pixel_at(scene.target, 25, 25), blue);  // drawn after the square
    EXPECT_EQ(pixel_at(scene.target, 39, 39), blue);
    EXPECT_EQ(scene.compositor.pixels_drawn, 100u * 100 + 20 * 20 + 20 * 20);
    EXPECT_FALSE(scene.compositor.full_redraw);
    for (const Element& e : scene.compositor.elements) {
        EXPECT_FALSE(e.dirty) << e.name;
    }
    // Nothing dirty: nothing drawn, nothing counted.
    SDL_FillRect(scene.target, nullptr, paint);
    scene.compositor.redraw(scene.target);
    EXPECT_EQ(pixel_at(scene.target, 25, 25), paint);
    EXPECT_EQ(scene.compositor.pixels_drawn, 10800u);
}

TEST(Compositor, DirtyElementRepaintsEverythingOverlappingItsAreaOnly) {
    Scene scene;
    scene.compositor.redraw(scene.target);
    SDL_FillRect(scene.target, nullptr, paint);
    scene.compositor.find("square")->dirty = true;
    scene.compositor.redraw(scene.target);
    EXPECT_EQ(pixel_at(scene.target, 10, 10), green);
    EXPECT_EQ(pixel_at(scene.target, 25, 25), blue);   // the element above is restored
    EXPECT_EQ(pixel_at(scene.target, 35, 35), paint);  // outside the square's area
    EXPECT_EQ(pixel_at(scene.target, 9, 9), paint);
    EXPECT_EQ(pixel_at(scene.target, 30, 10), paint);
    // The square's area of the background and the square, and the quarter of the top square
    // that lies inside it.
    EXPECT_EQ(scene.compositor.pixels_drawn, 10800u + 400 + 400 + 100);

    // Elements touching the area only along an edge, on each side, are not drawn: one blit.
    Compositor edge;
    edge.add(Element("left", scene.square, 0, 20));
    edge.add(Element("below", scene.square, 20, 40));
    edge.add(Element("middle", scene.top, 20, 20));
    edge.add(Element("right", scene.square, 40, 20));
    edge.add(Element("above", scene.square, 20, 0));
    edge.redraw(scene.target);  // a first, full redraw: every element takes its surface's size
    edge.blits = 0;
    edge.find("middle")->dirty = true;
    edge.redraw(scene.target);
    EXPECT_EQ(edge.blits, 1u);
}

TEST(Compositor, FixedSourceElementShowsOnlyItsRectangle) {
    Scene scene;
    SDL_Rect lower{0, 10, 100, 90};
    SDL_FillRect(scene.background, &lower, SDL_MapRGB(scene.background->format, 0, 0, 255));
    Compositor compositor;
    compositor.add(Element("cell", scene.background, 5, 5, SDL_Rect{0, 0, 10, 10}));
    SDL_FillRect(scene.target, nullptr, paint);
    compositor.redraw(scene.target);
    EXPECT_EQ(pixel_at(scene.target, 5, 5), red);
    EXPECT_EQ(pixel_at(scene.target, 14, 14), red);
    EXPECT_EQ(pixel_at(scene.target, 5, 15), paint);
}

TEST(Compositor, RedrawHonoursAndRestoresTheTargetsClipRectangle) {
    Scene scene;
    SDL_Rect clip{3, 4, 50, 60};
    SDL_SetClipRect(scene.target, &clip);
    scene.compositor.redraw(scene.target);
    EXPECT_EQ(pixel_at(scene.target, 2, 10), 0u);
    // The count is clipped too.
    EXPECT_EQ(scene.compositor.pixels_drawn, 50u * 60 + 400 + 400);
    scene.compositor.find("square")->dirty = true;
    scene.compositor.redraw(scene.target);
    SDL_Rect after;
    SDL_GetClipRect(scene.target, &after);
    EXPECT_EQ(std::memcmp(&after, &clip, sizeof clip), 0);
}
