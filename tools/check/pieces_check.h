// Checks of the pieces file: one raw 13-byte description per line.
#pragma once

#include <string>
#include <vector>

#include "config/problems.h"

// The readable source an author made the pieces file from (tools/pieces.txt), as read.
struct PiecesSourceText {
    std::string name;
    std::string text;
};

// Where line i of a pieces file came from in its readable source.
struct PieceSource {
    std::string file;
    int line;  // the piece's "piece:" line
    std::string name;
};

// Reads the pieces file named file_name (as "pieces_file" gives it) and checks its lines.
// With a source, the source is read by the pieces tool's reader (its error reported at its
// line), and when the pieces file is what the tool makes from it, problems of a piece are
// reported at the piece's source line and name it; otherwise a warning says the file was not
// made from that source. Returns the number of lines; -1, with nothing reported, when the
// pieces file cannot be read: the caller says where it was named.
int check_pieces_file(const std::string& file_name, Report& report,
                      const PiecesSourceText* source = nullptr);

// Checks the lines of a pieces file (as pieces_file_lines splits them), reporting under
// file_name, or at sources[i] for line i + 1 when given: line length (and the byte 10 a
// description cannot hold), CR LF line endings (once), tile 0..6, offsets 0..3, blocks on one
// cell or in separate parts (warnings), looks whose offsets leave 0..3, pieces that wander as
// they turn (warning), and a file without a single usable piece.
void check_piece_lines(const std::vector<std::string>& lines, const std::string& file_name,
                       Report& report, const std::vector<PieceSource>& sources = {});
