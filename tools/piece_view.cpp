#include "tools/piece_view.h"

#include <algorithm>
#include <vector>

#include "config/config_store.h"
#include "pieces/piece_shape.h"

namespace {

const int gap = 3;  // spaces between two pictures
// Offsets far outside the box are not drawn; the picture would be mostly empty.
const int lowest_drawn = -4;
const int highest_drawn = 7;

struct Extent {
    int low = 0;
    int high = 3;  // the box is always drawn whole
    void include(int value) {
        low = std::max(lowest_drawn, std::min(low, value));
        high = std::min(highest_drawn, std::max(high, value));
    }
};

struct Picture {
    Extent columns;
    Extent rows;
};

// A piece as the viewer draws it: its fields and every look its turns give it.
struct ViewedPiece {
    int centre_x;
    int centre_y;
    PieceShape shape;
    std::vector<PieceLook> looks;
};

bool is_centre_cell(const ViewedPiece& piece, int x, int y) {
    int size = piece.shape.half_centre ? 2 : 1;
    return x >= piece.centre_x && x < piece.centre_x + size && y >= piece.centre_y &&
           y < piece.centre_y + size;
}

Picture picture_of(const ViewedPiece& piece) {
    Picture picture;
    for (const PieceLook& look : piece.looks) {
        for (const BlockOffset& cell : look.blocks) {
            picture.columns.include(cell.column());
            picture.rows.include(cell.row());
        }
    }
    int size = piece.shape.half_centre ? 2 : 1;
    picture.columns.include(piece.centre_x);
    picture.columns.include(piece.centre_x + size - 1);
    picture.rows.include(piece.centre_y);
    picture.rows.include(piece.centre_y + size - 1);
    return picture;
}

bool has_block(const PieceLook& look, int x, int y) {
    for (const BlockOffset& cell : look.blocks) {
        if (cell.column() == x && cell.row() == y) {
            return true;
        }
    }
    return false;
}

char cell_char(const ViewedPiece& piece, const PieceLook& look, int x, int y) {
    bool block = has_block(look, x, y);
    if (is_centre_cell(piece, x, y)) {
        return block ? '@' : 'o';
    }
    if (block) {
        return '#';
    }
    bool in_box = x >= 0 && x < 4 && y >= 0 && y < 4;
    return in_box ? '.' : ' ';
}

// The label over a look, with what the game makes of it.
std::string look_label(const PieceLook& look) {
    bool negative = false;
    bool outside = false;
    for (const BlockOffset& cell : look.blocks) {
        negative = negative || cell.column() < 0 || cell.row() < 0;
        outside = outside || !cell.in_box();
    }
    if (negative) {
        return look.label + " (refused)";
    }
    return outside ? look.label + " (leaves box)" : look.label;
}

std::string padded(const std::string& text, size_t width) {
    return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

std::string trimmed(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::string cell_text(int x, int y) {
    return "(" + int_to_text(x) + ", " + int_to_text(y) + ")";
}

std::string turning_text(const ViewedPiece& piece) {
    std::string about = "turns about the cell " + cell_text(piece.centre_x, piece.centre_y);
    if (piece.shape.half_centre) {
        about = "turns about the point where the cells " +
                cell_text(piece.centre_x, piece.centre_y) + " to " +
                cell_text(piece.centre_x + 1, piece.centre_y + 1) + " meet";
    }
    return about + (piece.shape.alternates ? ", alternates: right, then left" : "");
}

std::string piece_pictures(const ViewedPiece& piece) {
    Picture picture = picture_of(piece);
    size_t width = static_cast<size_t>(picture.columns.high - picture.columns.low + 1);
    std::vector<size_t> column_widths;
    std::string text = "  ";
    for (const PieceLook& look : piece.looks) {
        std::string label = look_label(look);
        column_widths.push_back(std::max(width, label.size()) + gap);
        text += padded(label, column_widths.back());
    }
    text = trimmed(text) + "\n";
    for (int y = picture.rows.low; y <= picture.rows.high; y++) {
        std::string row = "  ";
        for (size_t i = 0; i < piece.looks.size(); i++) {
            std::string cells;
            for (int x = picture.columns.low; x <= picture.columns.high; x++) {
                cells += cell_char(piece, piece.looks[i], x, y);
            }
            row += padded(cells, column_widths[i]);
        }
        text += trimmed(row) + "\n";
    }
    return text;
}

}  // namespace

std::string piece_set_view(const std::string& contents) {
    std::vector<std::string> lines = pieces_file_lines(contents);
    std::string text =
        "# block, . empty; the turning centre is marked @ on a block, o on an "
        "empty cell\n";
    for (size_t i = 0; i < lines.size(); i++) {
        std::string heading = "\nline " + int_to_text(static_cast<int>(i) + 1) + ": ";
        if (lines[i].size() < piece_description_length) {
            text += heading + "only " + int_to_text(static_cast<int>(lines[i].size())) +
                    " bytes, not a piece\n";
            continue;
        }
        ViewedPiece piece;
        read_description(lines[i], piece.shape);
        piece.centre_x = static_cast<std::int16_t>(piece.shape.centre_x);
        piece.centre_y = static_cast<std::int16_t>(piece.shape.centre_y);
        piece.looks = piece_looks(piece.shape);
        text +=
            heading + "tile " + int_to_text(piece.shape.tile) + ", " + turning_text(piece) + "\n";
        text += piece_pictures(piece);
    }
    return text;
}

std::string kicks_view(const Kicks& kicks, int piece_count) {
    std::string view = "kicks, tried in order when a turn does not fit where the piece stands:\n";
    for (int piece = 0; piece < piece_count; piece++) {
        std::string name = piece < static_cast<int>(kicks.piece_names.size())
                               ? kicks.piece_names[piece]
                               : std::string("(unnamed)");
        std::string head = std::to_string(piece + 1) + " " + name + " ";
        bool any = false;
        for (int from = 0; from < orientation_count; from++) {
            for (bool left : {false, true}) {
                const Kicks::Turn* turn = kicks.find(piece, from, left);
                if (turn == nullptr) {
                    continue;
                }
                view += head + std::to_string(from) + " " + turn_word(left) + ":";
                for (int i = 0; i < turn->count; i++) {
                    view += " " + std::to_string(turn->offsets[i].dx) + "," +
                            std::to_string(turn->offsets[i].dy);
                }
                view += "\n";
                any = true;
            }
        }
        if (!any) {
            view += head + "no kicks\n";
        }
    }
    return view;
}
