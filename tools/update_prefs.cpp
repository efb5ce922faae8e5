// derevarez-update-prefs PLAYER_PREFS SHIPPED_COPY NEW_SHIPPED
//
// Brings the player's prefs.txt up to date with the prefs.txt a newer build or version ships,
// keeping what the player changed (see config/prefs_update.h). Names every changed key on
// standard output; status 1 when a file cannot be read or written.
#include <cstdio>

#include "config/prefs_update.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::printf("usage: derevarez-update-prefs PLAYER_PREFS SHIPPED_COPY NEW_SHIPPED\n");
        return 1;
    }
    return update_player_prefs(argv[1], argv[2], argv[3]);
}
