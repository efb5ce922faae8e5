#include "tools/check/kicks_check.h"

#include <climits>
#include <set>

#include "game/handling.h"
#include "input/key_names.h"
#include "kicks/kicks.h"

bool check_kicks_file(const std::string& file_name, int piece_count, bool as_warnings,
                      Report& report) {
    KicksReading reading;
    if (!read_kicks_file(file_name, piece_count < 0 ? INT_MAX : piece_count, reading)) {
        return false;
    }
    for (const KicksProblem& problem : reading.problems) {
        std::string like;
        if (!problem.unknown.empty()) {
            std::set<std::string> expected(problem.expected.begin(), problem.expected.end());
            like = nearest_key_name(problem.unknown, expected);
        }
        std::string message = problem.message + "; the game plays without kicks" +
                              (like.empty() ? "" : ": did you mean " + quoted(like) + "?");
        report.add(file_name, problem.line, as_warnings, message);
    }
    return true;
}

void check_kicks(const CheckedFile& prefs, int piece_count, Report& report) {
    std::string file_name = prefs.value("kicks_file");
    bool by_switch = file_name.empty() && prefs.has("modern_handling");
    if (by_switch) {
        file_name = modern_handling_options().kicks_file;
    }
    if (file_name.empty() || check_kicks_file(file_name, piece_count, by_switch, report)) {
        return;
    }
    std::string message =
        "cannot read the kicks file " + quoted(file_name) + ": the game plays without kicks";
    if (by_switch) {
        prefs.warning("modern_handling", message + " when \"modern_handling\" is on", report);
    } else {
        prefs.error("kicks_file", message, report);
    }
}
