#include "modes/game_mode.h"

#include <cstdio>
#include <cstdlib>

const ModeInfo mode_table[5] = {
    {Mode::marathon, "marathon", true, false, false}, {Mode::sprint, "sprint", true, true, true},
    {Mode::ultra, "ultra", true, false, true},        {Mode::zen, "zen", false, false, false},
    {Mode::daily, "daily", true, false, false},
};

const ModeSetting sprint_lines_setting{"sprint_lines", 1, 9999, 40};
// Under 100 minutes, so that the clock's minutes keep to two digits.
const ModeSetting ultra_seconds_setting{"ultra_seconds", 1, 5999, 120};

namespace {

const char* const daily_prefix = "daily-";

// Days since 1970-01-01 of a "YYYY-MM-DD" date; false when it is not one.
bool day_number(const std::string& day, long& number) {
    int year = 0;
    int month = 0;
    int date = 0;
    char end = 0;
    if (day.size() != 10 ||
        std::sscanf(day.c_str(), "%4d-%2d-%2d%c", &year, &month, &date, &end) != 3 || month < 1 ||
        month > 12 || date < 1 || date > 31) {
        return false;
    }
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = date;
    number = static_cast<long>(timegm(&fields) / 86400);
    return true;
}

}  // namespace

const ModeInfo& mode_info(Mode mode) {
    for (const ModeInfo& info : mode_table) {
        if (info.mode == mode) {
            return info;
        }
    }
    return mode_table[0];
}

bool mode_from_word(const std::string& word, Mode& mode) {
    for (const ModeInfo& info : mode_table) {
        if (word == info.word) {
            mode = info.mode;
            return true;
        }
    }
    return false;
}

int read_mode_setting(const ConfigStore& prefs, const ModeSetting& setting) {
    const std::string* text = prefs.find(setting.key);
    if (text == nullptr) {
        return setting.shipped;
    }
    char* end = nullptr;
    long value = std::strtol(text->c_str(), &end, 10);
    bool whole = !text->empty() && *end == '\0';
    if (!whole || value < setting.lowest || value > setting.highest) {
        std::printf("\"%s\" must be a whole number from %i to %i: playing with %i\n", setting.key,
                    setting.lowest, setting.highest, setting.shipped);
        std::fflush(stdout);
        return setting.shipped;
    }
    return static_cast<int>(value);
}

GameMode game_mode(const ConfigStore& prefs, Mode mode, std::time_t now) {
    GameMode game;
    game.mode = mode;
    game.sprint_lines = read_mode_setting(prefs, sprint_lines_setting);
    game.ultra_seconds = read_mode_setting(prefs, ultra_seconds_setting);
    game.day = utc_day(now);
    game.seed = day_seed(game.day);
    return game;
}

std::string utc_day(std::time_t t) {
    std::tm fields{};
    gmtime_r(&t, &fields);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &fields);
    return text;
}

unsigned day_seed(const std::string& day) {
    // FNV-1a over the date's text: every C library's srand then deals the same pieces.
    unsigned hash = 2166136261u;
    for (unsigned char c : day) {
        hash = (hash ^ c) * 16777619u;
    }
    return hash;
}

std::string table_mode(const GameMode& mode) {
    const ModeInfo& info = mode_info(mode.mode);
    if (!info.ranked) {
        return "";
    }
    return mode.mode == Mode::daily ? daily_prefix + mode.day : info.word;
}

bool mode_of_table(const std::string& table, Mode& mode, std::string& day) {
    const std::string prefix = daily_prefix;
    long number = 0;
    if (table.compare(0, prefix.size(), prefix) == 0) {
        day = table.substr(prefix.size());
        mode = Mode::daily;
        return day_number(day, number) && utc_day(number * 86400) == day;
    }
    return mode_from_word(table, mode) && mode_info(mode).ranked && mode != Mode::daily;
}

bool daily_day_kept(const std::string& day, const std::string& today) {
    long from = 0;
    long to = 0;
    if (!day_number(day, from) || !day_number(today, to)) {
        return true;
    }
    // A day after today (a clock set back) is kept: the clock is wrong, not the player's games.
    return to - from < daily_days_kept;
}
