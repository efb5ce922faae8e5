// Every screen is an ordered list of named surfaces drawn back to front. Screens change an
// element and mark it dirty; redraw() then repaints only the areas of the changed elements.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

// One positioned picture of a screen. The compositor never owns `surface`.
struct Element {
    SDL_Surface* surface;  // null: not drawn, but its area is still repainted when dirty
    SDL_Rect source;       // the part of `surface` drawn; its size is the element's area
    int x;
    int y;
    bool whole_surface;  // true: `source` follows the surface's clip rectangle
    bool dirty;
    std::string name;

    // Whole-surface element: shows all of `surface`, whatever size it has when drawn.
    Element(std::string name, SDL_Surface* surface, int x, int y);
    // Fixed-source element: always shows `source` of whatever surface it is given.
    Element(std::string name, SDL_Surface* surface, int x, int y, SDL_Rect source);
};

class Compositor {
public:
    // The next redraw repaints the whole target. True until the first redraw.
    bool full_redraw = true;
    // Drawing order: elements[0] is at the bottom. Elements are only ever appended.
    std::vector<Element> elements;
    // Pixels written by every redraw so far: the clipped blit areas, summed. Only counted (the
    // benchmarks read it to weigh a redraw), never used for drawing.
    Uint64 pixels_drawn = 0;
    // Blits made by every redraw so far, one per element and changed area it was drawn into,
    // whether or not clipping left it a pixel to write. Only counted, like pixels_drawn.
    Uint64 blits = 0;

    // Appends a copy of the element on top of all earlier ones.
    void add(const Element& element);

    // The first element with this name, or null. The pointer is valid until the next add().
    Element* find(const std::string& name);

    // Repaints each dirty element's area (or, on a full redraw, the target's clip rectangle):
    // every element overlapping it, in list order, clipped to it, so each pixel ends as one
    // full repaint over an opaque bottom element would leave it. Clears the dirty flags and
    // full_redraw. Leaves the target's clip rectangle as it found it.
    void redraw(SDL_Surface* target);

    // Shows on the display what the redraws since the last present painted: SDL_Flip on a
    // double-buffered hardware display surface, otherwise SDL_UpdateRects of just those areas,
    // which sends a move's few cells to the X server instead of the whole window. On the
    // layout picture of a scaled window, those areas are scaled and sent (see show_scaled).
    void present(SDL_Surface* screen);

private:
    // The changed areas of the current redraw. Kept between redraws so that its storage is
    // reused: a redraw during play allocates nothing once the list has grown.
    std::vector<SDL_Rect> dirty_rects;
    // The areas painted since the last present, cut to the target; storage reused too.
    std::vector<SDL_Rect> unshown;

    void collect_dirty_rects(SDL_Surface* target);
    void draw_into(SDL_Surface* target, Element& element, const SDL_Rect& rect);
    void remember_unshown(SDL_Surface* target);
};

// Shows areas of the display surface that were drawn on directly: SDL_Flip on a
// double-buffered hardware surface, otherwise SDL_UpdateRects of the areas, each cut to the
// surface first.
void show_areas(SDL_Surface* screen, const SDL_Rect* areas, int count);
