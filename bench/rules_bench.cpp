// The rules alone: a long seeded game, recorded once with a scripted player and then replayed
// without drawing to the screen.
#include "bench/alloc_counter.h"
#include "bench/bench_support.h"
#include "bench/benchmarks.h"
#include "bench/replay_player.h"

namespace {

const unsigned replay_seed = 20261206;
const int replay_pieces = 2000;

}  // namespace

void rules_replay(benchmark::State& state) {
    Game& game = *world().game;
    if (!game.has_pieces()) {
        fail(state, "the pieces file gives no piece");
        return;
    }
    std::vector<Plan> plans;
    ReplayResult recorded = record_replay(game, replay_seed, replay_pieces, plans);
    ReplayResult replayed;
    AllocCount allocations;
    for (auto _ : state) {
        replayed = play_replay(game, replay_seed, plans);
    }
    double pieces = static_cast<double>(state.iterations()) * static_cast<double>(recorded.pieces);
    double new_per_piece = allocations.new_per_op(static_cast<long long>(pieces));
    if (replayed.points != recorded.points || replayed.lines != recorded.lines) {
        fail(state, "the replay played another game than the one recorded");
        return;
    }
    state.SetItemsProcessed(static_cast<int64_t>(pieces));
    state.counters["pieces"] = static_cast<double>(recorded.pieces);
    state.counters["games"] = static_cast<double>(recorded.games);
    state.counters["lines"] = static_cast<double>(recorded.lines);
    state.counters["new_per_piece"] = new_per_piece;
}
