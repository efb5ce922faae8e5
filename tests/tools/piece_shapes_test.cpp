// The pieces tool: the turning rule, the readable form, and that the shipped pieces file is
// exactly what the tool makes from tools/pieces.txt.
#include "tools/piece_shapes.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

namespace {

PieceShape shape_with(int cx, int cy, bool half, std::vector<ShapeBlock> blocks) {
    return {"", 0, cx, cy, half, false, 0, blocks};
}

std::string blocks_text(const PieceShape& shape) {
    std::string text;
    for (const ShapeBlock& block : shape.blocks) {
        text += "(" + std::to_string(block.x) + "," + std::to_string(block.y) + ")";
    }
    return text;
}

}  // namespace

TEST(PieceTurning, FollowsTheGamesRuleAboutACellAndAboutACorner) {
    PieceShape t = shape_with(1, 1, false, {{0, 1}, {1, 1}, {2, 1}, {1, 0}});
    EXPECT_EQ("(1,0)(1,1)(1,2)(2,1)", blocks_text(t.turned(false)));
    EXPECT_EQ("(1,2)(1,1)(1,0)(0,1)", blocks_text(t.turned(true)));
    PieceShape bar = shape_with(1, 1, true, {{0, 1}, {1, 1}, {2, 1}, {3, 1}});
    EXPECT_EQ("(2,0)(2,1)(2,2)(2,3)", blocks_text(bar.turned(false)));
    EXPECT_EQ("(3,2)(2,2)(1,2)(0,2)", blocks_text(bar.turned(false).turned(false)));
    EXPECT_EQ(blocks_text(bar), blocks_text(bar.turned(true).turned(false)));
}

TEST(PieceDescriptions, RoundTripThroughTheThirteenBytes) {
    PieceShape shape = shape_with(1, 2, true, {{0, 1}, {1, 1}, {2, 1}, {3, 3}});
    shape.tile = 6;
    shape.alternates = true;
    std::string bytes = shape.description();
    ASSERT_EQ(13u, bytes.size());
    PieceShape back;
    ASSERT_TRUE(parse_description(bytes + "\r", back));
    EXPECT_EQ(bytes, back.description());
    EXPECT_FALSE(parse_description(bytes.substr(0, 12), back));
    // Bytes above 127 are negative offsets to the game, as they are here.
    ASSERT_TRUE(parse_description(std::string(5, '\0') + "\xff" + std::string(7, '\0'), back));
    EXPECT_EQ(-1, back.blocks[0].x);
}

TEST(PiecesSource, ReadsPiecesAndRejectsWhatTheGameCouldNotUse) {
    // Each fault at its line, with what was found and what is expected.
    struct Case {
        std::string text;
        int line;
        std::string error;
    };
    const std::string head = "piece: A\ntile: 1\ncentre: 1 1\n";
    const Case cases[] = {
        {"tile: 1\n", 1, "found \"tile: 1\" before any piece: expected \"piece: <name>\" first"},
        {head + "XXX.\n....\n....\n....\n", 1, "piece A: has 3 blocks instead of 4"},
        {"piece: A\ntile: 1\nXXXX\n....\n....\n....\n", 1,
         "piece A has no centre: expected a line like \"centre: 1 1\""},
        {head + "tile: 2\n", 4, "tile is given twice for piece A (first on line 2): expected once"},
        {head + "XX#X\n", 4,
         "found \"XX#X\": expected a picture row of four characters X (a block) and . (empty) "
         "like \"XX..\", or a setting \"name: value\""},
        // A bar turned about its end cell swings out of the 4 by 4 box.
        {"piece: A\ntile: 0\ncentre: 0 0\nXXXX\n....\n....\n....\n", 1,
         "piece A: after 2 right turn(s) a block lands on (-1, 0), outside the 4 by 4 box"},
    };
    for (const Case& c : cases) {
        PiecesSource result = parse_pieces_source(c.text);
        EXPECT_EQ(c.error, result.error) << c.text;
        EXPECT_EQ(c.line, result.error_line) << c.text;
    }
    // An alternating bar only ever shows two of its four looks; only those must fit.
    PiecesSource bar = parse_pieces_source(
        "piece: I\ntile: 0\ncentre: 1 1\nhalf_centre: yes\nalternates: yes\n"
        "....\nXXXX\n....\n....\n");
    EXPECT_EQ("", bar.error);
    EXPECT_EQ(2u, reachable_orientations(bar.shapes[0]).size());
}

TEST(MakePieces, TheShippedPiecesFileIsWhatTheToolMakesAndABrokenSourceChangesNothing) {
    std::string dir = make_scratch_dir("make_pieces");
    const std::string tool = std::string(MAKE_PIECES) + " ";
    const std::string source = BUILD_SOURCE_DIR "/tools/pieces.txt";
    CommandResult made = run_command(dir, tool + source + " pieces.dat");
    ASSERT_EQ(0, made.status) << made.output;
    std::string pieces = read_file(dir + "/pieces.dat");
    EXPECT_EQ(read_file(BUILD_SOURCE_DIR "/data/pieces.dat"), pieces)
        << "run: cmake --build <build> --target pieces";
    // The viewer reads either form alike.
    EXPECT_EQ(run_command(dir, tool + "--show pieces.dat").output,
              run_command(dir, tool + "--show " + source).output);

    // A broken, empty or missing source leaves the old file alone.
    write_file(dir + "/broken.txt", "piece: A\ntile: 9\ncentre: 1 1\nXXXX\n....\n....\n....\n");
    write_file(dir + "/empty.txt", "# nothing here\n");
    made = run_command(dir, tool + "broken.txt pieces.dat");
    EXPECT_NE(0, made.status);
    EXPECT_EQ("broken.txt:1: piece A: tile 9 is outside 0..6\n", made.output);
    for (const char* broken : {"empty.txt", "missing.txt"}) {
        EXPECT_NE(0, run_command(dir, tool + broken + " pieces.dat").status) << broken;
    }
    EXPECT_EQ(pieces, read_file(dir + "/pieces.dat"));
}
