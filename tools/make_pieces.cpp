// make_pieces: writes the game's raw pieces file from its readable description.
// Usage: make_pieces <readable source> <pieces file>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "config/safe_file.h"
#include "tools/piece_shapes.h"

namespace {

bool read_text(const char* path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    text = contents.str();
    return in.good() || in.eof();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::printf("usage: make_pieces <readable source> <pieces file>\n");
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
