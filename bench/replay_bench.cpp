// Replays: a ten-minute game recorded as a player's inputs, then verified headless (played
// again from its seed, every millisecond of it, and compared with its header).
#include <cstdlib>

#include "bench/alloc_counter.h"
#include "bench/bench_support.h"
#include "bench/benchmarks.h"
#include "bench/replay_player.h"

namespace {

const Uint32 ten_minutes = 10 * 60 * 1000;
const Uint32 press_gap = 150;  // ms between a player's presses

// Presses the key of action at now, after the clocks have caught up with it.
void press_at(Game& game, ReplayAction action, Uint32& now, bool& running) {
    bool changed = false;
    bool quit = false;
    now += press_gap;
    game.catch_up(now, running, changed);
    if (running) {
        game.take_result(game.apply_input(action), running, quit, changed);
    }
    if (running) {
        game.time_passes(now, running, changed);
    }
}

// Ten minutes of zen (the well is emptied rather than lost), each piece placed by the scripted
// player's plan with a press every press_gap ms: turns, shifts, then the drop.
Replay ten_minute_game(Game& game) {
    game.mode = GameMode();
    game.mode.mode = Mode::zen;
    game.recording = true;
    game.reset();
    std::srand(20261207);
    game.start_game(0);
    Uint32 now = 0;
    bool running = true;
    for (long long number = 1; running && now < ten_minutes; number++) {
        Plan plan = choose_plan(game, number);
        for (int turn = 0; turn < (plan.turns == 3 ? 1 : plan.turns); turn++) {
            press_at(game, plan.turns == 3 ? ReplayAction::turn_left : ReplayAction::turn_right,
                     now, running);
        }
        for (int shift = 0; shift < std::abs(plan.shift); shift++) {
            press_at(game, plan.shift < 0 ? ReplayAction::move_left : ReplayAction::move_right, now,
                     running);
        }
        press_at(game, ReplayAction::drop, now, running);
    }
    game.last_end = GameEnd::left;
    game.record_input(ReplayAction::end);
    game.clock.stop(game.pass_time);
    game.recording = false;
    return game.recorded_replay("Bench", "2026-12-07");
}

}  // namespace

void replay_verify_ten_minutes(benchmark::State& state) {
    Game& game = *world().game;
    if (!game.has_pieces()) {
        fail(state, "the pieces file gives no piece");
        return;
    }
    Replay replay = ten_minute_game(game);
    ReplayVerdict verdict{false, ""};
    for (auto _ : state) {
        verdict = verify_replay(game, replay);
    }
    if (!verdict.verified) {
        fail(state, ("the recorded game is not verified: " + verdict.says).c_str());
        return;
    }
    state.counters["file_bytes"] = static_cast<double>(replay_text(replay).size());
    state.counters["inputs"] = static_cast<double>(replay.inputs.size());
    state.counters["points"] = replay.header.points;
    state.counters["game_ms"] = replay.header.time;
}
