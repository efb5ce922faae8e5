// Checks of the pieces file: one raw 13-byte description per line.
#pragma once

#include <string>
#include <vector>

#include "tools/check/report.h"

// Reads the pieces file named file_name (as "pieces_file" gives it) and checks its lines.
// False, with nothing reported, when the file cannot be read: the caller says where it was named.
bool check_pieces_file(const std::string& file_name, Report& report);

// Checks the lines of a pieces file (as pieces_file_lines splits them), reporting under
// file_name: line length (and the byte 10 a description cannot hold), tile 0..6, offsets 0..3,
// blocks on one cell or apart (warnings), looks whose offsets leave 0..3, pieces that wander
// as they turn (warning), and a file without a single usable piece.
void check_piece_lines(const std::vector<std::string>& lines, const std::string& file_name,
                       Report& report);
