// The window at a whole-pixel scale. Every screen draws on a picture of the layout's size;
// only the areas a screen shows are scaled up and sent to the display, so a move costs the
// scale squared times its pixels, and a menu works at any scale once the mouse's positions are
// scaled back.
#pragma once

#include <SDL.h>

// Opens the display for a layout of width by height pixels, scale (1 to 4) times that size,
// with the mode flags given. In full screen the largest whole scale whose picture fits the
// largest full-screen mode is taken instead, and the picture is centred in that mode. The
// screens then draw on a picture of the layout's size in the display's format (see
// drawing_surface), which is kept across later calls with the same layout so that the screens
// holding it go on drawing. Returns the display surface, or null (SDL_GetError says why).
SDL_Surface* open_scaled_window(int width, int height, int scale, Uint32 flags);

// The scale full screen shows a layout of width by height at: the largest whole one whose
// picture fits the largest full-screen mode, or fallback when SDL lists no mode.
int full_screen_scale(int width, int height, int fallback);

// The surface the screens draw on: the layout picture once open_scaled_window has made one,
// else SDL's display surface (null before a window is open).
SDL_Surface* drawing_surface();

// Whether surface is the layout picture of a scaled window.
bool is_layout_picture(const SDL_Surface* surface);

// Scales the areas of the layout picture onto the display and sends just those areas. Areas
// are cut to the layout first. Does nothing without a scaled window.
void show_scaled(const SDL_Rect* areas, int count);

// Mouse positions in the layout's coordinates: the event's (motion and buttons) and a pair
// read from SDL_GetMouseState. Unchanged without a scaled window.
void scale_back(SDL_Event& event);
void scale_back(int& x, int& y);

// The scale and the picture's place on the display now: 1 and 0, 0 without a scaled window.
struct WindowScale {
    int scale;
    int x;
    int y;
};
WindowScale window_scale_now();

// Copies area of from into to, each pixel as a scale by scale square, the area's top left
// corner landing at (x + area.x * scale, y + area.y * scale). Both surfaces have one pixel
// format; area must lie inside from, and its scaled copy inside to.
void scale_area(SDL_Surface* from, SDL_Surface* to, const SDL_Rect& area, int scale, int x, int y);
