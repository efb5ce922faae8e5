// The player's prefs.txt kept by the browser, brought up to date with the shipped one before
// the game starts, as the desktop's run folder and an installed game bring theirs.
#include <emscripten.h>

#include "config/player_prefs.h"
#include "config/prefs_update.h"

// Called by the page (page_storage.js) in the game's folder once the kept files are back and
// the shipped prefs.txt moved aside as shipped_file. Returns update_player_prefs's status.
extern "C" EMSCRIPTEN_KEEPALIVE int web_update_kept_prefs(const char* shipped_file) {
    return update_player_prefs(player_prefs_file, "prefs.txt.shipped", shipped_file);
}
