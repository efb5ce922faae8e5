#include "replays/replay_folder.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "config/safe_file.h"
#include "modes/game_mode.h"

std::string replay_file_name(const ReplayHeader& header, std::time_t when) {
    std::tm utc{};
    gmtime_r(&when, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &utc);
    return std::string(text) + "_" + header.mode + ".txt";
}

namespace {

bool exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

bool ends_with(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::string save_replay(const std::string& folder, const Replay& replay, std::time_t when,
                        std::string& problem) {
    if (mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST) {
        problem = "cannot make the folder " + folder + ": " + std::strerror(errno);
        return "";
    }
    std::string name = replay_file_name(replay.header, when);
    std::string stem = folder + "/" + name.substr(0, name.size() - 4);
    std::string path = stem + ".txt";
    for (int number = 2; exists(path) && number < 1000; number++) {
        path = stem + "_" + std::to_string(number) + ".txt";
    }
    if (!replace_file_contents(path.c_str(), replay_text(replay))) {
        problem = "cannot write " + path + ": " + std::strerror(errno);
        return "";
    }
    return path;
}

std::vector<KeptReplay> list_replays(const std::string& folder,
                                     std::vector<std::string>* problems) {
    std::vector<KeptReplay> kept;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return kept;
    }
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        std::string path = folder + "/" + name;
        struct stat info;
        if (!ends_with(name, ".txt") || stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            continue;
        }
        Replay replay;
        std::string problem;
        if (!read_replay(path, replay, problem)) {
            if (problems != nullptr) {
                problems->push_back(problem);
            }
            continue;
        }
        kept.push_back(KeptReplay{path, replay.header, info.st_mtime});
    }
    closedir(dir);
    std::sort(kept.begin(), kept.end(), [](const KeptReplay& a, const KeptReplay& b) {
        return a.changed != b.changed ? a.changed > b.changed : a.file > b.file;
    });
    return kept;
}

bool in_best_games(const ScoreFile& scores, const ReplayHeader& header) {
    GameMode mode;
    if (!mode_from_word(header.mode, mode.mode)) {
        return false;
    }
    mode.day = header.day;
    std::string table_name = table_mode(mode);
    auto table = scores.tables.find(table_key(header.piece_set, table_name));
    if (table_name.empty() || table == scores.tables.end()) {
        return false;
    }
    for (const ScoreEntry& entry : table->second.entries) {
        if (is_replay_of(header, entry, table->second.by_time)) {
            return true;
        }
    }
    return false;
}

bool is_replay_of(const ReplayHeader& header, const ScoreEntry& entry, bool by_time) {
    return !header.taken_over && entry.name == header.player && entry.date == header.date &&
           entry.points == header.points && entry.lines == header.lines &&
           entry.level == header.level && (!by_time || entry.time == static_cast<int>(header.time));
}

int prune_replays(const std::string& folder, int kept, const ScoreFile& scores) {
    std::vector<KeptReplay> replays = list_replays(folder);
    int removed = 0;
    for (size_t i = static_cast<size_t>(std::max(kept, 0)); i < replays.size(); i++) {
        if (!in_best_games(scores, replays[i].header) &&
            std::remove(replays[i].file.c_str()) == 0) {
            removed++;
        }
    }
    return removed;
}
