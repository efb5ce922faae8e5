#include "tools/check/modes_check.h"

#include "app/mode_screens.h"
#include "modes/game_mode.h"

namespace {

void check_mode_setting(const CheckedFile& prefs, const ModeSetting& setting, Report& report) {
    int value = 0;
    if (!prefs.has(setting.key) || (parse_int(prefs.value(setting.key), value) &&
                                    value >= setting.lowest && value <= setting.highest)) {
        return;
    }
    prefs.warning(setting.key,
                  quoted(setting.key) + " must be a whole number from " +
                      int_to_text(setting.lowest) + " to " + int_to_text(setting.highest) +
                      ": the game plays with " + int_to_text(setting.shipped),
                  report);
}

}  // namespace

void check_modes_settings(const CheckedFile& prefs, Report& report) {
    check_mode_setting(prefs, sprint_lines_setting, report);
    check_mode_setting(prefs, ultra_seconds_setting, report);
    std::string background = prefs.value("timed_background_img");
    ImageSize size{};
    if (!background.empty()) {
        load_image_size(prefs, "timed_background_img", background, size, report,
                        "the timed modes keep the usual background");
    }
    if (modes_enabled(prefs.store) && (!prefs.has("time_w") || !prefs.has("time_h"))) {
        prefs.warning("modes_menu",
                      "no \"time_x\", \"time_y\", \"time_w\" and \"time_h\": sprint and ultra "
                      "show no clock",
                      report);
    }
}

void check_modes_offered(const CheckedFile& main_menu, Report& report) {
    for (const auto& [key, value] : main_menu.store.values()) {
        if (value == "modes" && key.size() > 7 && key.compare(key.size() - 7, 7, "_return") == 0) {
            return;
        }
    }
    report.warning(main_menu.name, 0,
                   "no button answers \"modes\": players cannot reach the ways to play");
}
