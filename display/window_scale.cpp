#include "display/window_scale.h"

#include <cstdio>

#include "compositor/scaled_window.h"
#include "display/window_mode.h"

namespace {

void show_whole_picture() {
    SDL_Surface* picture = drawing_surface();
    if (picture != nullptr) {
        SDL_Rect whole{0, 0, static_cast<Uint16>(picture->w), static_cast<Uint16>(picture->h)};
        show_scaled(&whole, 1);
    }
}

}  // namespace

int window_scale_setting(const ConfigStore& prefs) {
    const std::string* value = prefs.find("window_scale");
    if (value == nullptr || value->empty()) {
        return 0;
    }
    int asked = prefs.find_int("window_scale", smallest_scale);
    int scale = asked < smallest_scale ? smallest_scale
                                       : (asked > largest_scale ? largest_scale : asked);
    if (scale != asked || *value != int_to_text(asked)) {
        std::printf("window_scale: \"%s\" is not a whole number from %i to %i; %i is used\n",
                    value->c_str(), smallest_scale, largest_scale, scale);
        std::fflush(stdout);
    }
    return scale;
}

SDL_Surface* open_display(const ConfigStore& prefs, Uint32 flags) {
    int width = prefs.find_int("window_w", 0);
    int height = prefs.find_int("window_h", 0);
    int scale = window_scale_setting(prefs);
    if (scale == 0) {
        return SDL_SetVideoMode(width, height, 0, flags);
    }
    return open_scaled_window(width, height, scale, flags);
}

int step_window_scale(ConfigStore& prefs) {
    int old = window_scale_setting(prefs);
    old = old == 0 ? smallest_scale : old;
    int next = old >= largest_scale ? smallest_scale : old + 1;
    prefs.set("window_scale", int_to_text(next));
    if (open_display(prefs, window_flags(prefs)) == nullptr) {
        std::printf("couldn't change the window's size: %s\n", SDL_GetError());
        std::fflush(stdout);
        prefs.set("window_scale", int_to_text(old));
        open_display(prefs, window_flags(prefs));
        next = old;
    }
    show_whole_picture();
    return next;
}
