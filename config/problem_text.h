// How a problem of a data file is named to its author, the same wherever it is found: by the
// game reading a menu or a skin, by the watcher, by the data checker.
#pragma once

#include <string>

// "file:line: message", or "file: message" when line is 0 (the whole file); a warning's message
// follows "warning: ".
std::string problem_text(const std::string& file, int line, bool warning,
                         const std::string& message);
