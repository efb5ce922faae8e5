// The game's clock, recording a game's inputs, and playing a recorded game again. A replay
// holds only the inputs and their times; everything else follows from the seed and the
// clock, which gives each millisecond its turn, in play as in a replay.
#include <cstdlib>

#include "config/player_prefs.h"
#include "config/safe_file.h"
#include "game/game.h"
#include "scores/score_table.h"

ReplayAction replay_input_of(const std::string& action_key) {
    for (const ReplayActionInfo& info : replay_actions) {
        if (action_key == info.action_key) {
            return info.action;
        }
    }
    return ReplayAction::end;
}

Uint32 Game::next_pass_time() {
    Uint32 now = game_now();
    while (static_cast<Sint32>(now - time_done) < 1) {
        SDL_Delay(1);
        now = game_now();
    }
    return now;
}

void Game::catch_up(Uint32 now, bool& running, bool& changed) {
    // Nothing moves while paused: the clocks' turns would only be skipped one by one.
    if (paused) {
        time_done = now - 1;
    }
    while (running && static_cast<Sint32>(now - time_done) > 1) {
        time_passes(time_done + 1, running, changed);
    }
    if (running) {
        pass_time = now;
    }
}

void Game::time_passes(Uint32 now, bool& running, bool& changed) {
    time_done = now;
    // Whatever comes in while paused (any event wakes the loop) must not touch the clocks, or
    // a replay, which has only the inputs, would differ; resume_game restarts them.
    if (paused) {
        return;
    }
    FallSteps steps = advance_fall_clock(now);
    if (steps.changed) {
        changed = true;
    }
    if (steps.game_over) {
        bool quit = false;
        take_result(2, running, quit, changed);  // as a drop that ends the game
    }
    if (running && soft_drop_step(now)) {
        changed = true;
    }
    if (running) {
        follow_mode(now, running, changed);
    }
}

void Game::choose_seed() {
    if (!recording && !seed_given) {
        return;
    }
    if (mode.mode == Mode::daily) {
        game_seed = mode.seed;  // begin_mode seeds with it
    } else if (!seed_given) {
        game_seed = static_cast<unsigned>(std::rand());
    }
    seed_given = false;
    std::srand(game_seed);
    recorded.clear();
    // Room for a long game at once: no allocation while the player plays.
    recorded.reserve(8192);
}

void Game::record_input(ReplayAction action) {
    if (recording) {
        recorded.push_back(ReplayInput{pass_time, action});
    }
}

void Game::note_release(bool was_held) {
    if (was_held && !soft_drop_held()) {
        record_input(ReplayAction::release);
    }
}

int Game::apply_input(ReplayAction action) {
    if (action == ReplayAction::release) {
        bool was_held = soft_drop_held();
        handling_state.soft_drop_key = false;
        handling_state.soft_drop_pad = false;
        note_release(was_held);
        return 0;
    }
    // A replay from elsewhere may hold what these rules cannot do: the hold box only with its
    // option on, as its key.
    if (action == ReplayAction::end || (action == ReplayAction::hold && !option_on("hold_piece"))) {
        return 0;
    }
    const char* key = replay_action_info(action).action_key;
    return count_press(key, perform(key));
}

namespace {

std::string content_hash(const std::string& file_name) {
    std::string bytes;
    if (file_name.empty() || !read_file_contents(file_name, bytes)) {
        return "";
    }
    return rules_hash({{"", bytes}});
}

const char* ending_word(GameEnd end, bool lost) {
    if (lost) {
        return "lost";
    }
    switch (end) {
        case GameEnd::finished:
            return "finished";
        case GameEnd::left:
            return "left";
        case GameEnd::closed:
            return "closed";
        case GameEnd::restarted:
            return "restarted";
        default:
            return "lost";
    }
}

}  // namespace

std::vector<RuleSetting> Game::rule_settings(const GameMode& mode_played) const {
    KeyRepeat repeat = key_repeat(*config);
    HandlingOptions rules = read_handling(*config);
    auto number = [](int value) { return std::to_string(value); };
    return {
        {"board_width", number(board_width())},
        {"board_height", number(board_height())},
        {"key_repeat_delay", number(repeat.delay)},
        {"key_repeat_rate", number(repeat.rate)},
        {"hold_piece", number(option_on("hold_piece") ? 1 : 0)},
        {"bag_dealer", number(option_on("bag_dealer") ? 1 : 0)},
        {"lock_delay", number(rules.lock_delay)},
        {"lock_resets", number(rules.lock_resets)},
        {"next_count", number(rules.next_count)},
        {"soft_drop_interval", number(rules.soft_drop_interval)},
        {"drop_protect", number(rules.drop_protect)},
        {"kicks", content_hash(rules.kicks_file)},
        {"sprint_lines", number(mode_played.sprint_lines)},
        {"ultra_seconds", number(mode_played.ultra_seconds)},
    };
}

Replay Game::recorded_replay(const std::string& player, const std::string& date) const {
    Replay replay;
    ReplayHeader& h = replay.header;
    h.game_version = game_version();
    h.piece_set = piece_set_id(piece_descriptions);
    h.rules = rule_settings(mode);
    h.rules_hash = rules_hash(h.rules);
    h.seed = game_seed;
    h.mode = mode_info(mode.mode).word;
    h.day = mode.mode == Mode::daily ? mode.day : "";
    h.player = valid_name(player) ? player : "";
    h.date = date;
    h.ending = ending_word(last_end, reached_game_over);
    h.taken_over = taken_over;
    GameNumbers counted = numbers(pass_time);
    h.points = counted.points;
    h.lines = counted.lines;
    h.level = counted.level;
    h.time = counted.played_ms;
    replay.inputs = recorded;
    return replay;
}

std::string Game::replay_refusal(const Replay& replay) const {
    const ReplayHeader& h = replay.header;
    Mode played = Mode::marathon;
    if (!mode_from_word(h.mode, played)) {
        return "a way to play this game does not know: \"" + h.mode + "\"";
    }
    if (played == Mode::daily && (h.day.empty() || h.seed != day_seed(h.day))) {
        return "a daily game not dealt from its day's pieces";
    }
    std::string here = piece_set_id(piece_descriptions);
    if (h.piece_set != here) {
        return "another piece set: " + h.piece_set + " in the replay, " + here + " here";
    }
    GameMode numbers_here = game_mode(*config, played, 0);
    std::vector<RuleSetting> rules = rule_settings(numbers_here);
    std::string differ;
    for (const RuleSetting& rule : rules) {
        std::string theirs = "(none)";
        for (const RuleSetting& their_rule : h.rules) {
            theirs = their_rule.first == rule.first ? their_rule.second : theirs;
        }
        if (theirs != rule.second) {
            differ += (differ.empty() ? "" : ", ") + rule.first + " " + theirs +
                      " in the replay, " + rule.second + " here";
        }
    }
    if (differ.empty() && h.rules != rules) {
        differ = "settings this game does not know";
    }
    return differ.empty() ? "" : "other rules: " + differ;
}

void Game::begin_replay(const Replay& replay) {
    const ReplayHeader& h = replay.header;
    Mode played = Mode::marathon;
    mode_from_word(h.mode, played);
    mode = game_mode(*config, played, 0);
    mode.day = h.day;
    mode.seed = h.seed;
    reset();
    reached_game_over = false;
    last_end = GameEnd::lost;
    game_seed = h.seed;
    seed_given = true;
    start_game(0);
}

void Game::replay_inputs_through(const Replay& replay, size_t& next, Uint32 until, bool& running,
                                 bool& changed) {
    const std::vector<ReplayInput>& inputs = replay.inputs;
    bool ends_itself = replay.header.ending == "lost" || replay.header.ending == "finished";
    while (next < inputs.size() && inputs[next].ms <= until && running) {
        Uint32 now = inputs[next].ms;
        catch_up(now, running, changed);
        bool ended = false;
        for (; next < inputs.size() && inputs[next].ms == now && running; next++) {
            ended = inputs[next].action == ReplayAction::end;
            bool quit = false;
            take_result(apply_input(inputs[next].action), running, quit, changed);
        }
        if (running && (!ended || ends_itself)) {
            time_passes(now, running, changed);
        }
        running = running && !ended;
    }
}

bool Game::run_replay(const Replay& replay) {
    begin_replay(replay);
    bool running = true;
    bool changed = false;
    size_t next = 0;
    replay_inputs_through(replay, next, max_replay_ms, running, changed);
    record_input(ReplayAction::end);
    clock.stop(pass_time);
    return reached_game_over || last_end == GameEnd::finished;
}

ReplayVerdict verify_replay(Game& game, const Replay& replay) {
    std::string refusal = game.replay_refusal(replay);
    if (!refusal.empty()) {
        return ReplayVerdict{false, "refused: " + refusal};
    }
    bool ended_itself = game.run_replay(replay);
    GameNumbers played = game.numbers(game.pass_time);
    const ReplayHeader& h = replay.header;
    std::string differ;
    auto compare = [&differ](const char* what, long long claimed, long long got) {
        if (claimed != got) {
            differ += (differ.empty() ? "" : ", ") + std::string(what) + " " +
                      std::to_string(claimed) + " in the replay, " + std::to_string(got) +
                      " played";
        }
    };
    compare("points", h.points, played.points);
    compare("lines", h.lines, played.lines);
    compare("level", h.level, played.level);
    compare("time", h.time, played.played_ms);
    bool claims_end = h.ending == "lost" || h.ending == "finished";
    if (claims_end != ended_itself) {
        differ += std::string(differ.empty() ? "" : ", ") +
                  (claims_end ? "the game does not end" : "the game ends before its last input");
    }
    game.reset();
    if (!differ.empty()) {
        return ReplayVerdict{false, "does not match: " + differ};
    }
    return ReplayVerdict{true, "verified: " + std::to_string(h.points) + " points, " +
                                   std::to_string(h.lines) + " lines, level " +
                                   std::to_string(h.level) + ", " +
                                   time_text(static_cast<int>(h.time))};
}
