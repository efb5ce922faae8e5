#include "watch/file_watch.h"

#include <SDL_image.h>

#include <filesystem>
#include <fstream>

#include "config/problems.h"

namespace fs = std::filesystem;

namespace {

long long stamp_of(const std::string& file) {
    std::error_code error;
    auto time = fs::last_write_time(file, error);
    if (error) {
        return -1;
    }
    // The size too: a file rewritten within the clock's resolution still tells.
    auto size = fs::file_size(file, error);
    return time.time_since_epoch().count() ^ (error ? 0 : static_cast<long long>(size) << 40);
}

// The line of the file that gives key its value (the last one), 0 when none does.
int line_of(const std::string& file, const std::string& key) {
    std::ifstream in(file);
    std::string line;
    int found = 0;
    for (int number = 1; std::getline(in, line); number++) {
        std::string name;
        std::string value;
        split_line(line, name, value);
        if (name == key) {
            found = number;
        }
    }
    return found;
}

}  // namespace

void FileWatch::watch(const std::vector<std::string>& watched, Uint32 now) {
    files = watched;
    stamps.clear();
    for (const std::string& file : files) {
        stamps.push_back(stamp_of(file));
    }
    next_look = now + watch_interval;
}

bool FileWatch::changed(Uint32 now) {
    // Signed difference: the tick count wraps after 49 days.
    if (static_cast<Sint32>(now - next_look) < 0) {
        return false;
    }
    next_look = now + watch_interval;
    bool any = false;
    for (size_t i = 0; i < files.size(); i++) {
        long long stamp = stamp_of(files[i]);
        if (stamp != stamps[i]) {
            stamps[i] = stamp;
            any = true;
        }
    }
    return any;
}

bool watching(const ConfigStore& prefs) {
    const std::string* value = prefs.find("watch_data");
    return value != nullptr && *value == "true";
}

void watch_for_this_run(ConfigStore& prefs) {
    prefs.set_unsaved("watch_data", "true");
}

std::vector<std::string> menu_files(const std::string& menu_file) {
    std::vector<std::string> files{menu_file};
    ConfigStore menu;
    if (menu.load(menu_file.c_str()) != 0) {
        return files;
    }
    for (const auto& [key, value] : menu.values()) {
        bool named = key == "background" ||
                     (key.size() > 5 && key.compare(key.size() - 5, 5, "_path") == 0);
        if (named && !value.empty()) {
            files.push_back(value);
        }
    }
    return files;
}

bool menu_file_usable(const std::string& menu_file, std::string& problem) {
    ConfigStore menu;
    if (menu.load(menu_file.c_str()) != 0) {
        problem = menu_file + ": can't be read";
        return false;
    }
    const std::string* background = menu.find("background");
    SDL_Surface* picture = background != nullptr ? IMG_Load(background->c_str()) : nullptr;
    if (picture == nullptr) {
        int line = line_of(menu_file, "background");
        problem = problem_text(Problem{menu_file, line, false,
                                       "background: couldn't load \"" +
                                           (background != nullptr ? *background : "") +
                                           "\": " + IMG_GetError()});
        return false;
    }
    SDL_FreeSurface(picture);
    return true;
}
