#include "display/window_events.h"

#include "compositor/compositor.h"

namespace {

// The classic library repaints an uncovered window from its own copy; other SDL 1.2
// implementations only send SDL_VIDEOEXPOSE and leave the window as the other one left it.
void answer(const SDL_Event& event) {
    if (event.type == SDL_VIDEOEXPOSE) {
        show_whole_window();
    }
}

}  // namespace

int wait_event(SDL_Event* event) {
    int result = SDL_WaitEvent(event);
    if (result != 0) {
        answer(*event);
    }
    return result;
}

int poll_event(SDL_Event* event) {
    int result = SDL_PollEvent(event);
    if (result != 0) {
        answer(*event);
    }
    return result;
}

void show_whole_window() {
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (screen == nullptr) {
        return;
    }
    SDL_Rect whole{0, 0, static_cast<Uint16>(screen->w), static_cast<Uint16>(screen->h)};
    show_areas(screen, &whole, 1);
}
