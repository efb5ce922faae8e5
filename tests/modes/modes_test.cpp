#include <gtest/gtest.h>

#include "modes/game_mode.h"
#include "tests/support/test_support.h"

TEST(ModeSettings, ABadValueIsNamedWithItsRangeOnceAndTheShippedOneIsPlayed) {
    const struct {
        const char* value;  // nullptr: no line at all
        int played;
        bool reported;
    } cases[] = {
        {nullptr, 40, false}, {"25", 25, false}, {"9999", 9999, false},
        {"0", 40, true},      {"-5", 40, true},  {"ten", 40, true},
        {"12x", 40, true},    {"", 40, true},    {"10000", 40, true},
    };
    for (const auto& c : cases) {
        CommandResult result = run_in_child([&c] {
            ConfigStore prefs;
            if (c.value != nullptr) {
                prefs.set("sprint_lines", c.value);
            }
            GameMode mode = game_mode(prefs, Mode::sprint, 0);
            std::exit(mode.sprint_lines == c.played && mode.ultra_seconds == 120 &&
                              prefs.find("ultra_seconds") == nullptr
                          ? 0
                          : 1);
        });
        EXPECT_EQ(result.status, 0) << c.value;
        EXPECT_EQ(result.output, c.reported ? "\"sprint_lines\" must be a whole number from 1 to "
                                              "9999: playing with 40\n"
                                            : "")
            << c.value;
    }
}

TEST(ModeTables, EachRankedModeHasATableAndDailyOneADayKeptAWeek) {
    GameMode mode = game_mode(ConfigStore(), Mode::daily, 86400 * 365);  // 1971-01-01, UTC
    EXPECT_EQ(table_mode(mode), "daily-1971-01-01");
    EXPECT_EQ(mode.seed, day_seed("1971-01-01"));
    mode.mode = Mode::zen;
    EXPECT_EQ(table_mode(mode), "");
    Mode read = Mode::marathon;
    std::string day;
    EXPECT_TRUE(mode_of_table("sprint", read, day));
    EXPECT_EQ(read, Mode::sprint);
    EXPECT_TRUE(mode_of_table("daily-2024-02-29", read, day));
    EXPECT_EQ(day, "2024-02-29");
    for (const char* unknown : {"zen", "daily", "daily-2026-02-30", "daily-2026-1-01", "race"}) {
        EXPECT_FALSE(mode_of_table(unknown, read, day)) << unknown;
    }
    EXPECT_TRUE(daily_day_kept("2026-12-01", "2026-12-07"));
    EXPECT_FALSE(daily_day_kept("2026-11-30", "2026-12-07"));
    EXPECT_TRUE(daily_day_kept("2027-01-01", "2026-12-07"));  // a clock set back keeps it
}
