// The pieces tool: the readable form, and that the shipped pieces file is exactly what the
// tool makes from tools/pieces.txt.
#include "tools/piece_shapes.h"

#include <gtest/gtest.h>

#include "tests/support/test_support.h"

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
    };
    for (const Case& c : cases) {
        PiecesSource result = parse_pieces_source(c.text);
        EXPECT_EQ(c.error, result.error) << c.text;
        EXPECT_EQ(c.line, result.error_line) << c.text;
    }
}

TEST(MakePieces, TheShippedPiecesFileIsWhatTheToolMakesAndABrokenSourceChangesNothing) {
    std::string dir = make_scratch_dir("make_pieces");
    const std::string tool = std::string(MAKE_PIECES) + " ";
    const std::string source = BUILD_SOURCE_DIR "/tools/pieces.txt";
    CommandResult made = run_command(dir, tool + source + " pieces.dat");
    ASSERT_EQ(0, made.status) << made.output;
    std::string pieces = read_file(dir + "/pieces.dat");
    EXPECT_EQ(read_file(BUILD_SOURCE_DIR "/data/pieces.dat"), pieces)
        << "run: cmake --build <build> --target pieces_file";
    // The viewer reads either form alike.
    EXPECT_EQ(run_command(dir, tool + "--show pieces.dat").output,
              run_command(dir, tool + "--show " + source).output);
    // With the kicks file, the kicks of each turn follow the looks.
    CommandResult shown =
        run_command(dir, tool + "--show pieces.dat " BUILD_SOURCE_DIR "/data/kicks.txt");
    EXPECT_EQ(0, shown.status);
    EXPECT_NE(std::string::npos, shown.output.find("\n2 O no kicks\n3 T 0 right: -1,0 1,0 0,-1\n"))
        << shown.output;
    write_file(dir + "/kicks.txt", "pieces: I\nI 0 right: 3,0\n");
    shown = run_command(dir, tool + "--show pieces.dat kicks.txt");
    EXPECT_EQ(1, shown.status);
    EXPECT_NE(
        std::string::npos,
        shown.output.find("kicks.txt:2: the offset \"3,0\" moves the piece more than 2 cells"));

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
