#include "config/problems.h"

#include <algorithm>

#include "config/config_store.h"

namespace {

std::string counted(int count, const char* noun) {
    return int_to_text(count) + " " + noun + (count == 1 ? "" : "s");
}

}  // namespace

void Report::error(const std::string& file, int line, const std::string& message) {
    add(file, line, false, message);
}

void Report::warning(const std::string& file, int line, const std::string& message) {
    add(file, line, true, message);
}

void Report::add(const std::string& file, int line, bool warning, const std::string& message) {
    problems.push_back(Problem{file, line, warning, message});
}

int Report::error_count() const {
    return static_cast<int>(std::count_if(problems.begin(), problems.end(),
                                          [](const Problem& problem) { return !problem.warning; }));
}

int Report::warning_count() const {
    return static_cast<int>(problems.size()) - error_count();
}

std::vector<Problem> Report::sorted() const {
    std::vector<std::string> files;
    for (const Problem& problem : problems) {
        if (std::find(files.begin(), files.end(), problem.file) == files.end()) {
            files.push_back(problem.file);
        }
    }
    auto file_rank = [&files](const std::string& file) {
        return std::find(files.begin(), files.end(), file) - files.begin();
    };
    std::vector<Problem> sorted = problems;
    std::stable_sort(sorted.begin(), sorted.end(), [&](const Problem& a, const Problem& b) {
        if (a.file != b.file) {
            return file_rank(a.file) < file_rank(b.file);
        }
        return a.line < b.line;
    });
    return sorted;
}

std::string Report::text() const {
    std::string text;
    for (const Problem& problem : sorted()) {
        text += problem_text(problem) + "\n";
    }
    return text + summary_text(error_count(), warning_count()) + "\n";
}

std::string problem_text(const Problem& problem) {
    std::string place =
        problem.line > 0 ? problem.file + ":" + std::to_string(problem.line) : problem.file;
    return place + ": " + (problem.warning ? "warning: " : "") + problem.message;
}

std::string summary_text(int errors, int warnings) {
    return counted(errors, "error") + ", " + counted(warnings, "warning");
}
