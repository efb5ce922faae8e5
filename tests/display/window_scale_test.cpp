#include "display/window_scale.h"

#include <gtest/gtest.h>

#include "tests/menu/menu_fixture.h"

TEST(WindowScale, AMissingScaleSwitchesScalingOffAndOneOutOfRangeIsClampedWithAMessage) {
    struct Row {
        const char* value;  // null: no key
        int scale;
        bool message;
    };
    const Row rows[] = {{nullptr, 0, false}, {"", 0, false}, {"1", 1, false}, {"4", 4, false},
                        {"0", 1, true},      {"9", 4, true}, {"-2", 1, true}, {"2x", 2, true}};
    for (const Row& row : rows) {
        ConfigStore prefs;
        if (row.value != nullptr) {
            prefs.set("window_scale", row.value);
        }
        int scale = -1;
        std::string printed = capture_stdout([&] { scale = window_scale_setting(prefs); });
        EXPECT_EQ(row.scale, scale) << (row.value ? row.value : "(none)");
        EXPECT_EQ(row.message, !printed.empty()) << printed;
        EXPECT_EQ(row.value != nullptr, prefs.find("window_scale") != nullptr);
    }
}
