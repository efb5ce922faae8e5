#include "tests/e2e/board_model.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

bool fits(const Well& well, const Cells& piece) {
    for (const Cell& cell : piece) {
        if (cell.first < 0 || cell.first >= well.columns || cell.second >= well.rows ||
            well.settled.count(cell) != 0) {
            return false;
        }
    }
    return true;
}

// Empty cells with a block somewhere above them in the same column.
int holes(const Well& well, const Cells& cells) {
    int count = 0;
    for (int column = 0; column < well.columns; ++column) {
        bool covered = false;
        for (int row = 0; row < well.rows; ++row) {
            bool filled = cells.count(Cell(column, row)) != 0;
            count += covered && !filled ? 1 : 0;
            covered = covered || filled;
        }
    }
    return count;
}

std::vector<int> heights(const Well& well, const Cells& cells) {
    std::vector<int> height(static_cast<size_t>(well.columns), 0);
    for (const Cell& cell : cells) {
        int& h = height[static_cast<size_t>(cell.first)];
        h = std::max(h, well.rows - cell.second);
    }
    return height;
}

// The usual measures of a well for a placing player: rows completed are good; height, holes
// and steps between neighbouring columns are bad (weights in thousandths).
int score(const Well& well, const Cells& landed) {
    Cells all = well.settled;
    all.insert(landed.begin(), landed.end());
    int completed = static_cast<int>(well.full_rows(all).size());
    std::vector<int> height = heights(well, all);
    int total = 0;
    int bumps = 0;
    for (size_t column = 0; column < height.size(); ++column) {
        total += height[column];
        if (column > 0) {
            bumps += std::abs(height[column] - height[column - 1]);
        }
    }
    return completed * 760 - total * 510 - holes(well, all) * 360 - bumps * 180;
}

}  // namespace

Cells shifted(const Cells& cells, int dx, int dy) {
    Cells moved;
    for (const Cell& cell : cells) {
        moved.insert(Cell(cell.first + dx, cell.second + dy));
    }
    return moved;
}

namespace {

// The least (or with most, the greatest) column (or with rows, row) of cells.
int extreme(const Cells& cells, bool rows, bool most) {
    int found = most ? INT_MIN : INT_MAX;
    for (const Cell& cell : cells) {
        int value = rows ? cell.second : cell.first;
        found = most ? std::max(found, value) : std::min(found, value);
    }
    return found;
}

}  // namespace

int min_column(const Cells& cells) {
    return extreme(cells, false, false);
}

int min_row(const Cells& cells) {
    return extreme(cells, true, false);
}

int max_row(const Cells& cells) {
    return extreme(cells, true, true);
}

Cells normalised(const Cells& cells) {
    return cells.empty() ? cells : shifted(cells, -min_column(cells), -min_row(cells));
}

Cells turned_right(const Cells& cells) {
    Cells turned;
    for (const Cell& cell : cells) {
        turned.insert(Cell(-cell.second, cell.first));
    }
    return normalised(turned);
}

Cells minus(const Cells& a, const Cells& b) {
    Cells rest;
    for (const Cell& cell : a) {
        if (b.count(cell) == 0) {
            rest.insert(cell);
        }
    }
    return rest;
}

bool moved_by(const Cells& start, const Cells& moved, int dx, int min_fall, int max_fall) {
    for (int fall = min_fall; fall <= max_fall; ++fall) {
        if (shifted(start, dx, fall) == moved) {
            return true;
        }
    }
    return false;
}

Cells Well::drop(const Cells& piece) const {
    Cells at = piece;
    while (fits(*this, shifted(at, 0, 1))) {
        at = shifted(at, 0, 1);
    }
    return at;
}

std::vector<int> Well::full_rows(const Cells& cells) const {
    std::vector<int> full;
    for (int row = 0; row < rows; ++row) {
        int count = 0;
        for (int column = 0; column < columns; ++column) {
            count += cells.count(Cell(column, row)) != 0 ? 1 : 0;
        }
        if (count == columns) {
            full.push_back(row);
        }
    }
    return full;
}

Cells Well::emptied(const Cells& cells) const {
    std::vector<int> full = full_rows(cells);
    Cells rest;
    for (const Cell& cell : cells) {
        if (std::find(full.begin(), full.end(), cell.second) == full.end()) {
            rest.insert(cell);
        }
    }
    return rest;
}

Cells Well::collapsed(const Cells& cells, const std::vector<int>& emptied_rows) const {
    Cells closed;
    for (const Cell& cell : cells) {
        int below = 0;
        for (int row : emptied_rows) {
            below += row > cell.second ? 1 : 0;
        }
        closed.insert(Cell(cell.first, cell.second + below));
    }
    return closed;
}

Placement plan_placement(const Well& well, const Cells& piece, bool may_turn) {
    Placement best;
    int best_score = INT_MIN;
    Cells shape = normalised(piece);
    int turns = may_turn ? 4 : 1;
    for (int turn = 0; turn < turns; ++turn, shape = turned_right(shape)) {
        for (int column = 0; column < well.columns; ++column) {
            Cells start = shifted(shape, column, std::max(0, min_row(piece)));
            if (!fits(well, start)) {
                continue;
            }
            int value = score(well, well.drop(start));
            if (value > best_score) {
                best_score = value;
                best.shape = shape;
                best.column = column;
            }
        }
    }
    return best;
}
