// What the browser's SDL 1.2 lacks, or does otherwise than the desktop's, for the calls the
// game makes. The page must keep giving the browser its turn, so a blocking call here sleeps
// through emscripten's ASYNCIFY instead of spinning.
#include <SDL.h>
#include <emscripten.h>

#include "web/blit_area.h"
#include "web/browser_keys.h"

namespace {

// How long a waiting screen sleeps between looks at the queue: short enough that a key press
// shows within a frame, long enough that a tab at a menu idles.
const int wait_slice_ms = 16;

}  // namespace

extern "C" int SDL_WaitEvent(SDL_Event* event) {
    for (;;) {
        // SDL_PollEvent also gathers the browser's pads, as a waiting desktop SDL does.
        if (SDL_PollEvent(event) != 0) {
            return 1;
        }
        emscripten_sleep(wait_slice_ms);
    }
}

// The browser's surfaces are all canvases of one format, with an alpha channel: a picture in
// the display's format is a copy, as SDL_DisplayFormatAlpha makes it.
extern "C" SDL_Surface* SDL_DisplayFormat(SDL_Surface* surface) {
    return SDL_ConvertSurface(surface, nullptr, 0);
}

// SDL_ttf of the browser has started when it holds the canvas it measures text with.
EM_JS(int, web_ttf_started, (), { return SDL.ttfContext ? 1 : 0; });

extern "C" int TTF_WasInit(void) {
    return web_ttf_started();
}

// The browser's SDL names every key "unknown key"; bindings need the desktop's names.
extern "C" const char* SDL_GetKeyName(SDL_Keycode key) {
    return browser_key_name(key);
}

// The browser's SDL takes the value as a whole surface's opacity, also for a picture with an
// alpha channel, where SDL 1.2 ignores it: the game's "per-pixel alpha, value 0" would draw
// nothing. Here the value counts only for a surface without an alpha channel, as in SDL 1.2,
// and a surface without SDL_SRCALPHA is copied as it is, its alpha channel with it, rather
// than blended.
EM_JS(void, web_set_blending, (SDL_Surface * surface, int blends, int opacity), {
    SDL.surfaces[surface].alpha = opacity;
    SDL.surfaces[surface].copies = !blends;
});

extern "C" int SDL_SetAlpha(SDL_Surface* surface, Uint32 flags, Uint8 alpha) {
    bool blends = (flags & SDL_SRCALPHA) != 0;
    bool per_pixel = surface->format != nullptr && surface->format->Amask != 0;
    web_set_blending(surface, blends, blends && !per_pixel ? alpha : 255);
    return 0;
}

// The canvases are what the browser draws. The browser's own blit also copied every changed
// surface whole into memory, which took most of the time to the first menu; the game reads
// pixels only after SDL_LockSurface, which makes that copy itself.
EM_JS(void, web_blit,
      (SDL_Surface * source, SDL_Surface* target, int from_x, int from_y, int to_x, int to_y, int w,
       int h),
      {
          var from = SDL.surfaces[source];
          var to = SDL.surfaces[target];
          if (from.copies) {
              to.ctx.clearRect(to_x, to_y, w, h);
          }
          var opacity = to.ctx.globalAlpha;
          to.ctx.globalAlpha = from.copies ? 1 : from.alpha / 255;
          to.ctx.drawImage(from.canvas, from_x, from_y, w, h, to_x, to_y, w, h);
          to.ctx.globalAlpha = opacity;
      });

namespace {

BlitRect clip_of(SDL_Surface* surface) {
    SDL_Rect clip;
    SDL_GetClipRect(surface, &clip);
    return BlitRect{clip.x, clip.y, clip.w, clip.h};
}

}  // namespace

extern "C" int SDL_UpperBlit(SDL_Surface* source, const SDL_Rect* from, SDL_Surface* target,
                             SDL_Rect* to) {
    BlitRect part;
    if (from != nullptr) {
        part = BlitRect{from->x, from->y, from->w, from->h};
    }
    BlitArea area =
        blit_area(source->w, source->h, from != nullptr ? &part : nullptr,
                  to != nullptr ? to->x : 0, to != nullptr ? to->y : 0, clip_of(target));
    if (to != nullptr) {
        *to = SDL_Rect{area.to.x, area.to.y, area.to.w, area.to.h};
    }
    if (area.to.w > 0) {
        web_blit(source, target, area.from.x, area.from.y, area.to.x, area.to.y, area.to.w,
                 area.to.h);
    }
    return 0;
}

// A fill sets the pixels, a transparent colour included, where the browser's SDL would paint
// the colour over them.
EM_JS(void, web_fill, (SDL_Surface * target, int x, int y, int w, int h, Uint32 colour), {
    var to = SDL.surfaces[target];
    to.ctx.save();
    to.ctx.clearRect(x, y, w, h);
    to.ctx.fillStyle = SDL.translateColorToCSSRGBA(colour);
    to.ctx.fillRect(x, y, w, h);
    to.ctx.restore();
});

extern "C" int SDL_FillRect(SDL_Surface* target, const SDL_Rect* rect, Uint32 colour) {
    BlitRect whole{0, 0, target->w, target->h};
    BlitRect part = rect != nullptr ? BlitRect{rect->x, rect->y, rect->w, rect->h} : whole;
    // The fill is a blit of a picture as large as the rectangle, cut the same way.
    BlitArea area = blit_area(part.w, part.h, nullptr, part.x, part.y, clip_of(target));
    if (area.to.w > 0) {
        web_fill(target, area.to.x, area.to.y, area.to.w, area.to.h, colour);
    }
    return 0;
}
