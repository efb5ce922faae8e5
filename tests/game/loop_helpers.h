// Helpers for the game loop and screen tests: events as SDL delivers them, and a helper thread
// that feeds events into a loop that is already running.
#pragma once

#include <SDL.h>

#include <atomic>
#include <thread>
#include <utility>

inline SDL_Event key_down(SDLKey key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    return event;
}

inline SDL_Event quit_event() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    return event;
}

// Key repeat as the game last set it: (delay, interval), (0, 0) when it is off.
inline std::pair<int, int> key_repeat() {
    int delay = -1;
    int interval = -1;
    SDL_GetKeyRepeat(&delay, &interval);
    return {delay, interval};
}

// Pushes one event from a helper thread, first after delay_ms and then every period_ms, until
// the pusher is destroyed: a blocking loop started after it is sure to receive the event, even
// if the loop discards what was queued before it began waiting.
class RepeatedPush {
public:
    RepeatedPush(SDL_Event event, Uint32 delay_ms, Uint32 period_ms)
        : stop(false), thread([this, event, delay_ms, period_ms] {
              wait(delay_ms);
              while (!stop) {
                  SDL_Event copy = event;
                  SDL_PushEvent(&copy);
                  wait(period_ms);
              }
          }) {}
    ~RepeatedPush() {
        stop = true;
        thread.join();
    }
    RepeatedPush(const RepeatedPush&) = delete;
    RepeatedPush& operator=(const RepeatedPush&) = delete;

private:
    std::atomic<bool> stop;
    std::thread thread;

    void wait(Uint32 ms) {
        for (Uint32 waited = 0; waited < ms && !stop; waited += 5) {
            SDL_Delay(5);
        }
    }
};
