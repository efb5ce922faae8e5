// derevarez-check: checks a game folder's data the way the game will read it, and reports
// every problem as "file:line: message", then "N errors, M warnings".
// Usage: derevarez-check [--pieces-source FILE] [game folder]   (default: the current folder)
//        derevarez-check --keys           (every key name a binding may use)
//        derevarez-check --replay FILE... (plays each replay again on the current folder's game)
// With --pieces-source (the readable file make_pieces reads), problems of a piece are shown
// at its lines there.
// Exit status: 0 without errors (warnings allowed), 1 with errors, 2 on a usage or SDL failure;
// with --replay, 1 when a replay is not verified.
#include <SDL.h>
#include <SDL_ttf.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/safe_file.h"
#include "input/key_names.h"
#include "tools/check/data_check.h"
#include "tools/check/replays_check.h"

namespace {

// SDL fills its table of key names only when its video part starts; the dummy driver starts
// it without a display and opens no window.
bool start_libraries() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::printf("derevarez-check: cannot start SDL: %s\n", SDL_GetError());
        return false;
    }
    std::atexit(SDL_Quit);
    if (TTF_Init() != 0) {
        std::printf("derevarez-check: cannot start SDL_ttf: %s\n", TTF_GetError());
        return false;
    }
    std::atexit(TTF_Quit);
    return true;
}

// One name a line in key code order, as prefs.txt spells it, and what the key is where the
// name does not say. Returns the exit status.
int list_key_names() {
    for (const std::string& name : key_names_by_code()) {
        std::string what = key_description(name);
        std::printf(what.empty() ? "%s\n" : "%-14s %s\n", name.c_str(), what.c_str());
    }
    return 0;
}

// The readable pieces source, read before the checker enters the game folder, so that its
// name is taken from where the author is.
bool read_source(const char* path, PiecesSourceText& source) {
    source.name = path;
    return read_file_contents(path, source.text);
}

int usage() {
    std::printf(
        "usage: derevarez-check [--pieces-source FILE] [game folder]\n"
        "       derevarez-check --keys\n"
        "       derevarez-check --replay FILE...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "--replay") {
        if (args.size() < 2) {
            return usage();
        }
        return start_libraries() ? check_replays({args.begin() + 1, args.end()}) : 2;
    }
    if (args.size() == 1 && args[0] == "--keys") {
        return start_libraries() ? list_key_names() : 2;
    }
    PiecesSourceText source;
    bool has_source = args.size() >= 2 && args[0] == "--pieces-source";
    if (has_source && !read_source(args[1].c_str(), source)) {
        std::printf("derevarez-check: cannot read %s\n", args[1].c_str());
        return 2;
    }
    if (has_source) {
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() > 1 || (args.size() == 1 && args[0][0] == '-')) {
        return usage();
    }
    if (args.size() == 1 && chdir(args[0].c_str()) != 0) {
        std::printf("derevarez-check: cannot enter %s\n", args[0].c_str());
        return 2;
    }
    if (!start_libraries()) {
        return 2;
    }
    Report report;
    check_game_folder(report, has_source ? &source : nullptr);
    std::fputs(report.text().c_str(), stdout);
    return report.error_count() > 0 ? 1 : 0;
}
