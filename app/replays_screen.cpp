// The kept replays on a screen of their own, newest first, and watching one of them.
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/mode_screens.h"
#include "app/scores_screens.h"
#include "replays/replay_folder.h"
#include "session/session.h"

namespace {

// The rows the replays menu has: the newest games that fit.
const int replay_rows = 10;

// The %key% values of the replays menu: for row r, "dater", "moder", "pointsr" and "playerr",
// empty past the last replay; "empty" says there are none.
ConfigStore replay_keys(const std::vector<KeptReplay>& kept, const ConfigStore& texts) {
    ConfigStore keys;
    for (int row = 1; row <= replay_rows; row++) {
        std::string r = std::to_string(row);
        bool filled = row <= static_cast<int>(kept.size());
        ReplayHeader h = filled ? kept[row - 1].header : ReplayHeader();
        Mode mode = Mode::marathon;
        bool known = mode_from_word(h.mode, mode);
        keys.set_unsaved("date" + r, h.date);
        keys.set_unsaved("mode" + r, known ? mode_title(texts, mode) : h.mode);
        keys.set_unsaved("points" + r, filled ? std::to_string(h.points) : "");
        keys.set_unsaved("player" + r, h.player);
    }
    keys.set_unsaved("empty", kept.empty() ? optional_value(texts, "empty_text") : "");
    return keys;
}

// The row a "replayN" word chooses, 0 for any other word.
int chosen_row(const std::string& word) {
    const std::string prefix = "replay";
    if (word.compare(0, prefix.size(), prefix) != 0 || word.size() == prefix.size()) {
        return 0;
    }
    int row = std::atoi(word.c_str() + prefix.size());
    return row >= 1 && row <= replay_rows ? row : 0;
}

}  // namespace

ConfigStore sample_replay_keys(const std::string& menu_file) {
    ConfigStore texts;
    texts.load(menu_file.c_str());
    const ModeInfo* widest = &mode_table[0];
    for (const ModeInfo& info : mode_table) {
        if (mode_title(texts, info.mode).size() > mode_title(texts, widest->mode).size()) {
            widest = &info;
        }
    }
    std::vector<KeptReplay> samples(replay_rows);
    for (KeptReplay& sample : samples) {
        sample.header.date = "2026-12-31";
        sample.header.mode = widest->word;
        sample.header.points = 99999999;
        sample.header.player = std::string(name_length, 'W');
    }
    ConfigStore keys = replay_keys(samples, texts);
    // Shown only when no replay is kept, but a text that renders nothing is reported.
    std::string empty_text = optional_value(texts, "empty_text");
    keys.set_unsaved("empty", empty_text.empty() ? "-" : empty_text);
    return keys;
}

bool watch_replay(ConfigStore& prefs, Game& game, const Replay& replay, const std::string& file) {
    std::string refusal = game.replay_refusal(replay);
    if (!refusal.empty()) {
        std::printf("can't watch %s: %s\n", file.c_str(), refusal.c_str());
        std::fflush(stdout);
        return false;
    }
    game.recording = replays_enabled(prefs);
    bool quit = game.watch(replay);
    // The replay's seed dealt its pieces; the next game deals from the clock again.
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (game.taken_over) {
        return end_game(prefs, game, quit);
    }
    game.reset();
    return quit;
}

bool replays_screen(ConfigStore& prefs, Game& game) {
    std::string menu_file = optional_value(prefs, "replays_menu");
    // The full screen key and the repeat of a held direction work here as in the other menus.
    Session session(prefs);
    while (true) {
        std::vector<KeptReplay> kept = list_replays(optional_value(prefs, "replays_folder"));
        // The texts for no replays and the modes' titles belong to the skin.
        ConfigStore texts;
        texts.load(menu_file.c_str());
        ConfigStore keys = replay_keys(kept, texts);
        std::string word;
        {
            Menu menu(menu_file.c_str(), &keys);
            menu.session = &session;
            word = menu.run();
        }
        int row = chosen_row(word);
        if (row == 0 && word != "reload") {
            return word == "quit";
        }
        if (row <= static_cast<int>(kept.size()) && row > 0) {
            Replay replay;
            std::string problem;
            // Read again: the listing only kept its header.
            if (!read_replay(kept[row - 1].file, replay, problem)) {
                std::printf("%s\n", problem.c_str());
                std::fflush(stdout);
            } else if (watch_replay(prefs, game, replay, kept[row - 1].file)) {
                return true;
            }
        }
    }
}
