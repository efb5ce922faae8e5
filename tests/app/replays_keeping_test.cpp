#include <gtest/gtest.h>

#include <cstdio>

#include "app/scores_screens.h"
#include "replays/replay_folder.h"
#include "tests/game/game_fixture.h"

namespace {

// A short game of a few presses, played as the loop plays it, then left.
void play_short_game(Game& g) {
    g.recording = true;
    g.reset();
    g.start_game(0);
    bool running = true;
    bool quit = false;
    bool changed = false;
    const SDLKey keys[] = {SDLK_LEFT, SDLK_UP, SDLK_SPACE, SDLK_RIGHT, SDLK_SPACE};
    Uint32 now = 0;
    for (SDLKey key : keys) {
        now += 400;
        g.catch_up(now, running, changed);
        g.take_result(g.handle_event(key_down(key)), running, quit, changed);
        g.time_passes(now, running, changed);
    }
    g.last_end = GameEnd::left;
    g.record_input(ReplayAction::end);
    g.clock.stop(g.pass_time);
}

}  // namespace

TEST_F(GameTest, EachGameIsKeptAsAReplayAndAFailedSaveIsOneMessage) {
    Game& g = build_game();
    prefs.set("replays_folder", "replays");
    prefs.set("replays_kept", "2");
    prefs.set("player_name", "Tester");
    for (int game = 0; game < 3; game++) {
        play_short_game(g);
        keep_replay(prefs, g);
    }
    std::vector<KeptReplay> kept = list_replays("replays");
    ASSERT_EQ(2u, kept.size());  // the oldest of three went
    EXPECT_EQ("Tester", kept[0].header.player);
    Replay replay;
    std::string problem;
    ASSERT_TRUE(read_replay(kept[0].file, replay, problem)) << problem;
    EXPECT_TRUE(verify_replay(g, replay).verified);

    prefs.set("replays_folder", "prefs.txt/replays");
    play_short_game(g);
    testing::internal::CaptureStdout();
    keep_replay(prefs, g);
    EXPECT_EQ(0u, testing::internal::GetCapturedStdout().find(
                      "couldn't save the replay: cannot make the folder prefs.txt/replays"));
}

TEST_F(GameTest, ABestGameIsMarkedOnlyWhenItsKeptReplayIsVerified) {
    Game& g = build_game();
    prefs.set("replays_folder", "replays");
    prefs.set("player_name", "Tester");
    play_short_game(g);
    keep_replay(prefs, g);
    std::vector<KeptReplay> kept = list_replays("replays");
    ASSERT_EQ(1u, kept.size());
    Replay edited;
    std::string problem;
    ASSERT_TRUE(read_replay(kept[0].file, edited, problem)) << problem;
    edited.header.points += 10;  // a claim the inputs do not come to
    ASSERT_NE("", save_replay("replays", edited, 0, problem)) << problem;

    ScoreTable table;
    for (const ReplayHeader& h : {edited.header, kept[0].header}) {
        table.entries.push_back(ScoreEntry{h.player, h.points, h.lines, h.level, h.date, 0});
    }
    table.entries.push_back(ScoreEntry{"Nobody", 5, 0, 1, "2026-01-01", 0});
    std::vector<std::string> rows = verified_rows(prefs, &g, table, GameMode());
    EXPECT_EQ((std::vector<std::string>{"", kept[0].file, ""}), rows);
    EXPECT_EQ(std::vector<std::string>(3), verified_rows(prefs, nullptr, table, GameMode()));
}
