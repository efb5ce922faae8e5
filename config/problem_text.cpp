#include "config/problem_text.h"

std::string problem_text(const std::string& file, int line, bool warning,
                         const std::string& message) {
    std::string place = line > 0 ? file + ":" + std::to_string(line) : file;
    return place + ": " + (warning ? "warning: " : "") + message;
}
