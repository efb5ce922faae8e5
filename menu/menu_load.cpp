// Building a menu from its file: background, images, fonts, rendered texts and buttons.
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>

#include "menu/menu.h"
#include "menu/menu_file.h"

namespace {

// A menu that cannot show its background, or cannot start text rendering, cannot be shown at
// all: the message has been printed, the program ends.
[[noreturn]] void end_program() {
    std::exit(1);
}

// The number of entries of a group the game builds, with a message when the file asks for
// more than it ever builds.
int entry_count(const MenuFile& file, int group) {
    if (file.declared[group] > menu_max_entries) {
        std::printf("menu \"%s\" is %i, more than %i: only the first %i are read\n",
                    menu_count_key(group).c_str(), file.declared[group], menu_max_entries,
                    menu_max_entries);
    }
    return file.counts[group];
}

// Fonts by name, open only while the texts are rendered; a null entry means the font could not
// be opened.
using Fonts = std::map<std::string, TTF_Font*>;

Fonts open_fonts(const MenuFile& file) {
    Fonts fonts;
    int count = entry_count(file, font_group);
    if (count > 0) {
        init_text_rendering();
    }
    for (int i = 0; i < count; ++i) {
        const MenuFont& font = file.fonts[i];
        // An unreadable font file is skipped without a word: the texts that need it simply
        // stay empty.
        if (!file_readable(font.path) || fonts[font.name] != nullptr) {
            continue;
        }
        if (font.size <= max_font_size) {
            fonts[font.name] = TTF_OpenFont(font.path.c_str(), font.size);
        }
        if (fonts[font.name] == nullptr) {
            std::printf("couldn't load font \"%s\" from file \"%s\"\n", font.name.c_str(),
                        font.path.c_str());
        }
    }
    return fonts;
}

// Every text is rendered once, while the menu is built: the open fonts (their faces, tables and
// glyph caches) would only hold memory for as long as the menu lives.
void close_fonts(const Fonts& fonts) {
    for (const auto& entry : fonts) {
        if (entry.second != nullptr) {
            TTF_CloseFont(entry.second);
        }
    }
}

}  // namespace

Menu::Menu(const char* file_name, ConfigStore* substitutions) : source_file(file_name) {
    MenuFile file;
    if (!read_menu_file(file_name, file)) {
        std::printf("couldn't load menu file: %s\n", file_name);
        end_program();
    }
    load_background(file.background);
    load_images(file);
    Fonts fonts = open_fonts(file);
    load_texts(file, substitutions, fonts);
    close_fonts(fonts);
    load_buttons(file);
    // Running the menu reads its words and hover names from the file's keys.
    config = std::move(file.config);
}

void Menu::load_background(const std::string& path) {
    SDL_Surface* image = IMG_Load(path.c_str());
    if (image == nullptr) {
        std::printf("couldn't load menu background: %s\n", path.c_str());
        end_program();
    }
    background_surface = SDL_DisplayFormat(image);
    if (background_surface == nullptr) {
        std::printf("couldn't convert menu background to display format\n");
        end_program();
    }
    SDL_FreeSurface(image);
    compositor.add(Element("background", background_surface, 0, 0));
}

void Menu::load_images(const MenuFile& file) {
    int count = entry_count(file, image_group);
    for (int i = 0; i < count; ++i) {
        const MenuImage& image = file.images[i];
        // The first definition of a name that produced a surface stays.
        if (surfaces[image.name] != nullptr) {
            continue;
        }
        load_image(image.name, image.path, image.alpha);
    }
}

void Menu::load_image(const std::string& name, const std::string& path, bool alpha) {
    SDL_Surface* image = IMG_Load(path.c_str());
    if (image == nullptr) {
        std::printf("couldn't load menu image %s: %s\n", name.c_str(), path.c_str());
        return;
    }
    SDL_Surface* converted = nullptr;
    if (alpha) {
        converted = SDL_DisplayFormatAlpha(image);
        if (converted != nullptr) {
            SDL_SetAlpha(converted, SDL_SRCALPHA | SDL_RLEACCEL, 0);
        }
    } else {
        converted = SDL_DisplayFormat(image);
    }
    SDL_FreeSurface(image);
    surfaces[name] = converted;
    if (converted == nullptr) {
        std::printf("couln't convert %s to display format\n", name.c_str());
    }
}

void Menu::load_texts(const MenuFile& file, ConfigStore* substitutions, Fonts& fonts) {
    int count = entry_count(file, text_group);
    for (int i = 0; i < count; ++i) {
        const MenuText& entry = file.texts[i];
        // Substituted even when the text is then skipped: the look-up is what adds a missing
        // key to the substitutions store.
        std::string text = substitute_keys(entry.text, substitutions);
        if (surfaces[entry.name] == nullptr && fonts[entry.font] != nullptr) {
            surfaces[entry.name] =
                TTF_RenderText_Blended(fonts[entry.font], text.c_str(), parse_color(entry.colour));
        }
    }
}

void Menu::load_buttons(const MenuFile& file) {
    int count = entry_count(file, button_group);
    for (int i = 0; i < count; ++i) {
        const MenuButton& button = file.buttons[i];
        SDL_Surface* normal = surfaces[button.surf];
        ButtonPlace place = normal == nullptr ? place_button(button, false, 0, 0)
                                              : place_button(button, true, normal->w, normal->h);
        button_rects.push_back(place.hit);
        compositor.add(Element("button" + int_to_text(i + 1), normal, place.x, place.y));
    }
}

std::string substitute_keys(const std::string& text, ConfigStore* substitutions) {
    if (substitutions == nullptr) {
        return text;
    }
    std::string result;
    bool inside = false;
    size_t start = 0;
    for (size_t percent = text.find('%'); percent != std::string::npos;
         percent = text.find('%', start)) {
        std::string segment = text.substr(start, percent - start);
        result += inside ? substitutions->get_string(segment) : segment;
        start = percent + 1;
        inside = !inside;
    }
    return result + text.substr(start);
}

SDL_Color parse_color(const std::string& text) {
    SDL_Color colour{0, 0, 0, 0};
    if (text.size() < 6) {
        return colour;
    }
    auto component = [&text](size_t at) {
        return static_cast<Uint8>(std::strtol(text.substr(at, 2).c_str(), nullptr, 16) & 0xFF);
    };
    colour.r = component(0);
    colour.g = component(2);
    colour.b = component(4);
    return colour;
}

void init_text_rendering() {
    if (TTF_WasInit()) {
        return;
    }
    if (TTF_Init() == -1) {
        std::printf(
            "Oh no! we can't render text! i asked, but all they said was: %s - those bastards!\n",
            SDL_GetError());
        end_program();
    }
    std::atexit(TTF_Quit);
}
