// Fuzzes the menu file loader: any bytes as a menu file are loaded into a Menu (dummy video
// driver), its buttons are hovered at a few points and the menu is drawn, then it is destroyed.
// Small stand-ins for every shipped image and the DejaVu fonts lie in the working folder, so
// the shipped menus and their mutations find the files they name.
//
// A menu without a loadable background ends the program by design, so the input is followed by
// one more line naming a background that exists; being the last, it wins over any other.
#include <SDL.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "config/config_store.h"
#include "fuzz/fuzz_support.h"
#include "menu/menu.h"

namespace {

const char* const font_folder = "/usr/share/fonts/truetype/dejavu/";

void save_image(const std::string& path, int w, int h, Uint32 rgb) {
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00FF0000, 0x0000FF00,
                                              0x000000FF, 0xFF000000);
    require(image != nullptr, "cannot make an image");
    SDL_FillRect(image, nullptr, rgb | 0x80000000u);
    require(SDL_SaveBMP(image, path.c_str()) == 0, "cannot save an image");
    SDL_FreeSurface(image);
}

// A 12x8 picture (BMP bytes under the shipped name: the loader goes by content, not name) for
// every file of the shipped images folder.
void make_stand_ins() {
    namespace fs = std::filesystem;
    fs::create_directories("images");
    Uint32 colour = 0x102030;
    for (const auto& entry : fs::directory_iterator(std::string(DATA_DIR) + "/images")) {
        save_image("images/" + entry.path().filename().string(), 12, 8, colour);
        colour += 0x112233;
    }
    save_image("bg.bmp", 64, 48, 0x404040);
    for (const char* font : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"}) {
        fs::remove(font);
        fs::create_symlink(std::string(font_folder) + font, font);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    require(SDL_Init(SDL_INIT_VIDEO) == 0, "SDL_Init failed");
    require(SDL_SetVideoMode(320, 240, 32, SDL_SWSURFACE) != nullptr, "no window");
    require(chdir(scratch_folder().c_str()) == 0, "cannot enter the scratch folder");
    make_stand_ins();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string file(reinterpret_cast<const char*>(data), size);
    file += "\nbackground: bg.bmp\n";
    write_bytes("menu.txt", file.data(), file.size());

    // The preferences screen passes the preferences for %key% texts.
    ConfigStore substitutions;
    substitutions.get_string("pause_key") = "p";
    substitutions.get_string("drop_key") = "space";
    {
        Menu menu("menu.txt", &substitutions);
        require(menu.compositor.elements.size() == menu.button_rects.size() + 1,
                "elements and buttons disagree");
        for (auto [x, y] :
             {std::pair{0, 0}, std::pair{5, 5}, std::pair{160, 120}, std::pair{319, 239}}) {
            menu.update_hover(x, y);
            menu.compositor.redraw(SDL_GetVideoSurface());
        }
    }
    return 0;
}
