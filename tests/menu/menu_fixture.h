// A headless window and a scratch folder of small images for the menu tests.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

// Opens a 32-bit 200x150 window under the dummy driver and works in a fresh scratch folder named
// after the test, which holds "back.bmp", a grey (0x404040) 200x150 background. Menu files name
// their images relative to it.
class MenuTest : public ::testing::Test {
protected:
    SDL_Surface* screen = nullptr;

    void SetUp() override;
    void TearDown() override;

    // Saves a w by h image of one colour (0xRRGGBB) as a BMP file in the scratch folder.
    void image(const std::string& file, int w, int h, Uint32 rgb);
    // Writes a menu file into the scratch folder; its name.
    std::string write_menu(const std::string& contents, const std::string& file = "menu.txt");
};

// Events for the loops to find waiting in SDL's queue.
void push_click(int x, int y, Uint8 button = SDL_BUTTON_LEFT);
void push_motion(int x, int y);
void push_key(SDLKey key, Uint8 type = SDL_KEYDOWN);
void push_quit();

// Runs code in this process and returns what it printed to standard output meanwhile.
std::string capture_stdout(const std::function<void()>& code);
