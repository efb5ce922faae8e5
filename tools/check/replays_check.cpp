#include "tools/check/replays_check.h"

#include <sys/stat.h>

#include <cstdlib>

#include "replays/replay_folder.h"

namespace {

// Splits the reader's "file:line: what" of a file in folder into the report's parts.
void report_refused(const std::string& problem, Report& report) {
    size_t end_of_file = problem.find(".txt:") + 4;
    size_t end_of_line = problem.find(": ", end_of_file);
    int line = std::atoi(problem.substr(end_of_file + 1, end_of_line - end_of_file - 1).c_str());
    report.warning(problem.substr(0, end_of_file), line,
                   problem.substr(end_of_line + 2) +
                       ": not a replay the game can play, so it "
                       "is not listed");
}

}  // namespace

void check_replays_settings(const CheckedFile& prefs, Report& report) {
    std::string folder = prefs.value("replays_folder");
    if (folder.empty()) {
        return;
    }
    struct stat info;
    if (stat(folder.c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
        prefs.error("replays_folder",
                    quoted(folder) + " is not a folder: no game can be recorded there", report);
        return;
    }
    std::vector<std::string> problems;
    list_replays(folder, &problems);
    for (const std::string& problem : problems) {
        report_refused(problem, report);
    }
}
