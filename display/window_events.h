// Taking the window's events. Every screen waits and polls through these, so a window that
// was covered and uncovered is shown again whatever screen is up.
#pragma once

#include <SDL.h>

// SDL_WaitEvent, and when the event taken is SDL_VIDEOEXPOSE, the whole display surface is sent
// to the window again from the picture it holds (nothing is redrawn) before the event is
// returned. Returns SDL_WaitEvent's result: 0 when waiting failed, event then unset.
int wait_event(SDL_Event* event);

// SDL_PollEvent, answering SDL_VIDEOEXPOSE as wait_event does. 0 when no event was queued.
int poll_event(SDL_Event* event);

// Sends the whole display surface to the window as it stands; nothing without a window.
void show_whole_window();
