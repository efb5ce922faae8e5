// The pieces file checks and the piece-set viewer, on descriptions made here.
#include "tools/check/pieces_check.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "tools/check/piece_view.h"

namespace {

struct Cell {
    int x;
    int y;
};

std::string description(int cx, int cy, bool half, int tile, bool alternates,
                        std::initializer_list<Cell> blocks) {
    std::string bytes = {static_cast<char>(cx), static_cast<char>(cy), static_cast<char>(half),
                         static_cast<char>(tile), static_cast<char>(alternates)};
    for (Cell block : blocks) {
        bytes += static_cast<char>(block.x);
        bytes += static_cast<char>(block.y);
    }
    return bytes;
}

const std::string t_piece = description(1, 1, false, 2, false, {{1, 0}, {0, 1}, {1, 1}, {2, 1}});
const std::string i_piece = description(1, 1, true, 0, true, {{0, 1}, {1, 1}, {2, 1}, {3, 1}});

// (line, warning, phrase) of every problem, in order.
struct Expected {
    int line;
    bool warning;
    std::string phrase;
};

void expect_problems(const Report& report, const std::vector<Expected>& expected) {
    std::string all = report.text();
    std::vector<Problem> problems = report.sorted();
    ASSERT_EQ(expected.size(), problems.size()) << all;
    for (size_t i = 0; i < expected.size(); i++) {
        const Problem& problem = problems[i];
        EXPECT_EQ("pieces.dat", problem.file);
        EXPECT_EQ(expected[i].line, problem.line) << all;
        EXPECT_EQ(expected[i].warning, problem.warning) << all;
        EXPECT_NE(std::string::npos, problem.message.find(expected[i].phrase)) << all;
    }
}

TEST(PiecesCheck, EveryProblemOnItsLine) {
    std::string cut = t_piece;
    cut[4] = 10;  // "alternates" written as 10: the game sees two short lines
    std::vector<std::string> lines = {
        t_piece,
        cut.substr(0, 4),
        cut.substr(5),
        "\x01\x02\x03",
        description(1, 1, false, 7, false, {{1, 0}, {0, 1}, {1, 1}, {2, 1}}),
        description(1, 1, false, 2, false, {{1, 0}, {0, 1}, {1, 1}, {4, 1}}),
        description(1, 1, false, 2, false, {{1, 0}, {1, 0}, {1, 1}, {2, 1}}),
        description(1, 1, false, 2, false, {{0, 0}, {1, 0}, {1, 1}, {3, 3}}),
        description(1, 1, false, 2, false, {{1, 0}, {1, 1}, {1, 2}, {1, 3}}),
        description(2, 2, false, 2, false, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}),
        description(1, 1, false, 2, false, {{1, 1}, {2, 1}, {1, 2}, {2, 2}}),
        t_piece + "\r",
        i_piece,
    };
    Report report;
    check_piece_lines(lines, "pieces.dat", report);
    expect_problems(
        report,
        {
            {2, false, "this line and the next line look like one description cut by a byte 10"},
            {4, false, "only 3 bytes, a piece needs 13"},
            {5, false, "tile (byte 4) is 7, must be 0 to 6"},
            {6, false, "block 4 at (4, 1): offsets (bytes 6 to 13) must be 0 to 3"},
            {7, true, "blocks 1 and 2 are both at (1, 0)"},
            {7, true,
             "the piece moves as it turns: turned right x2, its middle has moved by (-0.5, +1)"},
            {8, true, "the piece is in two parts (blocks 1, 2 and 3; block 4)"},
            {8, false, "turned right, block 4 at (-1, 3) goes below 0: the game refuses that turn"},
            {8, false, "turned right x2, block 4 at (-1, -1) goes below 0"},
            {8, false, "turned right x3, block 4 at (3, -1) goes below 0"},
            {9, false, "turned right, block 4 at (-1, 1) goes below 0"},
            {9, false, "turned right x2, block 4 at (1, -1) goes below 0"},
            {9, true,
             "the piece moves as it turns: turned right x2, its middle has moved by (+0, -1)"},
            {10, false, "turned right, block 1 at (4, 0) leaves the 4 by 4 box"},
            {10, false, "turned right x2, block 1 at (4, 4) leaves the 4 by 4 box"},
            {10, false, "turned right x3, block 1 at (0, 4) leaves the 4 by 4 box"},
            {10, true,
             "the piece moves as it turns: turned right, its middle has moved by (+3, +0)"},
            {11, true,
             "the piece moves as it turns: turned right, its middle has moved by (-1, +0)"},
            {12, true, "14 bytes; the game ignores the carriage return at the end"},
        });
}

TEST(PiecesCheck, WholeFile) {
    Report clean;
    check_piece_lines({t_piece, i_piece}, "pieces.dat", clean);
    EXPECT_TRUE(clean.problems.empty()) << clean.text();

    // A description whose last byte is 10 leaves 12 bytes and an empty line.
    std::string last_cut = t_piece;
    last_cut[12] = 10;
    Report cut;
    check_piece_lines({last_cut.substr(0, 12), "", t_piece}, "pieces.dat", cut);
    expect_problems(cut, {{1, false, "cut by a byte 10"}});

    Report nothing_usable;
    check_piece_lines({"", description(1, 1, false, -1, false, {{0, 0}, {1, 0}, {2, 0}, {3, 0}})},
                      "pieces.dat", nothing_usable);
    expect_problems(nothing_usable, {{0, false, "holds no piece: the game cannot deal one"},
                                     {1, false, "only 0 bytes"},
                                     {2, false, "tile (byte 4) is -1"}});
}

TEST(PieceView, PicturesOfEveryLook) {
    std::string view = piece_set_view(i_piece + "\n" + t_piece + "\n\x01\x02\n");
    EXPECT_EQ(
        "# block, . empty; the turning centre is marked @ on a block, o on an empty cell\n"
        "\n"
        "line 1: tile 0, turns about the point where the cells (1, 1) to (2, 2) meet, "
        "alternates: right, then left\n"
        "  dealt   right   then left\n"
        "  ....    ..#.    ....\n"
        "  #@@#    .o@.    #@@#\n"
        "  .oo.    .o@.    .oo.\n"
        "  ....    ..#.    ....\n"
        "\n"
        "line 2: tile 2, turns about the cell (1, 1)\n"
        "  dealt   right   right x2   right x3\n"
        "  .#..    .#..    ....       .#..\n"
        "  #@#.    .@#.    #@#.       #@..\n"
        "  ....    .#..    .#..       .#..\n"
        "  ....    ....    ....       ....\n"
        "\n"
        "line 3: only 2 bytes, not a piece\n",
        view);
}

TEST(PieceView, LooksOutsideTheBox) {
    // A bar down column 1 turned about (1, 1): its right turn would reach column -1.
    std::string bar = description(1, 1, false, 3, false, {{1, 0}, {1, 1}, {1, 2}, {1, 3}});
    std::string view = piece_set_view(bar);
    EXPECT_NE(std::string::npos,
              view.find("  dealt   right (refused)   right x2 (refused)   right x3\n"))
        << view;
    EXPECT_NE(std::string::npos, view.find("   .@..   ##@#.  ")) << view;  // drawn all the same
    // Far outside the box nothing is drawn, but the picture stays small.
    std::string far = description(1, 1, false, 3, false, {{100, 0}, {1, 1}, {1, 2}, {1, 3}});
    EXPECT_LT(piece_set_view(far).size(), 1000u);
}

}  // namespace
