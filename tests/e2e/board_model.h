// The tests' own picture of the well: sets of cells, the shapes of pieces, where a dropped
// piece lands, and a small planner that picks a placement for each piece so that rows fill.
#pragma once

#include <vector>

#include "tests/e2e/screen_checks.h"

// cells moved by (dx, dy).
Cells shifted(const Cells& cells, int dx, int dy);
// cells moved so that the smallest column and row are 0: the shape, wherever it stands.
Cells normalised(const Cells& cells);
// The shape turned a quarter clockwise on the screen (rows grow downward), normalised.
Cells turned_right(const Cells& cells);
// The cells of a that are not in b.
Cells minus(const Cells& a, const Cells& b);
int min_column(const Cells& cells);
int min_row(const Cells& cells);
int max_row(const Cells& cells);

// Whether moved is start moved by dx columns and by 0 to max_fall rows down (the fall clock may
// have moved the piece meanwhile).
bool moved_by(const Cells& start, const Cells& moved, int dx, int min_fall, int max_fall);

struct Well {
    int columns = 0;
    int rows = 0;
    Cells settled;  // the landed blocks

    // piece dropped straight down from where it stands until a block or the floor stops it.
    Cells drop(const Cells& piece) const;
    // The rows of cells that are full.
    std::vector<int> full_rows(const Cells& cells) const;
    // cells with the full rows emptied (as the well shows right after a landing).
    Cells emptied(const Cells& cells) const;
    // cells with the empty rows closed up: every row drops by the number of emptied rows
    // below it (the next tick of the fall clock).
    Cells collapsed(const Cells& cells, const std::vector<int>& emptied_rows) const;
};

// Where to put a piece: its shape (normalised) with its left column at column.
struct Placement {
    Cells shape;
    int column = 0;
};

// The best placement of piece among its columns and, with may_turn, its four turns: rows
// completed first, then few holes, then a low stack.
Placement plan_placement(const Well& well, const Cells& piece, bool may_turn);
