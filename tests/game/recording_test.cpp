// A game is recorded while it is played, written, read back and played again: the replay
// must come to the very same well and counters, for every world the rules can be set to.
#include <cstdlib>
#include <random>
#include <string>

#include "tests/game/game_fixture.h"

namespace {

struct World {
    const char* name;
    std::vector<std::pair<const char*, const char*>> prefs;
    Mode mode;
};

// Presses keys at random moments as a player might, with the loop's passes coming at random
// times, some after a long stall; pauses are short. Stops when the game ends or after
// `passes` passes (then the player leaves).
void play_randomly(Game& g, unsigned script_seed, int passes) {
    std::mt19937 random(script_seed);
    const SDLKey keys[] = {SDLK_LEFT, SDLK_RIGHT, SDLK_UP, SDLK_z,
                           SDLK_DOWN, SDLK_SPACE, SDLK_c,  SDLK_p};
    bool running = true;
    bool quit = false;
    bool changed = false;
    Uint32 now = 0;
    for (int pass = 0; pass < passes && running; pass++) {
        now += random() % 100 == 0 ? 1500 : 1 + random() % 40;
        g.catch_up(now, running, changed);
        int presses = g.paused ? 1 : static_cast<int>(random() % 3);
        for (int k = 0; k < presses && running; k++) {
            SDL_Event event = key_down(g.paused ? SDLK_p : keys[random() % 8]);
            if (random() % 4 == 0) {
                event.type = SDL_KEYUP;  // lets the soft drop go, when it is the down key
            }
            g.take_result(g.handle_event(event), running, quit, changed);
        }
        if (running) {
            g.time_passes(now, running, changed);
        }
    }
    if (running) {
        g.last_end = GameEnd::left;
    }
    g.record_input(ReplayAction::end);
    g.clock.stop(g.pass_time);
}

std::vector<long> counters(Game& g) {
    GameNumbers n = g.numbers(g.pass_time);
    return {n.points, n.lines, n.level, n.pieces, n.presses, n.played_ms};
}

// Records a game of g's mode from its start, played as play_randomly plays with seed (which
// also draws the game's own seed: the same game every run).
Replay record_random_game(Game& g, unsigned seed, int passes) {
    g.recording = true;
    g.reset();
    std::srand(seed);
    g.start_game(0);
    play_randomly(g, seed, passes);
    return g.recorded_replay("Tester", "2026-12-07");
}

}  // namespace

TEST_F(GameTest, ARecordedGameReadBackAndReplayedEndsTheSame) {
    const World worlds[] = {
        {"classic", {}, Mode::marathon},
        {"modern, hold, bag, sprint",
         {{"modern_handling", "1"},
          {"hold_piece", "1"},
          {"hold_key", "c"},
          {"bag_dealer", "1"},
          {"sprint_lines", "3"}},
         Mode::sprint},
        {"lock delay, soft drop, ultra",
         {{"lock_delay", "300"},
          {"soft_drop_interval", "30"},
          {"drop_protect", "100"},
          {"next_count", "3"},
          {"ultra_seconds", "20"}},
         Mode::ultra},
        {"zen", {{"lock_delay", "200"}}, Mode::zen},
    };
    for (const World& world : worlds) {
        Game& g = build_game(world.prefs);
        for (unsigned script = 1; script <= 3; script++) {
            SCOPED_TRACE(std::string(world.name) + ", script " + std::to_string(script));
            g.mode = game_mode(prefs, world.mode, 0);
            std::string text = replay_text(record_random_game(g, script, 4000));
            std::vector<std::vector<Uint8>> board = g.board;
            std::vector<long> live = counters(g);
            bool ended = g.reached_game_over || g.last_end == GameEnd::finished;

            Replay replay;
            std::string problem;
            ASSERT_TRUE(parse_replay(text, "game.txt", replay, problem)) << problem;
            EXPECT_EQ("", g.replay_refusal(replay));
            EXPECT_EQ(ended, g.run_replay(replay));
            EXPECT_EQ(board, g.board);
            EXPECT_EQ(live, counters(g));
            // Played again, the game records the very inputs it was given.
            std::string recorded_again = replay_text(g.recorded_replay("Tester", "2026-12-07"));
            EXPECT_TRUE(text.substr(text.find("inputs:")) ==
                        recorded_again.substr(recorded_again.find("inputs:")));
            EXPECT_TRUE(verify_replay(g, replay).verified);
        }
        for (const auto& setting : world.prefs) {
            prefs.remove(setting.first);
        }
    }
}

TEST_F(GameTest, AReplayWithAnEditedNumberOrOtherRulesIsNotVerified) {
    Game& g = build_game();
    Replay replay = record_random_game(g, 5, 150);
    ASSERT_EQ("lost", replay.header.ending);
    EXPECT_TRUE(verify_replay(g, replay).verified) << verify_replay(g, replay).says;

    Replay edited = replay;
    edited.header.lines += 1;
    EXPECT_EQ("does not match: lines " + std::to_string(edited.header.lines) + " in the replay, " +
                  std::to_string(replay.header.lines) + " played",
              verify_replay(g, edited).says);
    edited = replay;
    edited.header.ending = "left";  // a lost game claims to have been left before its end
    EXPECT_EQ("does not match: the game ends before its last input", verify_replay(g, edited).says);

    prefs.set("lock_delay", "250");
    prefs.set("board_width", "12");
    ReplayVerdict refused = verify_replay(g, replay);
    EXPECT_FALSE(refused.verified);
    EXPECT_EQ("refused: other rules: lock_delay 0 in the replay, 250 here", refused.says);
    edited = replay;
    edited.header.piece_set = "0000000000000000";
    EXPECT_EQ(0u, verify_replay(g, edited).says.find("refused: another piece set: 0000000000000000 "
                                                     "in the replay, "));
    edited.header.mode = "daily";
    edited.header.day = "2026-12-07";
    EXPECT_EQ("refused: a daily game not dealt from its day's pieces",
              verify_replay(g, edited).says);
}

TEST_F(GameTest, AWatchedReplayShowsTheLivePictureStepsAndIsTakenOverIntoAGameOfNoTable) {
    Game& g = build_game({{"replay_speed_keys", "1, 2, 4"}, {"takeover_key", "t"}});
    Replay replay = record_random_game(g, 9, 400);
    g.update_screen();
    SDL_Surface* screen = SDL_GetVideoSurface();
    auto picture = [screen]() {
        const Uint8* pixels = static_cast<const Uint8*>(screen->pixels);
        return std::vector<Uint8>(pixels, pixels + screen->pitch * screen->h);
    };
    std::vector<Uint8> live = picture();

    // Watched in uneven slices of time, as a loop's passes come, at the speed of each key.
    g.begin_replay(replay);
    ReplayWatch watching;
    watching.replay = &replay;
    EXPECT_EQ(0, g.replay_speed_of("3"));
    EXPECT_EQ(4, g.replay_speed_of("4"));
    std::mt19937 random(3);
    bool changed = false;
    while (watching.running && watching.shown < max_replay_ms) {
        g.replay_until(watching, watching.shown + 1 + random() % 90, changed);
    }
    g.update_screen();
    EXPECT_EQ(live, picture());
    EXPECT_EQ(replay.header.points, g.points);

    // Stopped, the move-right key moves on to the next piece and no further; the takeover key
    // hands the game over, which the player plays to its end.
    g.begin_replay(replay);
    watching = ReplayWatch();
    watching.replay = &replay;
    g.replay_until(watching, 1500, changed);
    EXPECT_EQ(WatchAsk::go_on, g.watch_event(key_down(SDLK_p), watching));
    ASSERT_TRUE(watching.stopped);
    int pieces = g.pieces_played;
    EXPECT_EQ(WatchAsk::go_on, g.watch_event(key_down(SDLK_RIGHT), watching));
    EXPECT_EQ(pieces + 1, g.pieces_played);
    Uint32 taken_at = watching.shown;
    EXPECT_EQ(WatchAsk::take_over, g.watch_event(key_down(SDLK_t), watching));
    g.take_over(taken_at);
    bool running = true;
    bool quit = false;
    for (Uint32 now = taken_at + 10; running; now += 10) {
        g.catch_up(now, running, changed);
        g.take_result(g.handle_event(key_down(SDLK_SPACE)), running, quit, changed);
    }
    g.record_input(ReplayAction::end);
    g.clock.stop(g.pass_time);
    EXPECT_FALSE(g.has_result());
    Replay taken = g.recorded_replay("Tester", "2026-12-07");
    EXPECT_TRUE(taken.header.taken_over);
    // The file holds the replay's inputs up to the moment taken, then the player's.
    ASSERT_LT(0u, taken.inputs.size());
    EXPECT_EQ(replay.inputs[0].ms, taken.inputs[0].ms);
    EXPECT_TRUE(verify_replay(g, taken).verified) << verify_replay(g, taken).says;
}
