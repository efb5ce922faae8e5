// The pieces file checks, on descriptions made here.
#include "tools/check/pieces_check.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <iterator>

#include "pieces/piece_shape.h"

namespace {

std::string description(std::uint16_t cx, std::uint16_t cy, bool half, int tile, bool alternates,
                        std::initializer_list<BlockOffset> blocks) {
    return description_bytes(PieceShape{cx, cy, half, alternates, tile, blocks});
}

const std::string t_piece = description(1, 1, false, 2, false, {{1, 0}, {0, 1}, {1, 1}, {2, 1}});

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
        // These two alternate: only their right turn is ever made.
        description(1, 1, false, 2, true, {{0, 0}, {1, 0}, {1, 1}, {3, 3}}),
        description(2, 2, false, 2, true, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}),
        t_piece + "\r",
    };
    Report report;
    check_piece_lines(lines, "pieces.dat", report);
    // The start of every report, in order.
    const char* expected[] = {
        "2: only 4 bytes: this line and the next line look like one description cut by a byte 10",
        "4: only 3 bytes, a piece needs 13",
        "5: tile (byte 4) is 7, must be 0 to 6",
        "6: block 4 at (4, 1): offsets (bytes 6 to 13) must be 0 to 3",
        "7: warning: blocks 1 and 2 are both at (1, 0)",
        ("7: warning: the piece moves as it turns: "
         "turned right x2, its middle has moved by (-0.5, +1)"),
        "8: warning: the piece is in two parts (blocks 1, 2 and 3; block 4)",
        "8: turned right, block 4 at (-1, 3) goes below 0: the game refuses that turn",
        "9: turned right, block 1 at (4, 0) leaves the 4 by 4 box",
        "9: warning: the piece moves as it turns: turned right, its middle has moved by (+3, +0)",
        "10: warning: 14 bytes; the game ignores the carriage return at the end",
    };
    std::string text = "\n" + report.text();
    size_t at = 0;
    for (const char* problem : expected) {
        at = text.find(std::string("\npieces.dat:") + problem, at);
        EXPECT_NE(std::string::npos, at) << problem << " not next in:" << text;
    }
    EXPECT_EQ(std::size(expected), report.sorted().size()) << text;
}

}  // namespace
