// derevarez-check --replay: plays replay files again on the game of the current folder and
// tells for each whether it comes to what it claims.
#pragma once

#include <string>
#include <vector>

// Reads the current folder's "prefs.txt" (with its skin), builds the game on SDL's dummy video
// driver (started by the caller) and verifies each file: prints "<file>: verified: ...", or
// "<file>: refused: ..." / "<file>: does not match: ...", or the reader's "<file>:<line>: ..."
// for a file that is no sound replay. Returns 0 when every file is verified, 1 when one is not,
// 2 when the game cannot be built (no "prefs.txt" here, no window).
int check_replays(const std::vector<std::string>& files);
