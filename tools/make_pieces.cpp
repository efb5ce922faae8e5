// make_pieces: writes the game's raw pieces file from its readable description, or shows
// every piece of a raw pieces file in all its looks.
// Usage: make_pieces <readable source> <pieces file>
//        make_pieces --show <pieces file>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "config/safe_file.h"
#include "tools/check/piece_view.h"
#include "tools/piece_shapes.h"

namespace {

bool read_text(const char* path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    text = contents.str();
    return in.good() || in.eof();
}

// The piece-set viewer, for checking by eye how a set turns.
int show_pieces(const char* path) {
    std::string contents;
    if (!read_text(path, contents)) {
        std::printf("make_pieces: cannot read %s\n", path);
        return 1;
    }
    std::fputs(piece_set_view(contents).c_str(), stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--show") {
        return show_pieces(argv[2]);
    }
    if (argc != 3) {
        std::printf("usage: make_pieces <readable source> <pieces file>\n"
                    "       make_pieces --show <pieces file>\n");
        return 2;
    }
    std::string text;
    if (!read_text(argv[1], text)) {
        std::printf("make_pieces: cannot read %s\n", argv[1]);
        return 1;
    }
    PiecesSource source = parse_pieces_source(text);
    if (!source.error.empty()) {
        std::printf("make_pieces: %s: %s\n", argv[1], source.error.c_str());
        return 1;
    }
    if (source.shapes.empty()) {
        std::printf("make_pieces: %s describes no piece\n", argv[1]);
        return 1;
    }
    // Written only after the whole source was understood, and through a renamed temporary
    // file, so neither a typo nor a full disk leaves the game with a broken pieces file.
    if (!replace_file_contents(argv[2], pieces_file_contents(source.shapes))) {
        std::printf("make_pieces: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("make_pieces: wrote %zu pieces to %s\n", source.shapes.size(), argv[2]);
    return 0;
}
