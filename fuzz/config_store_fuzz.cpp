// Fuzzes the configuration store: any bytes as a "prefs.txt" or menu file are loaded, looked up,
// saved and loaded again, and the second store must hold exactly the values of the first, every
// line in its place. Saved without a change, a file of line-feed lines comes back byte for byte.
#include <algorithm>
#include <cstdint>
#include <string>

#include "config/config_store.h"
#include "fuzz/fuzz_support.h"

namespace {

ConfigStore loaded(const std::string& file) {
    ConfigStore store;
    require(store.load(file.c_str()) == 0, "an existing file did not load");
    for (const std::string& key : store.order()) {
        require(key.empty() || store.values().count(key) == 1, "a key in order has no value");
    }
    return store;
}

// The text a save with no change writes (save writes exactly this), written over the file.
std::string load_and_save(const std::string& file) {
    std::string text = loaded(file).to_text();
    write_bytes(file, text.data(), text.size());
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file = scratch_folder() + "/prefs.txt";
    const std::string input(reinterpret_cast<const char*>(data), size);
    // Only a change or a look-up may change the file. A file of CR LF lines is written back
    // with line feeds, and a last line without one gets one, so those change once and rest.
    write_bytes(file, data, size);
    std::string once = load_and_save(file);
    bool line_feed_lines =
        (input.empty() || input.back() == '\n') && input.find("\r\n") == std::string::npos;
    require(!line_feed_lines || once == input, "an unchanged save changed the file");
    require(load_and_save(file) == once, "a second load and save changed the file");

    // Every key looked up as text and as a number, plus a missing key derived from each of the
    // first few, the way menus build composite keys; the look-ups add the missing ones.
    ConfigStore store = loaded(file);
    std::vector<std::string> keys;
    for (const auto& entry : store.values()) {
        keys.push_back(entry.first);
    }
    for (size_t i = 0; i < keys.size(); i++) {
        store.get_int(keys[i]);
        if (i < 4) {
            store.get_string(keys[i] + int_to_text(static_cast<int>(i)) + "_name");
        }
    }
    require(store.save(file.c_str()), "save failed");
    ConfigStore reloaded = loaded(file);
    require(reloaded.values() == store.values(), "the reloaded store has other values");
    require(reloaded.order().size() >= store.order().size() &&
                std::equal(store.order().begin(), store.order().end(), reloaded.order().begin()),
            "the saved file lost lines or changed their order");
    return 0;
}
