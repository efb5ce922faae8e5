#include <gtest/gtest.h>

#include "pieces/piece_shape.h"

namespace {

std::string blocks_text(const std::vector<BlockOffset>& blocks) {
    std::string text;
    for (const BlockOffset& block : blocks) {
        text += "(" + std::to_string(block.column()) + "," + std::to_string(block.row()) + ")";
    }
    return text;
}

}  // namespace

// The turn itself is the game's turn table (tests/game); here, the looks built from it.
TEST(PieceLooks, InTheOrderTheTurnsMakeThemAndNegativeWhereTheyWrap) {
    PieceShape bar{0, 0, false, true, 0, {{0, 0}, {1, 0}, {2, 0}, {3, 0}}};
    std::vector<PieceLook> looks = piece_looks(bar);
    ASSERT_EQ(3u, looks.size());
    EXPECT_EQ("then left", looks[2].label);
    EXPECT_EQ(blocks_text(bar.blocks), blocks_text(looks[2].blocks));
    // About its end cell the bar swings below 0, which reads back as the negative it is.
    bar.alternates = false;
    EXPECT_EQ("(0,0)(-1,0)(-2,0)(-3,0)", blocks_text(piece_looks(bar)[2].blocks));
    EXPECT_EQ("after 2 right turn(s) a block lands on (-1, 0), outside the 4 by 4 box",
              shape_problem(bar));
}

TEST(PieceDescriptions, RoundTripThroughTheThirteenBytesAndOnlyFitLinesAreDealt) {
    PieceShape shape{1, 2, true, true, 6, {{0, 1}, {1, 1}, {2, 1}, {3, 3}}};
    std::string bytes = description_bytes(shape);
    ASSERT_EQ(13u, bytes.size());
    PieceShape back;
    ASSERT_TRUE(read_description(bytes + "\r", back));
    EXPECT_EQ(bytes, description_bytes(back));
    EXPECT_FALSE(read_description(bytes.substr(0, 12), back));
    // Bytes above 127 are negative; any non-zero flag byte sets the flag.
    ASSERT_TRUE(
        read_description(std::string("\0\0\xff\0\x80\xff", 6) + std::string(7, '\0'), back));
    EXPECT_TRUE(back.half_centre && back.alternates && back.blocks[0].column() == -1);

    const std::pair<std::string, const char*> cases[] = {
        {bytes + "\r", nullptr},
        {bytes.substr(0, 12), "shorter than 13 bytes"},
        {bytes.substr(0, 3) + "\x07" + bytes.substr(4), "its tile (byte 4) is not 0 to 6"},
        {bytes.substr(0, 12) + "\x04", "a block offset (bytes 6 to 13) is not 0 to 3"},
        {bytes.substr(0, 5) + "\xff" + bytes.substr(6),
         "a block offset (bytes 6 to 13) is not 0 to 3"},
    };
    for (const auto& [line, expected] : cases) {
        const char* problem = dealing_problem(line);
        EXPECT_EQ(std::string(expected ? expected : "-"), problem ? problem : "-");
    }
}
