// Fuzzes the menu file loader: any bytes as a menu file are loaded, hovered at a few points
// and drawn. Stand-ins for every shipped image and the fonts let the shipped menus and their
// mutations find the files they name. A menu without a background ends the program by design,
// so a last line names one that exists.
#include <cstdint>
#include <filesystem>
#include <string>

#include "config/config_store.h"
#include "fuzz/fuzz_support.h"
#include "menu/menu.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    namespace fs = std::filesystem;
    start_video(320, 240);
    // BMP bytes under each shipped image's name: the loader goes by content.
    fs::create_directories("images");
    int width = 12;
    for (const auto& entry : fs::directory_iterator(std::string(DATA_DIR) + "/images")) {
        save_strip("images/" + entry.path().filename().string(), width++, 8, 1);
    }
    save_strip("bg.bmp", 64, 48, 1);
    for (const char* font : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"}) {
        fs::remove(font);
        fs::create_symlink(std::string("/usr/share/fonts/truetype/dejavu/") + font, font);
    }
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
    Menu menu("menu.txt", &substitutions);
    require(menu.compositor.elements.size() == menu.button_rects.size() + 1,
            "elements and buttons disagree");
    for (auto [x, y] :
         {std::pair{0, 0}, std::pair{5, 5}, std::pair{160, 120}, std::pair{319, 239}}) {
        menu.update_hover(x, y);
        menu.compositor.redraw(SDL_GetVideoSurface());
    }
    return 0;
}
