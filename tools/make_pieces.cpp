// make_pieces: writes the game's raw pieces file from its readable description, or shows
// every piece of a pieces file, in either form, in all its looks.
// Usage: make_pieces <readable source> <pieces file>
//        make_pieces --show <pieces file or readable source> [kicks file]
// Problems are printed as "file:line: message", like derevarez-check's.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "config/safe_file.h"
#include "kicks/kicks.h"
#include "pieces/piece_shape.h"
#include "tools/check/pieces_check.h"
#include "tools/piece_shapes.h"
#include "tools/piece_view.h"

namespace {

bool read_text(const char* path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    text = contents.str();
    return in.is_open() && !in.bad();
}

// A raw pieces file is mostly small numbers; a readable source, like any text, is mostly
// printable characters.
bool looks_raw(const std::string& contents) {
    size_t printable = 0, counted = 0;
    for (char c : contents) {
        if (c != '\n' && c != '\r') {
            counted++;
            printable += c >= 32 && c < 127;
        }
    }
    return counted > 0 && printable * 2 < counted;
}

// The kicks of the set after its looks; false (after the file's problems) when they cannot be
// used.
bool show_kicks(const char* kicks_path, const std::string& pieces_file) {
    int count = static_cast<int>(pieces_file_lines(pieces_file).size());
    KicksReading reading;
    if (!read_kicks_file(kicks_path, count, reading)) {
        std::printf("make_pieces: cannot read %s\n", kicks_path);
        return false;
    }
    for (const KicksProblem& problem : reading.problems) {
        std::printf("%s:%d: %s\n", kicks_path, problem.line, problem.message.c_str());
    }
    if (!reading.problems.empty()) {
        return false;
    }
    std::fputs(kicks_view(reading.kicks, count).c_str(), stdout);
    return true;
}

// Shows the set and, with a kicks file, its kicks.
int show_set(const std::string& pieces_file, const char* kicks_path) {
    std::fputs(piece_set_view(pieces_file).c_str(), stdout);
    return kicks_path == nullptr || show_kicks(kicks_path, pieces_file) ? 0 : 1;
}

// The piece-set viewer, for checking by eye how a set turns (and where its turns kick).
int show_pieces(const char* path, const char* kicks_path) {
    std::string contents;
    if (!read_text(path, contents)) {
        std::printf("make_pieces: cannot read %s\n", path);
        return 1;
    }
    if (looks_raw(contents)) {
        return show_set(contents, kicks_path);
    }
    PiecesSource source = parse_pieces_source(contents);
    if (!source.error.empty() || source.pieces.empty()) {
        std::printf("%s:%d: %s\n", path, source.error_line,
                    source.error.empty() ? "describes no piece" : source.error.c_str());
        std::printf(
            "make_pieces: %s is neither a pieces file of 13-byte lines nor a readable "
            "source of pieces\n",
            path);
        return 1;
    }
    return show_set(pieces_file_contents(source.pieces), kicks_path);
}

// What the game would make of the pieces, shown at their lines in the source.
void report_piece_problems(const char* source_path, const PiecesSource& source) {
    std::vector<PieceSource> places;
    for (const SourcePiece& piece : source.pieces) {
        places.push_back(PieceSource{source_path, piece.line, piece.name});
    }
    Report report;
    check_piece_lines(pieces_file_lines(pieces_file_contents(source.pieces)), source_path, report,
                      places);
    for (const Problem& problem : report.sorted()) {
        std::printf("%s\n", problem_text(problem).c_str());
    }
}

int make(const char* source_path, const char* pieces_path) {
    std::string text;
    if (!read_text(source_path, text)) {
        std::printf("make_pieces: cannot read %s\n", source_path);
        return 1;
    }
    PiecesSource source = parse_pieces_source(text);
    if (!source.error.empty()) {
        std::printf("%s:%d: %s\n", source_path, source.error_line, source.error.c_str());
        return 1;
    }
    if (source.pieces.empty()) {
        std::printf("%s: describes no piece: expected \"piece: <name>\" and its lines\n",
                    source_path);
        return 1;
    }
    // Written only after the whole source was understood, and through a renamed temporary
    // file, so neither a typo nor a full disk leaves the game with a broken pieces file.
    if (!replace_file_contents(pieces_path, pieces_file_contents(source.pieces))) {
        std::printf("make_pieces: cannot write %s\n", pieces_path);
        return 1;
    }
    report_piece_problems(source_path, source);
    std::printf("make_pieces: wrote %zu pieces to %s\n", source.pieces.size(), pieces_path);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if ((argc == 3 || argc == 4) && std::string(argv[1]) == "--show") {
        return show_pieces(argv[2], argc == 4 ? argv[3] : nullptr);
    }
    if (argc != 3) {
        std::printf(
            "usage: make_pieces <readable source> <pieces file>\n"
            "       make_pieces --show <pieces file or readable source> [kicks file]\n");
        return 2;
    }
    return make(argv[1], argv[2]);
}
