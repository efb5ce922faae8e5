#include "compositor/compositor.h"

#include <algorithm>
#include <utility>

#include "compositor/scaled_window.h"

Element::Element(std::string name, SDL_Surface* surface, int x, int y)
    : surface(surface),
      source{0, 0, 0, 0},
      x(x),
      y(y),
      whole_surface(true),
      dirty(true),
      name(std::move(name)) {}

Element::Element(std::string name, SDL_Surface* surface, int x, int y, SDL_Rect source)
    : surface(surface),
      source(source),
      x(x),
      y(y),
      whole_surface(false),
      dirty(true),
      name(std::move(name)) {}

namespace {

void follow_surface(Element& element) {
    if (element.whole_surface && element.surface != nullptr) {
        SDL_GetClipRect(element.surface, &element.source);
    }
}

// The element's area on the target, cut to SDL's 16-bit coordinates.
SDL_Rect area_of(const Element& element) {
    return SDL_Rect{static_cast<Sint16>(element.x), static_cast<Sint16>(element.y),
                    element.source.w, element.source.h};
}

// Strict on every side: areas that only share an edge do not overlap.
bool overlaps(const SDL_Rect& rect, const Element& element) {
    // 64 bits: a position from a settings file may be as large as an int goes, and adding the
    // width to it must not overflow.
    long long x = element.x;
    long long y = element.y;
    return rect.x < x + element.source.w && rect.y < y + element.source.h && rect.x + rect.w > x &&
           rect.y + rect.h > y;
}

// The part of rect that lies on the surface; its width or height is 0 when none does. SDL's
// X11 driver sends update areas as they are given, so they must not reach beyond the window.
SDL_Rect cut_to(const SDL_Surface* surface, const SDL_Rect& rect) {
    int left = std::max<int>(rect.x, 0);
    int top = std::max<int>(rect.y, 0);
    int right = std::min<int>(rect.x + rect.w, surface->w);
    int bottom = std::min<int>(rect.y + rect.h, surface->h);
    if (right <= left || bottom <= top) {
        return SDL_Rect{0, 0, 0, 0};
    }
    return SDL_Rect{static_cast<Sint16>(left), static_cast<Sint16>(top),
                    static_cast<Uint16>(right - left), static_cast<Uint16>(bottom - top)};
}

bool double_buffered(const SDL_Surface* screen) {
    return (screen->flags & SDL_DOUBLEBUF) == SDL_DOUBLEBUF;
}

// More areas than this waiting to be shown (a caller that redraws without ever presenting)
// are shown as the whole surface, so the list stays bounded.
const size_t max_unshown = 256;

}  // namespace

void Compositor::add(const Element& element) {
    elements.push_back(element);
}

Element* Compositor::find(const std::string& name) {
    for (Element& element : elements) {
        if (element.name == name) {
            return &element;
        }
    }
    return nullptr;
}

void Compositor::collect_dirty_rects(SDL_Surface* target) {
    dirty_rects.clear();
    if (full_redraw) {
        SDL_Rect whole;
        SDL_GetClipRect(target, &whole);
        dirty_rects.push_back(whole);
        for (Element& element : elements) {
            element.dirty = false;
        }
        return;
    }
    for (Element& element : elements) {
        if (element.dirty) {
            follow_surface(element);
            dirty_rects.push_back(area_of(element));
            element.dirty = false;
        }
    }
}

void Compositor::draw_into(SDL_Surface* target, Element& element, const SDL_Rect& rect) {
    follow_surface(element);
    SDL_Rect clip = rect;
    SDL_SetClipRect(target, &clip);
    SDL_Rect source = element.source;
    SDL_Rect destination = area_of(element);
    blits++;
    // The blit leaves in destination the area it actually wrote, after clipping.
    if (SDL_UpperBlit(element.surface, &source, target, &destination) == 0) {
        pixels_drawn += static_cast<Uint64>(destination.w) * destination.h;
    }
}

void Compositor::redraw(SDL_Surface* target) {
    collect_dirty_rects(target);
    if (dirty_rects.empty()) {
        return;
    }
    SDL_Rect saved_clip;
    SDL_GetClipRect(target, &saved_clip);
    // Rectangle outside, element inside: each changed area is painted again from the bottom
    // element up, so where two areas overlap a translucent element is blended once over what
    // lies beneath it, as a full repaint would give, not once per area.
    for (const SDL_Rect& rect : dirty_rects) {
        for (Element& element : elements) {
            if (element.surface != nullptr && (full_redraw || overlaps(rect, element))) {
                draw_into(target, element, rect);
            }
        }
    }
    SDL_SetClipRect(target, &saved_clip);
    full_redraw = false;
    remember_unshown(target);
}

void Compositor::remember_unshown(SDL_Surface* target) {
    for (const SDL_Rect& rect : dirty_rects) {
        SDL_Rect area = cut_to(target, rect);
        if (area.w > 0 && area.h > 0) {
            unshown.push_back(area);
        }
    }
    if (unshown.size() > max_unshown) {
        unshown.assign(
            1, SDL_Rect{0, 0, static_cast<Uint16>(target->w), static_cast<Uint16>(target->h)});
    }
}

void Compositor::present(SDL_Surface* screen) {
    if (is_layout_picture(screen)) {
        show_scaled(unshown.data(), static_cast<int>(unshown.size()));
    } else if (double_buffered(screen)) {
        SDL_Flip(screen);
    } else if (!unshown.empty()) {
        SDL_UpdateRects(screen, static_cast<int>(unshown.size()), unshown.data());
    }
    unshown.clear();
}

void show_areas(SDL_Surface* screen, const SDL_Rect* areas, int count) {
    if (is_layout_picture(screen)) {
        show_scaled(areas, count);
        return;
    }
    if (double_buffered(screen)) {
        SDL_Flip(screen);
        return;
    }
    for (int k = 0; k < count; k++) {
        SDL_Rect area = cut_to(screen, areas[k]);
        if (area.w > 0 && area.h > 0) {
            SDL_UpdateRects(screen, 1, &area);
        }
    }
}
