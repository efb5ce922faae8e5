// The problems found in data files, each tied to a file and, where one applies, a line, and
// named to their author the same wherever they are found: by the game reading a menu, a skin or
// a replay, by the watcher, by the data checker.
#pragma once

#include <string>
#include <vector>

struct Problem {
    std::string file;  // as the game names it, relative to the game folder
    int line;          // 1-based; 0 when no line applies (a whole file, an image)
    bool warning;      // warnings are worth a look but do not stop the game working
    std::string message;
};

// The problems of a whole check, in the order they were found.
class Report {
public:
    std::vector<Problem> problems;  // in the order they were found

    void error(const std::string& file, int line, const std::string& message);
    void warning(const std::string& file, int line, const std::string& message);
    void add(const std::string& file, int line, bool warning, const std::string& message);

    int error_count() const;
    int warning_count() const;

    // The problems grouped by file, the files in the order they were first reported, and
    // within a file by line (problems without a line first), otherwise in the order found.
    std::vector<Problem> sorted() const;

    // Every problem of sorted() as "file:line: message" ("file: message" without a line; a
    // warning's message starts with "warning: "), one per line, then the summary line "N errors, M
    // warnings".
    std::string text() const;
};

// "file:line: message", or "file: message" when the line is 0; a warning's message follows
// "warning: ". As text() writes it, without the line feed.
std::string problem_text(const Problem& problem);

// "1 error, 0 warnings", "3 errors, 1 warning".
std::string summary_text(int errors, int warnings);
