#include "tools/check/data_check.h"

#include "app/mode_screens.h"
#include "app/scores_screens.h"
#include "config/player_prefs.h"
#include "input/bindings.h"
#include "input/key_names.h"
#include "tools/check/checked_file.h"
#include "tools/check/kicks_check.h"
#include "tools/check/menu_check.h"
#include "tools/check/modes_check.h"
#include "tools/check/pieces_check.h"
#include "tools/check/prefs_check.h"
#include "tools/check/replays_check.h"
#include "tools/check/scores_check.h"
#include "tools/check/skin_check.h"
#include "tools/check/sound_check.h"

namespace {

// Returns how many pieces the kicks file may name: the lines of the pieces file; -1 when it
// cannot be read.
int check_pieces(const CheckedFile& prefs, const PiecesSourceText* source, Report& report) {
    std::string file_name = prefs.value("pieces_file");
    int lines = file_name.empty() ? -1 : check_pieces_file(file_name, report, source);
    if (!file_name.empty() && lines < 0) {
        prefs.error("pieces_file", "cannot read the pieces file " + quoted(file_name), report);
    }
    return lines;
}

// The menus of one check, against one window; each one's background is recorded.
struct MenuChecks {
    const CheckedFile& prefs;
    WindowSize window;
    Backgrounds& backgrounds;
    Report& report;

    // Checks the menu file prefs names at key, if it names one; texts fills its %key% texts
    // (sample values show every text as it renders) or is null.
    void check(const char* key, MenuRole role, ConfigStore* texts) {
        std::string file_name = prefs.value(key);
        if (file_name.empty()) {
            return;  // reported with the keys of "prefs.txt" where it is needed
        }
        CheckedFile menu;
        if (!menu.load(file_name)) {
            prefs.error(key, "cannot read the menu file " + quoted(file_name), report);
            return;
        }
        check_lines(menu, report);
        check_menu(menu, role, window, texts, backgrounds, report);
    }
};

}  // namespace

void check_game_folder(Report& report, const PiecesSourceText* pieces_source) {
    CheckedFile prefs;
    if (!prefs.load(player_prefs_file)) {
        report.error(player_prefs_file, 0, "cannot be read: run the checker in the game's folder");
        return;
    }
    check_settings_and_files(prefs, pieces_source, report);
    check_skins(prefs, report);
}

void check_settings_and_files(const CheckedFile& prefs, const PiecesSourceText* pieces_source,
                              Report& report) {
    Backgrounds backgrounds;
    check_lines(prefs, report);
    WindowSize window = check_prefs(prefs, sdl_key_names(), backgrounds, report);
    check_sounds(prefs, sdl_key_names(), report);
    check_kicks(prefs, check_pieces(prefs, pieces_source, report), report);
    MenuChecks menus{prefs, window, backgrounds, report};
    bool scores = scores_enabled(prefs.store);
    menus.check("main_menu", scores ? MenuRole::main_menu_with_scores : MenuRole::main_menu,
                nullptr);
    check_modes_settings(prefs, report);
    if (modes_enabled(prefs.store)) {
        CheckedFile main_menu;
        if (main_menu.load(prefs.value("main_menu"))) {
            check_modes_offered(main_menu, report);
        }
        ConfigStore texts = sample_mode_keys(prefs.store);
        menus.check("modes_menu", MenuRole::modes_menu, &texts);
    }
    ConfigStore numbers = sample_summary_keys(prefs.value("summary_menu"));
    menus.check("summary_menu", MenuRole::summary_menu, &numbers);
    check_replays_settings(prefs, report);
    ConfigStore rows = sample_replay_keys(prefs.value("replays_menu"));
    menus.check("replays_menu", MenuRole::replays_menu, &rows);
    if (scores) {
        check_scores_settings(prefs, report);
        ConfigStore table = sample_table_keys(prefs.value("scores_menu"));
        menus.check("scores_menu", MenuRole::scores_menu, &table);
        ConfigStore entry = sample_entry_keys();
        menus.check("name_menu", MenuRole::name_menu, &entry);
    }
    // The preferences menu shows preference values in its texts; the game's substitution adds
    // keys it looks up, so it works on a copy.
    ConfigStore substitutions = shown_bindings(prefs.store);
    menus.check("prefs_menu", MenuRole::prefs_menu, &substitutions);
    check_window_covered(prefs, window, backgrounds, report);
}
