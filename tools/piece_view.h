// The piece-set viewer: every piece of a pieces file in all its looks, as text pictures side
// by side, so an author sees at a glance how a set turns.
#pragma once

#include <string>

#include "kicks/kicks.h"

// The pictures of every piece in the raw contents of a pieces file, headed by a legend. For
// each line: its number, tile, how it turns, and its looks left to right in the order the
// game's turns produce them (three right turns; for an alternating piece its right turn and
// the left turn back). A block is "#", an empty cell of the 4 by 4 box ".", and the turning
// centre is marked "@" on a block or "o" on an empty cell: one cell, or the square of four
// cells whose middle the piece turns about. Looks the game refuses (an offset below 0) or
// that leave the box are labelled so. A line too short to be a piece is named, not drawn.
std::string piece_set_view(const std::string& contents);

// The kicks of every piece of a set of piece_count pieces, to read beside its looks: one line per
// turn the kicks give ("<line> <name> <from> <left|right>: <dx>,<dy> ..."), "no kicks" for a
// piece without any.
std::string kicks_view(const Kicks& kicks, int piece_count);
