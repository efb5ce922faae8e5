#include "compositor/scaled_window.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The one window of the program, as SDL has one display surface.
struct ScaledWindow {
    SDL_Surface* layout = nullptr;  // owned; null while the display itself is drawn on
    int scale = 1;
    int x = 0;
    int y = 0;
    std::vector<SDL_Rect> sent;  // storage reused by every show

    ~ScaledWindow() { SDL_FreeSurface(layout); }
};

ScaledWindow window;

// The largest full-screen mode, or 0 by 0 when SDL lists none (or takes any size).
void largest_mode(int& w, int& h) {
    w = 0;
    h = 0;
    SDL_Rect** modes = SDL_ListModes(nullptr, SDL_FULLSCREEN);
    if (modes == nullptr || modes == reinterpret_cast<SDL_Rect**>(-1)) {
        return;
    }
    for (int i = 0; modes[i] != nullptr; i++) {
        if (modes[i]->w * modes[i]->h > w * h) {
            w = modes[i]->w;
            h = modes[i]->h;
        }
    }
}

bool keep_layout(SDL_Surface* display, int width, int height) {
    const SDL_PixelFormat* format = display->format;
    if (window.layout != nullptr && window.layout->w == width && window.layout->h == height &&
        window.layout->format->BitsPerPixel == format->BitsPerPixel) {
        return true;
    }
    SDL_FreeSurface(window.layout);
    window.layout = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, format->BitsPerPixel,
                                         format->Rmask, format->Gmask, format->Bmask,
                                         format->Amask);
    if (window.layout != nullptr && format->palette != nullptr) {
        SDL_SetColors(window.layout, format->palette->colors, 0, format->palette->ncolors);
    }
    return window.layout != nullptr;
}

SDL_Rect cut_to_layout(const SDL_Rect& rect) {
    int left = std::max<int>(rect.x, 0);
    int top = std::max<int>(rect.y, 0);
    int right = std::min<int>(rect.x + rect.w, window.layout->w);
    int bottom = std::min<int>(rect.y + rect.h, window.layout->h);
    if (right <= left || bottom <= top) {
        return SDL_Rect{0, 0, 0, 0};
    }
    return SDL_Rect{static_cast<Sint16>(left), static_cast<Sint16>(top),
                    static_cast<Uint16>(right - left), static_cast<Uint16>(bottom - top)};
}

int to_layout(int position, int offset) {
    int scaled = (position - offset) / window.scale;
    return position < offset ? -1 : scaled;
}

}  // namespace

SDL_Surface* open_scaled_window(int width, int height, int scale, Uint32 flags) {
    int w = width * scale;
    int h = height * scale;
    window.x = 0;
    window.y = 0;
    if ((flags & SDL_FULLSCREEN) != 0) {
        int mode_w;
        int mode_h;
        largest_mode(mode_w, mode_h);
        if (width > 0 && height > 0 && mode_w >= width && mode_h >= height) {
            scale = full_screen_scale(width, height, scale);
            w = mode_w;
            h = mode_h;
            window.x = (mode_w - width * scale) / 2;
            window.y = (mode_h - height * scale) / 2;
        }
    }
    // Scaled areas are sent one by one; a double-buffered display would show a back buffer
    // that holds only some of them.
    SDL_Surface* display = SDL_SetVideoMode(w, h, 0, flags & ~(SDL_DOUBLEBUF | SDL_HWSURFACE));
    if (display == nullptr) {
        return nullptr;
    }
    window.scale = scale;
    if (!keep_layout(display, width, height)) {
        return nullptr;
    }
    // The bars around a centred picture stay black.
    SDL_FillRect(display, nullptr, 0);
    SDL_UpdateRect(display, 0, 0, 0, 0);
    return display;
}

int full_screen_scale(int width, int height, int fallback) {
    int mode_w;
    int mode_h;
    largest_mode(mode_w, mode_h);
    if (width <= 0 || height <= 0 || mode_w < width || mode_h < height) {
        return fallback;
    }
    return std::min(mode_w / width, mode_h / height);
}

SDL_Surface* drawing_surface() {
    return window.layout != nullptr ? window.layout : SDL_GetVideoSurface();
}

bool is_layout_picture(const SDL_Surface* surface) {
    return surface != nullptr && surface == window.layout;
}

void scale_area(SDL_Surface* from, SDL_Surface* to, const SDL_Rect& area, int scale, int x,
                int y) {
    int bytes = from->format->BytesPerPixel;
    SDL_LockSurface(from);
    SDL_LockSurface(to);
    for (int row = 0; row < area.h; row++) {
        const Uint8* source = static_cast<const Uint8*>(from->pixels) +
                              (area.y + row) * from->pitch + area.x * bytes;
        Uint8* first = static_cast<Uint8*>(to->pixels) +
                       (y + (area.y + row) * scale) * to->pitch + (x + area.x * scale) * bytes;
        Uint8* target = first;
        for (int column = 0; column < area.w; column++, source += bytes) {
            for (int copy = 0; copy < scale; copy++, target += bytes) {
                std::memcpy(target, source, bytes);
            }
        }
        // The other rows of the square are the same as the first.
        for (int copy = 1; copy < scale; copy++) {
            std::memcpy(first + copy * to->pitch, first, static_cast<size_t>(area.w) * scale * bytes);
        }
    }
    SDL_UnlockSurface(to);
    SDL_UnlockSurface(from);
}

void show_scaled(const SDL_Rect* areas, int count) {
    SDL_Surface* display = SDL_GetVideoSurface();
    if (window.layout == nullptr || display == nullptr) {
        return;
    }
    window.sent.clear();
    for (int k = 0; k < count; k++) {
        SDL_Rect area = cut_to_layout(areas[k]);
        if (area.w == 0 || area.h == 0) {
            continue;
        }
        scale_area(window.layout, display, area, window.scale, window.x, window.y);
        window.sent.push_back(SDL_Rect{
            static_cast<Sint16>(window.x + area.x * window.scale),
            static_cast<Sint16>(window.y + area.y * window.scale),
            static_cast<Uint16>(area.w * window.scale), static_cast<Uint16>(area.h * window.scale)});
    }
    if (!window.sent.empty()) {
        SDL_UpdateRects(display, static_cast<int>(window.sent.size()), window.sent.data());
    }
}

void scale_back(int& x, int& y) {
    if (window.layout != nullptr) {
        x = to_layout(x, window.x);
        y = to_layout(y, window.y);
    }
}

void scale_back(SDL_Event& event) {
    if (event.type == SDL_MOUSEMOTION) {
        int x = event.motion.x;
        int y = event.motion.y;
        scale_back(x, y);
        event.motion.x = static_cast<Uint16>(std::max(x, 0));
        event.motion.y = static_cast<Uint16>(std::max(y, 0));
    } else if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) {
        int x = event.button.x;
        int y = event.button.y;
        scale_back(x, y);
        event.button.x = static_cast<Uint16>(std::max(x, 0));
        event.button.y = static_cast<Uint16>(std::max(y, 0));
    }
}

WindowScale window_scale_now() {
    if (window.layout == nullptr) {
        return WindowScale{1, 0, 0};
    }
    return WindowScale{window.scale, window.x, window.y};
}
