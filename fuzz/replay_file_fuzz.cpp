// Fuzzes the replay reader: any bytes as a replay file. What it accepts must hold what the
// game relies on (inputs in time order, one end and nothing after it, the rules matching their
// hash), be written back as it was read, and read again to the same replay; what it refuses
// must be named by a "file:line: " message.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "replays/replay_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    Replay replay;
    std::string problem;
    if (!parse_replay(text, "fuzz.txt", replay, problem)) {
        require(problem.compare(0, 9, "fuzz.txt:") == 0, "a refusal without its file");
        return 0;
    }
    require(!replay.inputs.empty(), "an accepted replay without inputs");
    for (size_t i = 0; i < replay.inputs.size(); i++) {
        const ReplayInput& input = replay.inputs[i];
        require(input.ms <= max_replay_ms, "an input past the longest game");
        require(i == 0 || input.ms >= replay.inputs[i - 1].ms, "an input going backwards");
        bool last = i + 1 == replay.inputs.size();
        require((input.action == ReplayAction::end) == last, "an end that is not the last input");
    }
    require(rules_hash(replay.header.rules) == replay.header.rules_hash, "rules off their hash");
    std::string written = replay_text(replay);
    Replay again;
    require(parse_replay(written, "again.txt", again, problem), "a written replay is refused");
    require(replay_text(again) == written, "a written replay reads back otherwise");
    return 0;
}
