// Reading a menu file into plain data, and what an author should mend in it.
#include "menu/menu_file.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <set>


const MenuKey menu_keys[] = {
    {"", "background", MenuKeyKind::file, "the backdrop picture; required"},
    {"surf", "_name", MenuKeyKind::name, "the name a picture is shown by"},
    {"surf", "_path", MenuKeyKind::file, "the picture's file"},
    {"surf", "_alpha", MenuKeyKind::flag, "\"true\": keep the picture's transparency"},
    {"font", "_name", MenuKeyKind::name, "the name texts use the font by"},
    {"font", "_path", MenuKeyKind::file, "the TrueType font file"},
    {"font", "_size", MenuKeyKind::whole_number, "the point size"},
    {"tsurf", "_name", MenuKeyKind::name, "the name a text is shown by"},
    {"tsurf", "_text", MenuKeyKind::text, "the text; %key% shows that key's value"},
    {"tsurf", "_font", MenuKeyKind::name, "the name of the font it is rendered with"},
    {"tsurf", "_color", MenuKeyKind::colour, "its colour, RRGGBB"},
    {"button", "_surf", MenuKeyKind::name, "the picture or text the button shows"},
    {"button", "_surf_over", MenuKeyKind::name, "the one it shows under the pointer"},
    {"button", "_surf_new", MenuKeyKind::name, "the one it shows on the row of a new best game"},
    {"button", "_row", MenuKeyKind::whole_number, "the best-games row the button belongs to"},
    {"button", "_x", MenuKeyKind::whole_number, "the left of the button"},
    {"button", "_y", MenuKeyKind::whole_number, "the top of the button"},
    {"button", "_rect", MenuKeyKind::rectangle, "x,y,w,h: the area that reacts, from the corner"},
    {"button", "_align", MenuKeyKind::alignment, "left, center or right within the rectangle"},
    {"button", "_return", MenuKeyKind::word, "the word a click answers"},
    {"", "navigation", MenuKeyKind::flag, "\"true\": keys and pads work the menu"},
    {"", "prompt_x", MenuKeyKind::whole_number, "the middle of the prompt line"},
    {"", "prompt_y", MenuKeyKind::whole_number, "the top of the prompt line"},
    {"", "swap_bindings", MenuKeyKind::flag, "\"true\": a key taken from another action swaps"},
    {"", "empty_text", MenuKeyKind::text, "what the best-games table shows without a game"},
    {"", "no_skin_name", MenuKeyKind::text, "what %skin_name% shows while no skin is worn"},
    {"button", "_mode", MenuKeyKind::word, "the mode whose table lights the button up"},
    {"", "points_heading", MenuKeyKind::text, "the best-games column of a table by points"},
    {"", "time_heading", MenuKeyKind::text, "the best-games column of a table by time"},
    {"", "verified_text", MenuKeyKind::text, "what %markN% shows on a row whose replay is verified"},
    {"", "mode_marathon", MenuKeyKind::text, "the title of marathon on the screen"},
    {"", "mode_sprint", MenuKeyKind::text, "the title of sprint on the screen"},
    {"", "mode_ultra", MenuKeyKind::text, "the title of ultra on the screen"},
    {"", "mode_zen", MenuKeyKind::text, "the title of zen on the screen"},
    {"", "mode_daily", MenuKeyKind::text, "the title of daily on the screen"},
};
const int menu_key_count = static_cast<int>(sizeof menu_keys / sizeof menu_keys[0]);

const char* const menu_group_prefixes[menu_group_count] = {"surf", "font", "tsurf", "button"};

// No menu screen has anywhere near this many images, fonts, texts or buttons. A count beyond it
// is a slip of the keyboard, and would make the loader run for minutes or exhaust memory.
const int menu_max_entries = 1000;

std::string menu_count_key(int group) {
    return std::string("num_") + menu_group_prefixes[group] + "s";
}

std::string menu_key(const char* prefix, int i, const char* suffix) {
    return prefix + int_to_text(i) + suffix;
}

bool file_readable(const std::string& path) {
    std::FILE* probe = std::fopen(path.c_str(), "rb");
    if (probe != nullptr) {
        std::fclose(probe);
    }
    return probe != nullptr;
}

namespace {

bool is_group_suffix(int group, const std::string& suffix) {
    for (const MenuKey& candidate : menu_keys) {
        if (menu_group_prefixes[group] == std::string(candidate.group) && suffix == candidate.key) {
            return true;
        }
    }
    return false;
}

// The walk of one file: its problems gathered in the order they are found.
class Reader {
public:
    MenuFile& menu;
    std::set<std::string> surface_names;  // every name an image or a text defines
    std::set<std::string> font_names;

    bool has(const std::string& name) const { return !name.empty() && menu.line_of(name) > 0; }

    void problem(const std::string& at, bool warning, const std::string& message) {
        menu.problems.push_back(
            Problem{menu.name, at.empty() ? 0 : menu.line_of(at), warning, message});
    }

    bool require(const std::string& name) {
        if (!has(name)) {
            problem("", false, "missing key " + quoted(name));
        }
        return has(name);
    }

    // The value of a key the entry needs; missing or empty is a problem, and gives "".
    std::string required(const std::string& name) {
        if (require(name) && menu.value(name).empty()) {
            problem(name, false, quoted(name) + " is empty");
        }
        return menu.value(name);
    }

    // Whether the key, when present (or always, when required), holds a whole number.
    bool whole_number(const std::string& name, bool needed, int& result) {
        if (!has(name)) {
            return needed ? require(name) : true;
        }
        if (!parse_int(menu.value(name), result)) {
            problem(name, false,
                    quoted(name) + " is not a whole number: " + quoted(menu.value(name)));
            return false;
        }
        return true;
    }

    // The group index of a key like "button12_x", or -1 when the key has no group's form.
    // canonical is false for an index the game never builds, such as "01".
    int group_index(const std::string& name, int group, bool& canonical) const {
        std::string prefix = menu_group_prefixes[group];
        if (name.compare(0, prefix.size(), prefix) != 0) {
            return -1;
        }
        size_t end = prefix.size();
        while (end < name.size() && std::isdigit(static_cast<unsigned char>(name[end]))) {
            end++;
        }
        std::string digits = name.substr(prefix.size(), end - prefix.size());
        if (digits.empty() || digits.size() > 6 || !is_group_suffix(group, name.substr(end))) {
            return -1;
        }
        canonical = digits[0] != '0';
        return std::stoi(digits);
    }

    int last_index(int group) const {
        int last = 0;
        for (const std::string& line_key : menu.config.order()) {
            bool canonical = true;
            int index = group_index(line_key, group, canonical);
            if (canonical && index > last) {
                last = index;
            }
        }
        return last;
    }

    // A count far past the last entry would bury the report in missing keys; the entries that
    // are not there at all are reported once and not looked at.
    void read_count(int group) {
        std::string name = menu_count_key(group);
        const char* prefix = menu_group_prefixes[group];
        int count = 0;
        if (whole_number(name, false, count) && count < 0) {
            problem(name, true, quoted(name) + " is negative: no " + prefix + " entry is read");
        }
        int last = last_index(group);
        if (count > last) {
            std::string missing = menu_key(prefix, last + 1, "");
            if (count > last + 1) {
                missing += " to " + menu_key(prefix, count, "");
            }
            problem(name, true,
                    quoted(name) + " is " + int_to_text(count) + ", but the file has no key of " +
                        missing);
            count = last;
        }
        menu.checked[group] = count;
        menu.declared[group] = menu.config.find_int(name, 0);
        menu.counts[group] = std::max(0, std::min(menu.declared[group], menu_max_entries));
    }

    // Keys of a group that the game never reads because of the count or their numbering.
    void check_indexes() {
        std::set<std::string> seen;
        for (const std::string& line_key : menu.config.order()) {
            if (line_key.empty() || !seen.insert(line_key).second) {
                continue;
            }
            for (int group = 0; group < menu_group_count; group++) {
                bool canonical = true;
                int index = group_index(line_key, group, canonical);
                if (index < 0) {
                    continue;
                }
                std::string why =
                    !canonical || index < 1
                        ? std::string(menu_group_prefixes[group]) +
                              " entries are numbered 1, 2, 3, ... without leading zeros"
                        : quoted(menu_count_key(group)) + " is " + int_to_text(menu.checked[group]);
                if (!canonical || index < 1 || index > menu.checked[group]) {
                    problem(line_key, true, quoted(line_key) + " is never read: " + why);
                }
            }
        }
    }

    size_t entries(int group) const {
        return static_cast<size_t>(std::max(menu.counts[group], menu.checked[group]));
    }

    bool checked(int group, int i) const { return i <= menu.checked[group]; }

    void read_images() {
        for (int i = 1; i <= static_cast<int>(entries(image_group)); i++) {
            MenuImage image;
            image.name = checked(image_group, i) ? required(menu_key("surf", i, "_name"))
                                                 : menu.value(menu_key("surf", i, "_name"));
            image.path = checked(image_group, i) ? required(menu_key("surf", i, "_path"))
                                                 : menu.value(menu_key("surf", i, "_path"));
            image.alpha = menu.value(menu_key("surf", i, "_alpha")) == "true";
            if (checked(image_group, i) && !image.name.empty()) {
                surface_names.insert(image.name);
            }
            menu.images.push_back(image);
        }
    }

    void read_fonts() {
        for (int i = 1; i <= static_cast<int>(entries(font_group)); i++) {
            MenuFont font;
            font.size = menu.config.find_int(menu_key("font", i, "_size"), 0);
            if (!checked(font_group, i)) {
                font.name = menu.value(menu_key("font", i, "_name"));
                font.path = menu.value(menu_key("font", i, "_path"));
                menu.fonts.push_back(font);
                continue;
            }
            font.name = required(menu_key("font", i, "_name"));
            int size = 0;
            font.size_read = whole_number(menu_key("font", i, "_size"), true, size);
            font.path = required(menu_key("font", i, "_path"));
            if (!font.name.empty()) {
                font_names.insert(font.name);
            }
            if (!font.path.empty() && font.size_read && size <= 0) {
                problem(menu_key("font", i, "_size"), false,
                        "font size " + int_to_text(size) + " must be more than 0");
            }
            if (!font.path.empty() && font.size_read && size > max_font_size) {
                problem(menu_key("font", i, "_size"), false,
                        "font size " + int_to_text(size) + " must be at most " +
                            int_to_text(max_font_size));
            }
            menu.fonts.push_back(font);
        }
    }

    void read_texts() {
        for (int i = 1; i <= static_cast<int>(entries(text_group)); i++) {
            MenuText text{menu.value(menu_key("tsurf", i, "_name")),
                          menu.value(menu_key("tsurf", i, "_text")),
                          menu.value(menu_key("tsurf", i, "_font")),
                          menu.value(menu_key("tsurf", i, "_color"))};
            if (checked(text_group, i)) {
                check_text(i, text);
            }
            menu.texts.push_back(text);
        }
    }

    void check_text(int i, const MenuText& text) {
        required(menu_key("tsurf", i, "_name"));
        required(menu_key("tsurf", i, "_text"));
        std::string colour_key = menu_key("tsurf", i, "_color");
        if (require(colour_key) && !is_colour(text.colour)) {
            problem(colour_key, false,
                    "colour " + quoted(text.colour) + " is not six hexadecimal digits RRGGBB");
        }
        if (!text.name.empty()) {
            surface_names.insert(text.name);
        }
        std::string font_key = menu_key("tsurf", i, "_font");
        if (!required(font_key).empty() && font_names.count(text.font) == 0) {
            problem(font_key, false,
                    quoted(text.font) + " is the name of no font: the text is not shown");
        }
    }

    static bool is_colour(const std::string& text) {
        bool digits = text.size() == 6;
        for (char c : text) {
            digits = digits && std::isxdigit(static_cast<unsigned char>(c));
        }
        return digits;
    }

    void read_buttons() {
        for (int i = 1; i <= static_cast<int>(entries(button_group)); i++) {
            std::string prefix = menu_key("button", i, "");
            MenuButton button;
            button.surf = menu.value(prefix + "_surf");
            button.surf_over = menu.value(prefix + "_surf_over");
            button.word = menu.value(prefix + "_return");
            button.align = menu.value(prefix + "_align");
            button.x = menu.config.find_int(prefix + "_x", 0);
            button.y = menu.config.find_int(prefix + "_y", 0);
            std::string rect = menu.value(prefix + "_rect");
            button.framed = !rect.empty();
            button.rect = parse_rect(rect);
            button.rect_read = is_rect(rect);
            if (checked(button_group, i)) {
                check_button(prefix, button);
            }
            menu.buttons.push_back(button);
        }
    }

    void check_button(const std::string& prefix, MenuButton& button) {
        int number = 0;
        button.placed = whole_number(prefix + "_x", true, number);
        button.placed = whole_number(prefix + "_y", true, number) && button.placed;
        for (const char* shown : {"_surf", "_surf_over", "_surf_new"}) {
            std::string name = menu.value(prefix + shown);
            if (!name.empty() && surface_names.count(name) == 0) {
                problem(prefix + shown, false,
                        quoted(name) +
                            " is defined by no surf or tsurf entry: the button shows "
                            "nothing there");
            }
        }
        if (button.placed && button.framed && !button.rect_read) {
            problem(prefix + "_rect", false,
                    "rectangle " + quoted(menu.value(prefix + "_rect")) +
                        " is not four whole numbers x,y,w,h (w and h not negative)");
        }
        SDL_Rect unused{};
        if (button.placed && (!button.framed || button.rect_read) && !button.align.empty() &&
            !align_in_frame(button.align, unused, 0, 0, unused)) {
            problem(prefix + "_align", false,
                    quoted(button.align) +
                        " is no alignment: use \"left\", \"center\" or \"right\" (the surface "
                        "then sits at its corner)");
        }
    }

    // "x,y,w,h": four whole numbers in 16 bits, the size not negative.
    static bool is_rect(const std::string& text) {
        std::vector<std::string> fields;
        size_t start = 0;
        for (size_t comma = text.find(','); comma != std::string::npos;
             comma = text.find(',', start)) {
            fields.push_back(text.substr(start, comma - start));
            start = comma + 1;
        }
        fields.push_back(text.substr(start));
        bool good = fields.size() == 4;
        for (size_t f = 0; good && f < 4; f++) {
            int value = 0;
            good = parse_int(fields[f], value) && value >= -32768 && value <= 32767 &&
                   (f < 2 || value >= 0);
        }
        return good;
    }

    // "navigation: true" lets the keyboard and pads work the menu; any other value does not.
    void check_settings() {
        if (has("navigation") && menu.value("navigation") != "true") {
            problem("navigation", true,
                    quoted(menu.value("navigation")) +
                        " is not \"true\": keys and pads do nothing in this menu");
        }
        int number = 0;
        for (const char* place : {"prompt_x", "prompt_y"}) {
            whole_number(place, false, number);
        }
    }
};

}  // namespace

int MenuFile::line_of(const std::string& key) const {
    return config.line_of(key);
}

std::string MenuFile::value(const std::string& key) const {
    const std::string* found = config.find(key);
    return found == nullptr ? std::string() : *found;
}

bool read_menu_file(const std::string& file_name, MenuFile& menu) {
    ConfigStore config;
    if (config.load(file_name.c_str()) != 0) {
        menu.name = file_name;
        return false;
    }
    menu = describe_menu(file_name, config);
    return true;
}

MenuFile describe_menu(const std::string& name, const ConfigStore& config) {
    MenuFile menu;
    menu.name = name;
    menu.config = config;
    Reader reader{menu, {}, {}};
    menu.background = menu.value("background");
    reader.require("background");
    for (int group = 0; group < menu_group_count; group++) {
        reader.read_count(group);
    }
    reader.check_indexes();
    reader.read_images();
    reader.read_fonts();
    reader.read_texts();
    reader.read_buttons();
    reader.check_settings();
    return menu;
}

ButtonPlace place_button(const MenuButton& button, bool has_surface, int w, int h) {
    // Without a "_rect" the button is hit on its normal surface; a button with neither has an
    // empty rectangle at its corner, which no click can reach.
    SDL_Rect rect{0, 0, 0, 0};
    if (button.framed) {
        rect = button.rect;
    } else if (has_surface) {
        rect = SDL_Rect{0, 0, static_cast<Uint16>(w), static_cast<Uint16>(h)};
    }
    // Screen coordinates are 16 bits: the position wraps like the rectangle does.
    rect.x = static_cast<Sint16>(rect.x + static_cast<Sint16>(button.x));
    rect.y = static_cast<Sint16>(rect.y + static_cast<Sint16>(button.y));
    ButtonPlace place{button.x, button.y, rect};
    // An aligned surface is placed in the rectangle (or by the point, without one), so a
    // renamed label stays on its plate; without "_align" the corner is "_x", "_y".
    SDL_Rect frame = button.framed ? rect : SDL_Rect{rect.x, rect.y, 0, 0};
    SDL_Rect area{};
    if (has_surface && align_in_frame(button.align, frame, w, h, area)) {
        place.x = area.x;
        place.y = area.y;
        place.hit = button.framed ? rect : area;
    }
    return place;
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
        fields[complete] = leading_int(text.substr(start, comma - start));
        start = comma + 1;
    }
    // The last field runs to the end of the text, but only once all three commas were found.
    if (complete == 3) {
        fields[3] = leading_int(text.substr(start));
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

bool parse_int(const std::string& text, int& result) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        i++;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        i++;
    }
    if (i == text.size()) {
        return false;
    }
    long long number = 0;
    for (; i < text.size(); i++) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            return false;
        }
        number = number * 10 + (text[i] - '0');
        if (number > static_cast<long long>(INT_MAX) + 1) {
            return false;
        }
    }
    number = negative ? -number : number;
    if (number > INT_MAX || number < INT_MIN) {
        return false;
    }
    result = static_cast<int>(number);
    return true;
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}
