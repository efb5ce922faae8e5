// Building a menu from its file: background, images, fonts, rendered texts and buttons.
#include <SDL_image.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "menu/menu.h"

namespace {

// The leading decimal number of text, read the way the configuration store reads integers.
int text_to_int(const std::string& text) {
    long number = std::strtol(text.c_str(), nullptr, 10);
    if (number > INT_MAX) {
        return INT_MAX;
    }
    if (number < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(number);
}

std::string key(const char* prefix, int i, const char* suffix) {
    return prefix + int_to_text(i) + suffix;
}

// No menu screen has anywhere near this many images, fonts, texts or buttons. A count beyond it
// is a slip of the keyboard, and would make the loader run for minutes or exhaust memory.
const int max_entries = 1000;

// The integer of a group's count key, cut to max_entries with a message when it is larger.
int entry_count(ConfigStore& config, const char* count_key) {
    int count = config.get_int(count_key);
    if (count > max_entries) {
        std::printf("menu \"%s\" is %i, more than %i: only the first %i are read\n", count_key,
                    count, max_entries, max_entries);
        return max_entries;
    }
    return count;
}

// A menu that cannot show its background, or cannot start text rendering, cannot be shown at
// all: the message has been printed, the program ends.
[[noreturn]] void end_program() {
    std::exit(1);
}

}  // namespace

Menu::Menu(const char* file_name, ConfigStore* substitutions) {
    load_file(file_name);
    load_background();
    load_images();
    load_fonts();
    load_texts(substitutions);
    close_fonts();
    load_buttons();
}

void Menu::load_file(const char* file_name) {
    if (config.load(file_name) != 0) {
        std::printf("couldn't load menu file: %s\n", file_name);
        end_program();
    }
}

void Menu::load_background() {
    const std::string& path = config.get_string("background");
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

void Menu::load_images() {
    int count = entry_count(config, "num_surfs");
    for (int i = 1; i <= count; ++i) {
        std::string name = config.get_string(key("surf", i, "_name"));
        // The first definition of a name that produced a surface stays.
        if (surfaces[name] != nullptr) {
            continue;
        }
        load_image(name, config.get_string(key("surf", i, "_path")),
                   config.get_string(key("surf", i, "_alpha")) == "true");
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

void Menu::load_fonts() {
    int count = entry_count(config, "num_fonts");
    if (count > 0) {
        init_text_rendering();
    }
    for (int i = 1; i <= count; ++i) {
        std::string name = config.get_string(key("font", i, "_name"));
        std::string path = config.get_string(key("font", i, "_path"));
        int size = config.get_int(key("font", i, "_size"));
        // An unreadable font file is skipped without a word: the texts that need it simply
        // stay empty.
        std::FILE* probe = std::fopen(path.c_str(), "rb");
        if (probe == nullptr) {
            continue;
        }
        std::fclose(probe);
        if (fonts[name] != nullptr) {
            continue;
        }
        fonts[name] = TTF_OpenFont(path.c_str(), size);
        if (fonts[name] == nullptr) {
            std::printf("couldn't load font \"%s\" from file \"%s\"\n", name.c_str(), path.c_str());
        }
    }
}

void Menu::load_texts(ConfigStore* substitutions) {
    int count = entry_count(config, "num_tsurfs");
    for (int i = 1; i <= count; ++i) {
        std::string name = config.get_string(key("tsurf", i, "_name"));
        // Substituted even when the text is then skipped: the look-up is what adds a missing
        // key to the substitutions store.
        std::string text =
            substitute_keys(config.get_string(key("tsurf", i, "_text")), substitutions);
        std::string font = config.get_string(key("tsurf", i, "_font"));
        std::string colour = config.get_string(key("tsurf", i, "_color"));
        if (surfaces[name] == nullptr && fonts[font] != nullptr) {
            surfaces[name] = TTF_RenderText_Blended(fonts[font], text.c_str(), parse_color(colour));
        }
    }
}

void Menu::close_fonts() {
    // Every text is rendered once, here: the open fonts (their faces, tables and glyph caches)
    // would only hold memory for as long as the menu lives.
    for (auto& entry : fonts) {
        if (entry.second != nullptr) {
            TTF_CloseFont(entry.second);
            entry.second = nullptr;
        }
    }
}

void Menu::load_buttons() {
    int count = entry_count(config, "num_buttons");
    for (int i = 1; i <= count; ++i) {
        std::string prefix = "button" + int_to_text(i);
        SDL_Surface* normal = surfaces[config.get_string(prefix + "_surf")];
        int x = config.get_int(prefix + "_x");
        int y = config.get_int(prefix + "_y");
        const std::string& rect_text = config.get_string(prefix + "_rect");
        // Without a "_rect" the button is hit on its normal surface; a button with neither has
        // an empty rectangle at its corner, which no click can reach.
        SDL_Rect rect{0, 0, 0, 0};
        if (!rect_text.empty()) {
            rect = parse_rect(rect_text);
        } else if (normal != nullptr) {
            SDL_GetClipRect(normal, &rect);
        }
        // Screen coordinates are 16 bits: the position wraps like the rectangle does.
        rect.x = static_cast<Sint16>(rect.x + static_cast<Sint16>(x));
        rect.y = static_cast<Sint16>(rect.y + static_cast<Sint16>(y));
        // An aligned surface is placed in the rectangle (or by the point, without one), so a
        // renamed label stays on its plate; without "_align" the corner is "_x", "_y".
        SDL_Rect frame = rect_text.empty() ? SDL_Rect{rect.x, rect.y, 0, 0} : rect;
        SDL_Rect area{};
        if (normal != nullptr && align_in_frame(config.get_string(prefix + "_align"), frame,
                                                normal->w, normal->h, area)) {
            x = area.x;
            y = area.y;
            rect = rect_text.empty() ? area : rect;
        }
        button_rects.push_back(rect);
        compositor.add(Element(prefix, normal, x, y));
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

SDL_Rect parse_rect(const std::string& text) {
    int fields[4] = {0, 0, 0, 0};
    size_t start = 0;
    int complete = 0;
    for (; complete < 3; ++complete) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos) {
            break;
        }
        fields[complete] = text_to_int(text.substr(start, comma - start));
        start = comma + 1;
    }
    // The last field runs to the end of the text, but only once all three commas were found.
    if (complete == 3) {
        fields[3] = text_to_int(text.substr(start));
    }
    return SDL_Rect{static_cast<Sint16>(fields[0]), static_cast<Sint16>(fields[1]),
                    static_cast<Uint16>(fields[2]), static_cast<Uint16>(fields[3])};
}

bool align_in_frame(const std::string& align, const SDL_Rect& frame, int w, int h, SDL_Rect& area) {
    int x = 0;
    if (align == "left") {
        x = frame.x;
    } else if (align == "center") {
        x = frame.x + (frame.w - w) / 2;
    } else if (align == "right") {
        x = frame.x + frame.w - w;
    } else {
        return false;
    }
    int y = frame.y + (frame.h - h) / 2;
    area = SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w),
                    static_cast<Uint16>(h)};
    return true;
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
