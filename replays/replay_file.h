// A replay: one game as a readable text file that players keep and trade. A header of
// "key: value" lines says under which rules and pieces the game was played and what it came
// to; after the line "inputs:", one line per input that changed the game, the milliseconds
// since the game began and the action ("1520 left"). Gravity is not recorded: it follows from
// the times. The reader takes files from other people and trusts none of it.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The inputs a replay holds. Each one but the last two is what the game's key of that action
// did; release is the held down key let go (soft drop), end the moment the game stopped.
enum class ReplayAction {
    move_left,
    move_right,
    turn_left,
    turn_right,
    move_down,
    drop,
    hold,
    pause,
    release,
    end
};

// One action's word in the file and the setting of the game's key that does it ("" for the
// two that no key does).
struct ReplayActionInfo {
    ReplayAction action;
    const char* word;
    const char* action_key;
};
extern const ReplayActionInfo replay_actions[10];

// The entry of action in replay_actions.
const ReplayActionInfo& replay_action_info(ReplayAction action);

struct ReplayInput {
    std::uint32_t ms;  // since the start of the game
    ReplayAction action;
};

// A setting that changes the rules, as the game played with it: its key and its value.
using RuleSetting = std::pair<std::string, std::string>;

struct ReplayHeader {
    int format = 1;
    std::string game_version;  // of the game that recorded it
    std::string piece_set;     // the piece set's identity, as the scores file keys it
    std::string rules_hash;    // rules_hash(rules)
    std::vector<RuleSetting> rules;
    std::uint32_t seed = 0;   // of the random generator that dealt the pieces
    std::string mode;         // the mode's word: "marathon", "sprint", ...
    std::string day;          // a daily game's day, "YYYY-MM-DD"; "" for the other modes
    std::string player;       // the name the game was entered under; may be empty
    std::string date;         // the day it was played, "YYYY-MM-DD"
    std::string ending;       // "lost", "finished", "left", "closed" or "restarted"
    bool taken_over = false;  // the player took over a replay and played on from it
    int points = 0;
    int lines = 0;
    int level = 0;
    std::uint32_t time = 0;  // milliseconds played
};

struct Replay {
    ReplayHeader header;
    std::vector<ReplayInput> inputs;  // in time order; the last is the end
};

// The format this game writes and reads; a replay of another format is refused.
const int replay_format = 1;

// The version of this game, as its replays carry it.
const char* game_version();

// The hash a replay keeps of its rules: 16 lowercase hexadecimal digits of the 64-bit FNV-1a
// hash of every "key=value" line, in order.
std::string rules_hash(const std::vector<RuleSetting>& rules);

// The replay as its file holds it.
std::string replay_text(const Replay& replay);

// The most bytes a replay file may have: a game of hours is a few hundred kilobytes.
const size_t max_replay_bytes = 4 * 1024 * 1024;
// The longest game a replay may hold: a day.
const std::uint32_t max_replay_ms = 24u * 60 * 60 * 1000;

// Reads a replay from text, the content of file_name. False on anything that is not a sound
// replay: a byte that is not printable ASCII, a missing, repeated or unknown header key, a
// number out of its range, a rules hash that does not match the rules, another format, an
// unknown action, a time going backwards or past max_replay_ms, an input after the end, no end,
// more than max_replay_bytes. problem then holds "file_name:line: what" (line 0 for the
// whole file), and replay is left in an unspecified state. Prints nothing.
bool parse_replay(const std::string& text, const std::string& file_name, Replay& replay,
                  std::string& problem);

// Reads the file file_name like parse_replay; a file that cannot be opened or is too big is
// refused with "file_name: ..." in problem.
bool read_replay(const std::string& file_name, Replay& replay, std::string& problem);
