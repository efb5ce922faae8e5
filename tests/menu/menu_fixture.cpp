#include "tests/menu/menu_fixture.h"

#include <cstdio>
#include <filesystem>

#include "tests/support/test_support.h"

void MenuTest::SetUp() {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    screen = SDL_SetVideoMode(200, 150, 32, SDL_SWSURFACE);
    ASSERT_NE(screen, nullptr) << SDL_GetError();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    std::filesystem::current_path(
        make_scratch_dir(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    image("back.bmp", 200, 150, 0x404040);
}

void MenuTest::TearDown() {
    SDL_Quit();
}

void MenuTest::image(const std::string& file, int w, int h, Uint32 rgb) {
    SDL_Surface* surface = make_filled_surface(w, h, rgb);
    EXPECT_EQ(SDL_SaveBMP(surface, file.c_str()), 0) << SDL_GetError();
    SDL_FreeSurface(surface);
}

std::string MenuTest::write_menu(const std::string& contents, const std::string& file) {
    write_file(file, contents);
    return file;
}

static void push(SDL_Event& event) {
    ASSERT_EQ(SDL_PushEvent(&event), 0) << SDL_GetError();
}

void push_click(int x, int y, Uint8 button) {
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = button;
    event.button.x = static_cast<Uint16>(x);
    event.button.y = static_cast<Uint16>(y);
    push(event);
}

void push_motion(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = static_cast<Uint16>(x);
    event.motion.y = static_cast<Uint16>(y);
    push(event);
}

void push_key(SDLKey key, Uint8 type) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;
    push(event);
}

void push_quit() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    push(event);
}

std::string capture_stdout(const std::function<void()>& code) {
    std::fflush(stdout);
    testing::internal::CaptureStdout();
    code();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}
