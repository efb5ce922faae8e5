// The player's replays folder: a game's replay saved there when it ends, the kept replays
// listed newest first, and the old ones removed, all but the last few and the best games.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "replays/replay_file.h"
#include "scores/score_file.h"

// A replay of the folder that reads soundly.
struct KeptReplay {
    std::string file;  // its path: the folder, "/", the file's name
    ReplayHeader header;
    std::time_t changed = 0;  // when the file was last written
};

// The file name a replay saved at `when` gets: "YYYY-MM-DD_HH-MM-SS_<mode>.txt" (UTC), so that
// the names sort in the order the games were played.
std::string replay_file_name(const ReplayHeader& header, std::time_t when);

// Saves replay into folder (made first if missing) under replay_file_name, with "_2", "_3"...
// before ".txt" when that name is taken, through the store's safe save. Returns the path, or
// "" when it could not be written (problem then says why; nothing else is touched).
std::string save_replay(const std::string& folder, const Replay& replay, std::time_t when,
                        std::string& problem);

// Every file of folder ending in ".txt" that reads as a replay, newest first (by when it was
// written, then by name, later first). Each file that does not read is skipped, and its
// problem ("file:line: ...") added to problems when they are asked for. Prints nothing. A
// missing folder has none.
std::vector<KeptReplay> list_replays(const std::string& folder,
                                     std::vector<std::string>* problems = nullptr);

// Whether the game of header holds a place in a table of scores: not taken over, and an entry
// of its piece set's table of its mode with its name, date, points, lines, level (and, in a
// table ranked by time, its time).
bool in_best_games(const ScoreFile& scores, const ReplayHeader& header);
// Whether header is the game of entry (in a table ranked by time when by_time): not taken over,
// the same name, date, points, lines, level and, by time, time.
bool is_replay_of(const ReplayHeader& header, const ScoreEntry& entry, bool by_time);

// Removes the replays of folder past the `kept` newest, keeping every one in_best_games.
// Files that do not read as replays are left alone. Returns how many were removed.
int prune_replays(const std::string& folder, int kept, const ScoreFile& scores);
