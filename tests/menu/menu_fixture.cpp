#include "tests/menu/menu_fixture.h"

#include "tests/support/test_support.h"

const char* const font_path = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

void MenuTest::SetUp() {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    screen = SDL_SetVideoMode(200, 150, 32, SDL_SWSURFACE);
    ASSERT_NE(screen, nullptr) << SDL_GetError();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    dir = make_scratch_dir(::testing::UnitTest::GetInstance()->current_test_info()->name());
}

void MenuTest::TearDown() {
    SDL_Quit();
}

std::string MenuTest::image(const std::string& file, int w, int h, Uint32 rgb) {
    std::string path = dir + "/" + file;
    SDL_Surface* surface = make_filled_surface(w, h, rgb);
    EXPECT_EQ(SDL_SaveBMP(surface, path.c_str()), 0) << SDL_GetError();
    SDL_FreeSurface(surface);
    return path;
}

std::string MenuTest::write_menu(const std::string& contents, const std::string& file) {
    std::string path = dir + "/" + file;
    write_file(path, contents);
    return path;
}

namespace {

void push(SDL_Event& event) {
    ASSERT_EQ(SDL_PushEvent(&event), 0) << SDL_GetError();
}

}  // namespace

void push_click(int x, int y, Uint8 button) {
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.button = button;
    event.button.state = SDL_PRESSED;
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

void push_key_down(SDLKey key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    push(event);
}

void push_key_up(SDLKey key) {
    SDL_Event event{};
    event.type = SDL_KEYUP;
    event.key.state = SDL_RELEASED;
    event.key.keysym.sym = key;
    push(event);
}

void push_quit() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    push(event);
}
