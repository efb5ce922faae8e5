// Live reload for authors: with "watch_data: true" in prefs.txt (or derevarez --watch) the
// screen on show looks at its files twice a second and is built again when one changes.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "config/config_store.h"

// How often the files are looked at, in milliseconds.
const Uint32 watch_interval = 500;

class FileWatch {
public:
    std::vector<std::string> files;
    // Each file's last change as last seen (a missing file counts as one state of its own).
    std::vector<long long> stamps;
    Uint32 next_look = 0;

    // Watches files from now on, taking their state as it is at now.
    void watch(const std::vector<std::string>& watched, Uint32 now);

    // True when now has reached the next look and some file changed (was written, made or
    // removed) since it was last seen; the change is then taken as seen. Looks at no file
    // before the next look is due.
    bool changed(Uint32 now);
};

// Whether prefs asks for live reload: "watch_data: true".
bool watching(const ConfigStore& prefs);

// Switches live reload on for this run only: prefs reads "watch_data: true", but saving it
// writes the player's own line (or none) back.
void watch_for_this_run(ConfigStore& prefs);

// The files a menu file's screen is built from: the file itself, its background, pictures and
// fonts. An unreadable menu file gives only itself.
std::vector<std::string> menu_files(const std::string& menu_file);

// Whether a menu can be built from menu_file without ending the program: the file reads and its
// background loads. When not, problem names the file (with the line, where one applies) and why.
bool menu_file_usable(const std::string& menu_file, std::string& problem);
