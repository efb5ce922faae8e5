#include "compositor/compositor.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace {

const Uint32 red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF, white = 0xFFFFFF;
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
    void repaint_target_with(Uint32 colour) { SDL_FillRect(target, nullptr, colour); }
};

}  // namespace

TEST(Compositor, FirstRedrawPaintsEverythingInOrderAndClearsFlags) {
    Scene scene;
    scene.compositor.redraw(scene.target);
    EXPECT_EQ(pixel_at(scene.target, 0, 0), red);
    EXPECT_EQ(pixel_at(scene.target, 15, 15), green);
    EXPECT_EQ(pixel_at(scene.target, 25, 25), blue);  // drawn after the square
    EXPECT_EQ(pixel_at(scene.target, 39, 39), blue);
    EXPECT_FALSE(scene.compositor.full_redraw);
    for (const Element& e : scene.compositor.elements) {
        EXPECT_FALSE(e.dirty) << e.name;
    }
    // Nothing dirty: nothing drawn, clip rectangle untouched.
    scene.repaint_target_with(paint);
    SDL_Rect clip{5, 5, 50, 50};
    SDL_SetClipRect(scene.target, &clip);
    scene.compositor.redraw(scene.target);
    SDL_SetClipRect(scene.target, nullptr);
    EXPECT_EQ(pixel_at(scene.target, 25, 25), paint);
}

TEST(Compositor, DirtyElementRepaintsEverythingOverlappingItsAreaOnly) {
    Scene scene;
    scene.compositor.redraw(scene.target);
    scene.repaint_target_with(paint);
    scene.compositor.find("square")->dirty = true;
    scene.compositor.redraw(scene.target);
    EXPECT_EQ(pixel_at(scene.target, 10, 10), green);
    EXPECT_EQ(pixel_at(scene.target, 25, 25), blue);   // the element above is restored
    EXPECT_EQ(pixel_at(scene.target, 35, 35), paint);  // outside the square's area
    EXPECT_EQ(pixel_at(scene.target, 9, 9), paint);
    EXPECT_EQ(pixel_at(scene.target, 30, 10), paint);
}

TEST(Compositor, ElementTouchingOnlyAlongAnEdgeIsNotDrawn) {
    SDL_Surface* target = make_filled_surface(60, 20, paint);
    SDL_Surface* left = make_filled_surface(20, 20, green);
    SDL_Surface* right = make_filled_surface(20, 20, blue);
    Compositor compositor;
    compositor.add(Element("right", right, 20, 0));
    compositor.add(Element("left", left, 0, 0));
    compositor.full_redraw = false;
    compositor.find("right")->dirty = false;
    // "left" is dirty; its area ends at x = 20, where "right" begins.
    compositor.redraw(target);
    EXPECT_EQ(pixel_at(target, 0, 0), green);
    EXPECT_EQ(pixel_at(target, 20, 0), paint);
    SDL_FreeSurface(target);
    SDL_FreeSurface(left);
    SDL_FreeSurface(right);
}

TEST(Compositor, NullOrSmallerSurfaceRepaintsFromBelow) {
    Scene scene;
    scene.compositor.redraw(scene.target);
    Element* square = scene.compositor.find("square");
    square->surface = nullptr;
    square->dirty = true;
    scene.compositor.redraw(scene.target);
    EXPECT_EQ(pixel_at(scene.target, 10, 10), red);
    EXPECT_EQ(pixel_at(scene.target, 25, 25), blue);

    // A smaller picture repaints only its own, smaller area: the old blue stays beyond it.
    SDL_Surface* small = make_filled_surface(5, 5, white);
    Element* top = scene.compositor.find("top");
    top->surface = small;
    top->dirty = true;
    scene.compositor.redraw(scene.target);
    EXPECT_EQ(pixel_at(scene.target, 24, 24), white);
    EXPECT_EQ(pixel_at(scene.target, 30, 30), blue);
    SDL_FreeSurface(small);
}

TEST(Compositor, FixedSourceElementShowsOnlyItsRectangle) {
    SDL_Surface* target = make_filled_surface(40, 40, paint);
    SDL_Surface* strip = make_filled_surface(10, 30, green);
    SDL_Rect lower{0, 10, 10, 20};
    SDL_FillRect(strip, &lower, blue);
    Compositor compositor;
    compositor.add(Element("cell", strip, 5, 5, SDL_Rect{0, 0, 10, 10}));
    compositor.redraw(target);
    EXPECT_EQ(pixel_at(target, 5, 5), green);
    EXPECT_EQ(pixel_at(target, 14, 14), green);
    EXPECT_EQ(pixel_at(target, 5, 15), paint);
    SDL_FreeSurface(target);
    SDL_FreeSurface(strip);
}

TEST(Compositor, FindReturnsTheFirstOfDuplicateNames) {
    Compositor compositor;
    EXPECT_EQ(compositor.find("twin"), nullptr);
    compositor.add(Element("twin", nullptr, 1, 0));
    compositor.add(Element("twin", nullptr, 2, 0));
    ASSERT_NE(compositor.find("twin"), nullptr);
    EXPECT_EQ(compositor.find("twin")->x, 1);
}

TEST(Compositor, RedrawRestoresTheTargetsClipRectangle) {
    Scene scene;
    SDL_Rect clip{3, 4, 50, 60};
    SDL_SetClipRect(scene.target, &clip);
    scene.compositor.redraw(scene.target);
    EXPECT_EQ(pixel_at(scene.target, 2, 10), 0u);  // a full redraw honours the clip rectangle
    scene.compositor.find("square")->dirty = true;
    scene.compositor.redraw(scene.target);
    SDL_Rect after;
    SDL_GetClipRect(scene.target, &after);
    EXPECT_EQ(after.x, 3);
    EXPECT_EQ(after.y, 4);
    EXPECT_EQ(after.w, 50);
    EXPECT_EQ(after.h, 60);
}

TEST(Compositor, PixelsDrawnSumsTheClippedBlitAreas) {
    Scene scene;
    EXPECT_EQ(scene.compositor.pixels_drawn, 0u);
    scene.compositor.redraw(scene.target);
    EXPECT_EQ(scene.compositor.pixels_drawn, 100u * 100 + 20 * 20 + 20 * 20);

    // The square's area: all of the background and the square there, and the quarter of the
    // top square that lies inside it.
    scene.compositor.find("square")->dirty = true;
    scene.compositor.redraw(scene.target);
    EXPECT_EQ(scene.compositor.pixels_drawn, 10800u + 400 + 400 + 100);

    // Nothing dirty adds nothing; a null surface is not drawn, only what lies below it.
    scene.compositor.redraw(scene.target);
    EXPECT_EQ(scene.compositor.pixels_drawn, 11700u);
    Element* top = scene.compositor.find("top");
    top->surface = nullptr;
    top->dirty = true;
    scene.compositor.redraw(scene.target);
    EXPECT_EQ(scene.compositor.pixels_drawn, 11700u + 400 + 100);

    // A full redraw is clipped by the target's clip rectangle, and so is the count.
    SDL_Rect clip{0, 0, 15, 15};
    SDL_SetClipRect(scene.target, &clip);
    scene.compositor.full_redraw = true;
    scene.compositor.redraw(scene.target);
    EXPECT_EQ(scene.compositor.pixels_drawn, 12200u + 15 * 15 + 5 * 5);
}
