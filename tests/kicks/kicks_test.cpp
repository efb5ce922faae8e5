// Reading a kicks file: each kind of mistake at its line. The game's tests read the shipped
// file, the checker's test the nearest-word hints, make_pieces's the offsets out of reach.
#include "kicks/kicks.h"

#include <gtest/gtest.h>

TEST(KicksTest, EachMistakeIsReportedAtItsLine) {
    struct Case {
        const char* text;
        int line;
        const char* message;
    } cases[] = {
        {"T 0 right: 1,0\n", 1, "a turn before the \"pieces:\" line that names the pieces"},
        {"pieces: I T\nX 0 right: 1,0\n", 2, "\"X\" is not a piece of the \"pieces:\" line"},
        {"pieces: I T\nT 4 right: 1,0\n", 2, "the orientation \"4\" is not 0, 1, 2 or 3"},
        {"pieces: I T\nT 0 right: 1;0\n", 2,
         "\"1;0\" is not an offset: expected \"<dx>,<dy>\" such as \"-1,0\""},
        {"pieces: I T\nT 0 right:\n", 2,
         "the turn gives no offset: expected \"<dx>,<dy>\" pairs such as \"-1,0\""},
        {"pieces: I T\nT 0 right: 1,0 1,0 1,0 1,0 1,0 1,0 1,0\n", 2,
         "more than 6 offsets for one turn"},
        {"pieces: I T\nT 0 right: 1,0\nT 0 right: -1,0\n", 3,
         "this turn was given at line 2 already"},
        {"pieces: I T J\n", 1, "names 3 pieces, but the pieces file deals 2"},
        {"pieces: I T\npieces: O\n", 2,
         "a second \"pieces:\" line: the pieces are named once, before the turns"},
        {"pieces: I T\nT 0 right 1,0\n", 2,
         "expected \"pieces: <names>\" or \"<piece> <from> <left|right>: <dx>,<dy> ...\""},
        {"pieces: I T\npiece: I T\n", 2, "\"piece\" is not \"pieces\" or a turn"},
    };
    for (const Case& c : cases) {
        KicksReading reading = parse_kicks(c.text, 2);
        ASSERT_EQ(reading.problems.size(), 1u) << c.text;
        EXPECT_EQ(reading.problems[0].line, c.line) << c.text;
        EXPECT_EQ(reading.problems[0].message, c.message) << c.text;
    }
}
