// The browser build's key names against the desktop's: a binding made in one works in the other.
#include "web/browser_keys.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(BrowserKeys, EveryNameIsTheDesktopsAndTheShippedKeysAreNamed) {
    // The desktop's names are set up with its video (the dummy driver here).
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    std::set<std::string> desktop;
    for (int key = SDLK_FIRST; key < SDLK_LAST; key++) {
        desktop.insert(SDL_GetKeyName(static_cast<SDLKey>(key)));
    }
    // The compatibility layer over SDL 2 spells the semicolon ");"; the browser keeps the
    // classic library's ";", which a prefs.txt written by it holds.
    if (desktop.count(");") == 1) {
        desktop.insert(";");
    }
    std::set<std::string> browser;
    for (int code = 0; code < browser_key_codes_end; code++) {
        std::string name = browser_key_name(code);
        EXPECT_EQ(desktop.count(name), 1u) << code << " is named \"" << name << "\"";
        browser.insert(name);
    }
    // Every key the shipped prefs.txt binds, and the menus' own, can be pressed in a page.
    for (const char* name : {"left", "right", "up", "down", "space", "z", "c", "p", "r", "m",
                             "escape", "return", "f11", "backspace", "[5]", "left shift"}) {
        EXPECT_EQ(browser.count(name), 1u) << name;
    }
    EXPECT_STREQ(browser_key_name(1 << 10 | 80), "left");
    EXPECT_STREQ(browser_key_name('a'), "a");
    EXPECT_STREQ(browser_key_name('A'), "unknown key");
    SDL_Quit();
}
