// Reading a kicks file: the turns it gives, and each kind of mistake at its line.
#include "kicks/kicks.h"

#include <gtest/gtest.h>

TEST(KicksTest, ReadsTheTurnsOfTheNamedPieces) {
    KicksReading reading = parse_kicks(
        "# a note: with a colon\r\npieces: I T\n\nT 1 right: 1,0 -1,0 0,-1\r\nI 0 left: -2,1\n", 2);
    ASSERT_TRUE(reading.problems.empty()) << reading.problems[0].message;
    EXPECT_EQ(reading.kicks.piece_names, (std::vector<std::string>{"I", "T"}));
    const Kicks::Turn* turn = reading.kicks.find(1, 1, false);
    ASSERT_NE(turn, nullptr);
    ASSERT_EQ(turn->count, 3);
    EXPECT_EQ(turn->offsets[0].dx, 1);
    EXPECT_EQ(turn->offsets[2].dy, -1);
    EXPECT_EQ(reading.kicks.find(0, 0, true)->offsets[0].dx, -2);
    // Turns the file does not give, and pieces or orientations outside it, have no kicks.
    EXPECT_EQ(reading.kicks.find(1, 1, true), nullptr);
    EXPECT_EQ(reading.kicks.find(2, 0, false), nullptr);
    EXPECT_EQ(reading.kicks.find(-1, 0, false), nullptr);
    EXPECT_EQ(reading.kicks.find(0, 4, false), nullptr);
}

TEST(KicksTest, EveryMistakeIsReportedAtItsLine) {
    struct Case {
        const char* text;
        int line;
        const char* message;
        const char* unknown;
    } cases[] = {
        {"T 0 right: 1,0\n", 1, "a turn before the \"pieces:\" line that names the pieces", ""},
        {"pieces: I T\nX 0 right: 1,0\n", 2, "\"X\" is not a piece of the \"pieces:\" line", "X"},
        {"pieces: I T\nT 4 right: 1,0\n", 2, "the orientation \"4\" is not 0, 1, 2 or 3", ""},
        {"pieces: I T\nT 0 rihgt: 1,0\n", 2, "\"rihgt\" is not a turn", "rihgt"},
        {"pieces: I T\nT 0 right: 3,0\n", 2, "the offset \"3,0\" moves the piece more than 2 cells",
         ""},
        {"pieces: I T\nT 0 right: 1;0\n", 2,
         "\"1;0\" is not an offset: expected \"<dx>,<dy>\" such as \"-1,0\"", ""},
        {"pieces: I T\nT 0 right:\n", 2,
         "the turn gives no offset: expected \"<dx>,<dy>\" pairs such as \"-1,0\"", ""},
        {"pieces: I T\nT 0 right: 1,0 1,0 1,0 1,0 1,0 1,0 1,0\n", 2,
         "more than 6 offsets for one turn", ""},
        {"pieces: I T\nT 0 right: 1,0\nT 0 right: -1,0\n", 3,
         "this turn was given at line 2 already", ""},
        {"pieces: I T J\n", 1, "names 3 pieces, but the pieces file deals 2", ""},
        {"pieces: I I\n", 1, "the piece name \"I\" is given twice", ""},
        {"pieces: I T\npieces: O\n", 2,
         "a second \"pieces:\" line: the pieces are named once, before the turns", ""},
        {"pieces: I T\nT 0 right 1,0\n", 2,
         "expected \"pieces: <names>\" or \"<piece> <from> <left|right>: <dx>,<dy> ...\"", ""},
        {"pieces: I T\npiece: I T\n", 2, "\"piece\" is not \"pieces\" or a turn", "piece"},
    };
    for (const Case& c : cases) {
        KicksReading reading = parse_kicks(c.text, 2);
        ASSERT_EQ(reading.problems.size(), 1u) << c.text;
        EXPECT_EQ(reading.problems[0].line, c.line) << c.text;
        EXPECT_EQ(reading.problems[0].message, c.message) << c.text;
        EXPECT_EQ(reading.problems[0].unknown, c.unknown) << c.text;
    }
    // A word not understood comes with the words that would have been.
    EXPECT_EQ(parse_kicks("pieces: I T\nX 0 left: 1,0\n", 2).problems[0].expected,
              (std::vector<std::string>{"I", "T"}));
    KicksReading missing;
    EXPECT_FALSE(read_kicks_file("no such kicks file", 2, missing));
}
