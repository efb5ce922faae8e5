#include "tools/check/prefs_check.h"

#include <iterator>
#include <map>
#include <vector>

#include "audio/sound_event.h"
#include "game/game.h"
#include "input/bindings.h"
#include "input/key_names.h"
#include "input/pad_input.h"
#include "modes/game_mode.h"
#include "settings/settings_table.h"

namespace {

// Everything read so far, so later checks only look at values that passed the earlier ones.
struct PrefsValues {
    std::map<std::string, int> numbers;       // only keys holding a usable number
    std::map<std::string, ImageSize> images;  // only images that loaded
    bool has_numbers(std::initializer_list<const char*> keys) const {
        for (const char* key : keys) {
            if (numbers.count(key) == 0) {
                return false;
            }
        }
        return true;
    }
};

void check_files_named(const CheckedFile& prefs, Report& report) {
    for (const Setting& setting : all_settings()) {
        const char* key = setting.key;
        bool file = setting.kind == SettingKind::file || setting.kind == SettingKind::menu ||
                    setting.kind == SettingKind::image;
        if (file && setting.needed && prefs.require(key, report) && prefs.value(key).empty()) {
            prefs.error(key, quoted(key) + " names no file", report);
        }
    }
}

// The sound volumes are checked with the sounds, the modes' numbers with the modes: the game
// plays those with their shipped value when they are out of range.
bool is_game_number(const Setting& setting) {
    const std::set<std::string> checked_elsewhere = {
        sound_volume_key, music_volume_key, sprint_lines_setting.key, ultra_seconds_setting.key};
    return (setting.kind == SettingKind::number || setting.kind == SettingKind::option) &&
           checked_elsewhere.count(setting.key) == 0;
}

void read_numbers(const CheckedFile& prefs, PrefsValues& values, Report& report) {
    for (const Setting& number : all_settings()) {
        int value = 0;
        if (!is_game_number(number) || (!number.needed && !prefs.has(number.key)) ||
            !prefs.read_int(number.key, number.needed, 0, value, report)) {
            continue;
        }
        if (number.min == 1 && value <= 0) {
            prefs.error(number.key,
                        quoted(number.key) + " is " + int_to_text(value) + ", must be more than 0",
                        report);
            continue;
        }
        values.numbers[number.key] = value;
        if (!number.needed && (value < number.min || value > number.max)) {
            prefs.warning(number.key,
                          quoted(number.key) + " is not " + int_to_text(number.min) + " to " +
                              int_to_text(number.max) + ": the game uses the nearer end",
                          report);
        }
    }
}

// Two actions on one key: the game tries the actions in order (the hold key last), so the
// later one never happens.
void check_shared_keys(const CheckedFile& prefs, Report& report) {
    for (size_t later = 1; later < std::size(game_actions); later++) {
        for (size_t earlier = 0; earlier < later; earlier++) {
            std::string name = prefs.value(game_actions[later]);
            if (!name.empty() && name == prefs.value(game_actions[earlier])) {
                prefs.warning(game_actions[later],
                              quoted(game_actions[later]) + " and " +
                                  quoted(game_actions[earlier]) + " share the key " + quoted(name) +
                                  ": only " + quoted(game_actions[earlier]) + " will work",
                              report);
                break;
            }
        }
    }
}

// Pad bindings ("X_pad") are read with the game's own reader; one it cannot read leaves the
// action without a pad input.
void check_pad_bindings(const CheckedFile& prefs, Report& report) {
    for (const auto& entry : prefs.store.values()) {
        const std::string& key = entry.first;
        std::vector<PadInput> inputs;
        if (key.size() < 4 || key.compare(key.size() - 4, 4, "_pad") != 0 || !prefs.has(key) ||
            parse_pad_binding(entry.second, inputs)) {
            continue;
        }
        prefs.error(key,
                    quoted(entry.second) +
                        " is not a pad input: write \"button N\", \"hat up\" (down, left, "
                        "right), \"axis N-\" or \"axis N+\", several separated by \", \"; "
                        "the game leaves this action without a pad input",
                    report);
    }
}

// The optional keys: without them the action is simply not bound. The hold key has its own
// rule, and the mute key is checked with the sounds.
void check_later_settings(const CheckedFile& prefs, const std::set<std::string>& key_names,
                          Report& report) {
    for (const std::string key : setting_keys(SettingKind::key_name, false)) {
        if (key != "hold_key" && key != mute_key && !prefs.value(key).empty()) {
            check_binding(prefs, key.c_str(), key_names, report);
        }
    }
    std::string full = prefs.value("fullscreen");
    if (prefs.has("fullscreen") && full != "true" && full != "false") {
        prefs.warning("fullscreen",
                      quoted(full) + " is neither \"true\" nor \"false\": the game opens a window",
                      report);
    }
    check_pad_bindings(prefs, report);
}

void check_bindings(const CheckedFile& prefs, const std::set<std::string>& key_names,
                    Report& report) {
    for (const char* key : setting_keys(SettingKind::key_name, true)) {
        if (prefs.require(key, report)) {
            check_binding(prefs, key, key_names, report);
        }
    }
    // A prefs.txt that offers the hold box needs its key and its place, even while it is off:
    // the player can switch it on in the preferences menu.
    if (prefs.has("hold_piece")) {
        for (const char* key : {"hold_key", "hold_x", "hold_y"}) {
            prefs.require(key, report);
        }
    }
    if (prefs.has("hold_key")) {
        check_binding(prefs, "hold_key", key_names, report);
    }
    check_later_settings(prefs, key_names, report);
    check_shared_keys(prefs, report);
}

void check_key_repeat(const CheckedFile& prefs, const PrefsValues& values, Report& report) {
    if (!values.has_numbers({"key_repeat_delay", "key_repeat_rate"})) {
        return;
    }
    int delay = values.numbers.at("key_repeat_delay");
    int rate = values.numbers.at("key_repeat_rate");
    if (delay < 0 || rate < 0) {
        const char* key = delay < 0 ? "key_repeat_delay" : "key_repeat_rate";
        prefs.error(key, quoted(key) + " is negative: SDL refuses it and keys do not repeat as set",
                    report);
    } else if (delay > 0 && rate == 0) {
        prefs.error("key_repeat_rate",
                    "\"key_repeat_rate\" is 0: a held key repeats at every pass of the game loop "
                    "(0 as \"key_repeat_delay\" switches repeating off)",
                    report);
    } else if (delay > 0 && rate < 10) {
        prefs.warning("key_repeat_rate",
                      "\"key_repeat_rate\" " + int_to_text(rate) +
                          " repeats a held key more than 100 times a second",
                      report);
    } else if (delay > 1000 || rate > 1000) {
        const char* key = delay > 1000 ? "key_repeat_delay" : "key_repeat_rate";
        prefs.warning(key, quoted(key) + " is over a second: a held key hardly repeats", report);
    }
}

void load_images(const CheckedFile& prefs, PrefsValues& values, Report& report) {
    ImageSize size{};
    for (const char* key : setting_keys(SettingKind::image, true)) {
        std::string path = prefs.value(key);
        // An empty one is already reported as missing or empty.
        if (!path.empty() && load_image_size(prefs, key, path, size, report)) {
            values.images[key] = size;
        }
    }
    // The window icon is optional: the game plays without it, so a bad one is only a warning.
    std::string icon = prefs.value("window_icon");
    if (!icon.empty()) {
        load_image_size(prefs, "window_icon", icon, size, report, "the window will have no icon");
    }
}

std::string size_text(long long w, long long h) {
    return int_to_text(static_cast<int>(w)) + " x " + int_to_text(static_cast<int>(h));
}

// The game cuts tile i from (0, i x block_size): one column of seven squares.
void check_blocks_image(const CheckedFile& prefs, const PrefsValues& values, Report& report) {
    if (values.images.count("blocks_img") == 0 || !values.has_numbers({"block_size"})) {
        return;
    }
    ImageSize image = values.images.at("blocks_img");
    long long size = values.numbers.at("block_size");
    std::string file = prefs.value("blocks_img");
    std::string what = size_text(image.w, image.h) + " pixels; seven tiles of \"block_size\" " +
                       int_to_text(static_cast<int>(size)) + " in one column are " +
                       size_text(size, 7 * size);
    if (image.w < size || image.h < 7 * size) {
        report.error(file, 0, what + ": some tiles would be cut off or missing");
    } else if (image.w != size || image.h != 7 * size) {
        report.warning(file, 0, what + ": the rest of the image is never shown");
    }
}

// Each digit glyph is one tenth of the image's height.
void check_digit_images(const CheckedFile& prefs, const PrefsValues& values, Report& report) {
    for (const char* key : {"level_font", "small_num_font"}) {
        if (values.images.count(key) == 0) {
            continue;
        }
        int height = values.images.at(key).h;
        if (height < 10 || height % 10 != 0) {
            report.error(prefs.value(key), 0,
                         "height " + int_to_text(height) +
                             " does not divide by ten: the ten digits 0 to 9 are stacked top to "
                             "bottom, each one tenth of the height");
        }
    }
}

std::string span(long long from, long long length) {
    return int_to_text(static_cast<int>(from)) + " to " +
           int_to_text(static_cast<int>(from + length));
}

// A box of the game screen at prefix_x, prefix_y: prefix_w by prefix_h, or, for a box that
// shows a piece, four blocks wide and tall.
struct Box {
    const char* what;
    const char* prefix;
    bool shows_piece;
};
const Box boxes[] = {
    {"the next piece box", "next_piece", true}, {"the hold box", "hold", true},
    {"the level box", "level", false},          {"the points box", "points", false},
    {"the lines box", "lines", false},          {"the clock's box", "time", false}};

void check_box(const CheckedFile& prefs, const PrefsValues& values, const Box& box,
               WindowSize window, Report& report) {
    std::string x = box.prefix + std::string("_x"), y = box.prefix + std::string("_y");
    std::string w = box.shows_piece ? "block_size" : box.prefix + std::string("_w");
    std::string h = box.shows_piece ? "block_size" : box.prefix + std::string("_h");
    if (values.has_numbers({x.c_str(), y.c_str(), w.c_str(), h.c_str()})) {
        long long blocks = box.shows_piece ? 4 : 1;
        check_inside(
            prefs,
            Area{box.what, x.c_str(), y.c_str(), values.numbers.at(x), values.numbers.at(y),
                 blocks * values.numbers.at(w), blocks * values.numbers.at(h)},
            window, report);
    }
}

// The paused and game-over images are centred on the board by their own size.
void check_centred_image(const CheckedFile& prefs, const PrefsValues& values, const char* key,
                         const char* what, const Area& board, WindowSize window, Report& report) {
    if (values.images.count(key) == 0) {
        return;
    }
    ImageSize image = values.images.at(key);
    long long x = board.x + board.w / 2 - image.w / 2;
    long long y = board.y + board.h / 2 - image.h / 2;
    check_inside(prefs, Area{what, key, key, x, y, image.w, image.h}, window, report);
}

void check_layout(const CheckedFile& prefs, const PrefsValues& values, WindowSize window,
                  Report& report) {
    if (!window.known) {
        return;
    }
    if (values.has_numbers({"block_size", "board_x", "board_y", "board_width", "board_height"})) {
        long long size = values.numbers.at("block_size");
        Area board{"the board",
                   "board_x",
                   "board_y",
                   values.numbers.at("board_x"),
                   values.numbers.at("board_y"),
                   values.numbers.at("board_width") * size,
                   values.numbers.at("board_height") * size};
        check_inside(prefs, board, window, report);
        check_centred_image(prefs, values, "paused_img", "the paused image", board, window, report);
        check_centred_image(prefs, values, "game_over_img", "the game-over image", board, window,
                            report);
    }
    for (const Box& box : boxes) {
        check_box(prefs, values, box, window, report);
    }
}

}  // namespace

void check_binding(const CheckedFile& prefs, const char* key,
                   const std::set<std::string>& key_names, Report& report) {
    std::string name = prefs.value(key);
    if (name.empty()) {
        prefs.error(key, quoted(key) + " is bound to no key: that action cannot be used", report);
    } else if (key_names.count(name) == 0) {
        std::string like = nearest_key_name(name, key_names);
        prefs.error(key,
                    quoted(name) + " is not a key name SDL gives" +
                        (like.empty() ? std::string() : ": did you mean " + quoted(like) + "?"),
                    report);
    }
}

void check_inside(const CheckedFile& prefs, const Area& area, WindowSize window, Report& report) {
    if (area.x < 0 || area.x + area.w > window.w) {
        prefs.error(area.x_key,
                    std::string(area.what) + " spans x " + span(area.x, area.w) +
                        ", outside the window's 0 to " + int_to_text(window.w),
                    report);
    }
    if (area.y < 0 || area.y + area.h > window.h) {
        prefs.error(area.y_key,
                    std::string(area.what) + " spans y " + span(area.y, area.h) +
                        ", outside the window's 0 to " + int_to_text(window.h),
                    report);
    }
}

void check_background_size(const CheckedFile& file, const std::string& key, int w, int h,
                           WindowSize window, Backgrounds& backgrounds, Report& report) {
    backgrounds.count++;
    if (static_cast<long long>(w) * h >
        static_cast<long long>(backgrounds.largest_w) * backgrounds.largest_h) {
        backgrounds.largest_w = w;
        backgrounds.largest_h = h;
    }
    if (!window.known) {
        return;
    }
    bool covers = w >= window.w && h >= window.h;
    backgrounds.one_covers_the_window = backgrounds.one_covers_the_window || covers;
    if (w == window.w && h == window.h) {
        return;
    }
    std::string sizes = "the background is " + size_text(w, h) + " pixels, the window " +
                        size_text(window.w, window.h);
    file.warning(
        key,
        sizes + (covers ? ": only its top left " + size_text(window.w, window.h) + " is shown"
                        : ": where it does not reach, old pictures stay on the screen"),
        report);
}

void check_window_covered(const CheckedFile& prefs, WindowSize window,
                          const Backgrounds& backgrounds, Report& report) {
    if (!window.known || backgrounds.count == 0 || backgrounds.one_covers_the_window) {
        return;
    }
    prefs.warning("window_w",
                  "the window is " + size_text(window.w, window.h) +
                      " pixels, larger than every background (the largest is " +
                      size_text(backgrounds.largest_w, backgrounds.largest_h) +
                      "): parts of it are never painted over",
                  report);
}

WindowSize check_prefs(const CheckedFile& prefs, const std::set<std::string>& key_names,
                       Backgrounds& backgrounds, Report& report) {
    PrefsValues values;
    check_files_named(prefs, report);
    read_numbers(prefs, values, report);
    check_bindings(prefs, key_names, report);
    check_key_repeat(prefs, values, report);
    load_images(prefs, values, report);
    check_blocks_image(prefs, values, report);
    check_digit_images(prefs, values, report);
    WindowSize window;
    if (values.has_numbers({"window_w", "window_h"})) {
        window = WindowSize{true, values.numbers.at("window_w"), values.numbers.at("window_h")};
    }
    check_layout(prefs, values, window, report);
    auto background = values.images.find("background_img");
    if (background != values.images.end()) {
        check_background_size(prefs, "background_img", background->second.w, background->second.h,
                              window, backgrounds, report);
    }
    return window;
}
