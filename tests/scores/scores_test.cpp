#include <gtest/gtest.h>

#include "scores/score_file.h"
#include "tests/support/test_support.h"

namespace {

ScoreEntry game(const std::string& name, int points) {
    return ScoreEntry{name, points, points / 10, 1, "2026-12-07"};
}

std::string names(const ScoreTable& table) {
    std::string text;
    for (const ScoreEntry& entry : table.entries) {
        text += entry.name + " ";
    }
    return text;
}

const char* const id = "0123456789abcdef";

}  // namespace

TEST(ScoreTable, KeepsTheTenBestByPointsOlderFirstOnTies) {
    ScoreTable table;
    EXPECT_EQ(table.insert(game("zero", 0)), -1);
    EXPECT_EQ(table.insert(game("a", 50)), 0);
    EXPECT_EQ(table.insert(game("b", 90)), 0);
    EXPECT_EQ(table.insert(game("c", 50)), 2);  // a tie goes behind the older game
    EXPECT_EQ(names(table), "b a c ");
    for (int i = 0; i < 7; i++) {
        table.insert(game("d", 10));
    }
    ASSERT_EQ(table.entries.size(), 10u);
    EXPECT_EQ(table.place_for(game("f", 10)), -1);  // tying the last of a full table is not enough
    EXPECT_EQ(table.insert(game("e", 11)), 3);
    EXPECT_EQ(names(table), "b a c e d d d d d d ");
}

TEST(PieceSetId, FollowsThePiecesNotTheirOrderOrTrailingBytes) {
    std::string bar("\x01\x01\x00\x02\x00\x00\x01\x01\x01\x02\x01\x01\x00", 13);
    std::string square("\x01\x01\x01\x03\x00\x01\x01\x02\x01\x01\x02\x02\x02", 13);
    std::string id = piece_set_id({bar, square});
    EXPECT_EQ(id.size(), 16u);
    EXPECT_EQ(piece_set_id({square, bar + "\r"}), id);
    std::string changed = square;
    changed[12] = 3;
    EXPECT_NE(piece_set_id({bar, changed}), id);
    EXPECT_NE(piece_set_id({bar}), id);
    EXPECT_NE(piece_set_id({bar, square, square}), id);
}

// Saving and reading back is the fuzz target's property (fuzz/scores_file_fuzz.cpp), as are the
// points and names no table may hold; the save is the configuration store's safe save.
TEST(ScoreFile, MissingFileIsEmptyEachEntryIsOneLineAndOnlyDamagedLinesAreSkipped) {
    std::string file = make_scratch_dir("scores") + "/scores.txt";
    ScoreFile empty;
    EXPECT_TRUE(empty.read(file.c_str()));
    EXPECT_TRUE(empty.tables.empty());
    empty.tables[id].insert(game("Ann", 70));
    ASSERT_TRUE(empty.save(file.c_str()));
    EXPECT_EQ(read_file(file), "0123456789abcdef.1: 70 7 1 2026-12-07 Ann\n\n");

    std::string text =
        "\n"
        "0123456789abcdef.1: 99999999999 1 1 2026-12-07 x\n"  // beyond the int range
        "0123456789abcdef.1: 5 1 1 2026-13-07 month\n"        // no such month
        "0123456789ABCDEF.1: 5 1 1 2026-12-07 upper\n"
        "0123456789abcdef: 5 1 1 2026-12-07 noplace\n"
        "0123456789abcdef.1: 5 1\n"  // fields missing
        "no colon at all\n"
        "0123456789abcdef.2: 5 1 1 2026-12-07 name of 17 chars!\n";
    // Sound lines in any order, a duplicate key, CR LF and eleven entries of one set.
    text += "0123456789abcdef.3: 40 4 1 2026-01-02 Bo b and sixteen\r\n";
    text += "0123456789abcdef.3: 70 7 2 2026-12-31 Ann\n";
    for (int i = 0; i < 10; i++) {
        text += "fedcba9876543210.1: " + int_to_text(i + 1) + " 0 1 2026-02-03 n\n";
    }
    text += "fedcba9876543210.1: 99 0 1 2026-02-03 \n";
    write_file(file, text);

    ScoreFile scores;
    ASSERT_TRUE(scores.read(file.c_str()));
    EXPECT_EQ(scores.skipped_lines, (std::vector<int>{2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(names(scores.tables[id]), "Ann Bo b and sixteen ");
    const ScoreTable& other = scores.tables["fedcba9876543210"];
    ASSERT_EQ(other.entries.size(), 10u);
    EXPECT_EQ(other.entries[0].points, 99);
    EXPECT_EQ(other.entries[0].name, "");
    EXPECT_EQ(other.entries[9].points, 2);
    EXPECT_EQ(scores.tables[id].entries[1].date, "2026-01-02");
}

TEST(ScoreFile, EachModeItsTableSprintByTimeUnknownModesKeptOldDaysDropped) {
    std::string file = make_scratch_dir("modes") + "/scores.txt";
    write_file(file,
               "0123456789abcdef.sprint.1: 90 40 4 95000 2026-12-01 slow\n"
               "0123456789abcdef.sprint.2: 10 40 1 61000 2026-12-02 fast\n"
               "0123456789abcdef.sprint.3: 10 40 1 0 2026-12-02 no time\n"
               "0123456789abcdef.ultra.1: 500 9 2 120000 2026-12-03 u\n"
               "0123456789abcdef.race.1: anything at all\n"
               "0123456789abcdef.daily-2026-11-30.1: 5 1 1 1000 2026-11-30 old\n"
               "0123456789abcdef.daily-2026-12-01.1: 5 1 1 1000 2026-12-01 kept\n"
               "0123456789abcdef.1: 70 7 1 2026-12-07 Ann\n");
    ScoreFile scores;
    ASSERT_TRUE(scores.read(file.c_str()));
    EXPECT_EQ(scores.skipped_lines, std::vector<int>{3});
    ScoreTable& sprint = scores.table(id, "sprint");
    EXPECT_TRUE(sprint.by_time);
    EXPECT_EQ(names(sprint), "fast slow ");
    ScoreEntry quicker = game("quicker", 0);
    quicker.time = 60000;
    EXPECT_EQ(sprint.insert(quicker), 0);  // no points, but the best time
    EXPECT_FALSE(scores.table(id, "ultra").by_time);
    EXPECT_EQ(&scores.table(id, "marathon"), &scores.tables[id]);
    scores.drop_old_days("2026-12-07");
    ASSERT_TRUE(scores.save(file.c_str()));
    EXPECT_EQ(read_file(file),
              "0123456789abcdef.1: 70 7 1 2026-12-07 Ann\n\n"
              "0123456789abcdef.daily-2026-12-01.1: 5 1 1 1000 2026-12-01 kept\n\n"
              "0123456789abcdef.sprint.1: 0 0 1 60000 2026-12-07 quicker\n"
              "0123456789abcdef.sprint.2: 10 40 1 61000 2026-12-02 fast\n"
              "0123456789abcdef.sprint.3: 90 40 4 95000 2026-12-01 slow\n\n"
              "0123456789abcdef.ultra.1: 500 9 2 120000 2026-12-03 u\n\n"
              "0123456789abcdef.race.1: anything at all\n");
    ConfigStore keys = table_keys(sprint, "");
    EXPECT_EQ(keys.get_string("score1"), "1:00.00");
    EXPECT_EQ(keys.get_string("points1"), "0");
}
