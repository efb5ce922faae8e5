#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include "replays/replay_file.h"
#include "replays/replay_folder.h"
#include "tests/support/test_support.h"

namespace {

Replay sample_replay() {
    Replay replay;
    ReplayHeader& h = replay.header;
    h.game_version = game_version();
    h.piece_set = "0123456789abcdef";
    h.rules = {{"board_width", "10"}, {"lock_delay", "0"}};
    h.rules_hash = rules_hash(h.rules);
    h.seed = 4000000000u;
    h.mode = "sprint";
    h.player = " Al ice";
    h.date = "2026-12-07";
    h.ending = "finished";
    h.points = 1200;
    h.lines = 40;
    h.level = 4;
    h.time = 83450;
    replay.inputs = {{0, ReplayAction::move_left},
                     {15, ReplayAction::turn_right},
                     {15, ReplayAction::release},
                     {900, ReplayAction::end}};
    return replay;
}

std::string problem_of(const std::string& text) {
    Replay replay;
    std::string problem;
    EXPECT_FALSE(parse_replay(text, "r.txt", replay, problem)) << text;
    return problem;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

}  // namespace

TEST(ReplayFile, WritesAndReadsBackEveryField) {
    Replay written = sample_replay();
    std::string text = replay_text(written);
    Replay read;
    std::string problem;
    ASSERT_TRUE(parse_replay(text, "r.txt", read, problem)) << problem;
    EXPECT_EQ(text, replay_text(read));
    EXPECT_EQ(" Al ice", read.header.player);
    EXPECT_EQ(4000000000u, read.header.seed);
    ASSERT_EQ(4u, read.inputs.size());
    EXPECT_EQ(ReplayAction::release, read.inputs[2].action);
    // Lines ended with CR LF by another system read the same.
    std::string crlf = std::regex_replace(text, std::regex("\n"), "\r\n");
    EXPECT_TRUE(parse_replay(crlf, "r.txt", read, problem)) << problem;
    EXPECT_EQ(text, replay_text(read));
}

TEST(ReplayFile, RefusesDamagedFilesNamingTheLine) {
    std::string text = replay_text(sample_replay());
    int inputs_line = 18;  // "inputs:" after 15 header keys and 2 rules
    struct Case {
        std::string text;
        int line;
        const char* says;
    };
    const Case cases[] = {
        {replaced(text, "900 end\n", ""), inputs_line + 3, "stops before its end"},
        {replaced(text, "15 release", "15 jump"), inputs_line + 3, "unknown action \"jump\""},
        {replaced(text, "15 release", "14 release"), inputs_line + 3, "backwards"},
        {text + "901 left\n", inputs_line + 5, "after the end"},
        {replaced(text, "0 left", "-1 left"), inputs_line + 1, "without its time"},
        {replaced(text, "900 end", "86400001 end"), inputs_line + 4, "without its time"},
        {replaced(text, "rule.board_width: 10", "rule.board_width: 12"), inputs_line,
         "do not match their hash"},
        {replaced(text, "format: 1", "format: 2"), 1, "format 2"},
        {replaced(text, "points: 1200", "points: 2147483648"), 14, "\"points\""},
        {replaced(text, "lines: 40\n", ""), inputs_line - 1, "no \"lines\""},
        {replaced(text, "level: 4", "level: 4\nlevel: 5"), 17, "twice"},
        {replaced(text, "seed", "sead"), 7, "unknown header key"},
        {replaced(text, "date: 2026-12-07", "date: 2026-13-07"), 11, "\"date\""},
        {replaced(text, "player:  Al ice", "player: \x01"), 10, "not text"},
        {replaced(text, "ending: finished", "ending: won"), 12, "\"ending\""},
        {text.substr(0, 100), 5, "stops before its end"},
    };
    for (const Case& c : cases) {
        std::string problem = problem_of(c.text);
        EXPECT_EQ(0u, problem.find("r.txt:" + std::to_string(c.line) + ": ")) << problem;
        EXPECT_NE(std::string::npos, problem.find(c.says)) << problem;
    }
}

TEST(ReplayFile, RefusesAHugeFileWithoutReadingIt) {
    const char* name = "huge_replay.txt";
    write_file(name, replay_text(sample_replay()));
    std::filesystem::resize_file(name, max_replay_bytes + 1);
    Replay replay;
    std::string problem;
    EXPECT_FALSE(read_replay(name, replay, problem));
    EXPECT_EQ("huge_replay.txt:0: bigger than a replay can be", problem);
    EXPECT_FALSE(read_replay("no_such_replay.txt", replay, problem));
    EXPECT_EQ("no_such_replay.txt:0: cannot be read", problem);
    std::remove(name);
}

TEST(ReplayFolder, SavesListsNewestFirstAndKeepsTheLastAndTheBest) {
    std::string folder = "kept_replays";
    std::system(("rm -rf " + folder).c_str());
    Replay best = sample_replay();
    best.header.mode = "marathon";
    Replay later = sample_replay();
    later.header.mode = "marathon";
    later.header.points = 10;
    std::string problem;
    std::time_t when = 1796650000;  // 2026-12-07 ...
    std::string first = save_replay(folder, best, when, problem);
    ASSERT_EQ(folder + "/" + replay_file_name(best.header, when), first) << problem;
    EXPECT_NE(std::string::npos, first.find("_marathon.txt"));
    EXPECT_EQ(folder + "/" + replay_file_name(later.header, when).substr(0, 28) + "_2.txt",
              save_replay(folder, later, when, problem));
    write_file(folder + "/damaged.txt", "format: 1\n");

    std::vector<std::string> problems;
    std::vector<KeptReplay> kept = list_replays(folder, &problems);
    ASSERT_EQ(2u, kept.size());
    EXPECT_EQ(std::vector<std::string>{folder + "/damaged.txt:1: the replay stops before its end"},
              problems);
    EXPECT_EQ(10, kept[0].header.points);  // the same second: the later name first

    // One kept: the later game goes, unless it is a best game; the first is one.
    ScoreFile scores;
    ScoreEntry entry{best.header.player, 1200, 40, 4, "2026-12-07", 0};
    scores.table(best.header.piece_set, "marathon").insert(entry);
    EXPECT_TRUE(in_best_games(scores, best.header));
    best.header.taken_over = true;
    EXPECT_FALSE(in_best_games(scores, best.header));
    EXPECT_EQ(0, prune_replays(folder, 1, scores));  // the newest, and a best game
    EXPECT_EQ(1, prune_replays(folder, 0, scores));
    kept = list_replays(folder);
    ASSERT_EQ(1u, kept.size());
    EXPECT_EQ(first, kept[0].file);
    EXPECT_EQ(0, std::remove((folder + "/damaged.txt").c_str()));  // left alone

    EXPECT_EQ("", save_replay(folder + "/damaged.txt/x", best, when, problem));
    EXPECT_NE(std::string::npos, problem.find("cannot make the folder")) << problem;
    std::system(("rm -rf " + folder).c_str());
}
