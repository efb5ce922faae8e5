// Fuzzes the configuration store: any bytes as a "prefs.txt" or menu file are loaded, looked up,
// saved and loaded again, and the second store must hold exactly the values of the first. Saved
// without a change, a file of line-feed lines comes back byte for byte.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "config/config_store.h"
#include "fuzz/fuzz_support.h"

namespace {

// Looks up every loaded key as text and as a number, plus a missing key derived from each of
// the first few, the way menus build composite keys; the look-ups add the missing ones.
void look_up_keys(ConfigStore& store) {
    std::vector<std::string> keys;
    for (const auto& entry : store.values) {
        keys.push_back(entry.first);
    }
    for (size_t i = 0; i < keys.size(); i++) {
        store.get_int(keys[i]);
        if (i < 4) {
            store.get_string(keys[i] + int_to_text(static_cast<int>(i)) + "_name");
        }
    }
}

void check_invariants(const ConfigStore& store) {
    for (const std::string& key : store.order) {
        require(key.empty() || store.values.count(key) == 1, "a key in order has no value");
    }
}

// The file's bytes after a load and a save with no change.
std::string load_and_save(const std::string& file) {
    ConfigStore store;
    require(store.load(file.c_str()) == 0, "an existing file did not load");
    require(store.save(file.c_str()), "save failed");
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Only a change or a look-up may change the file. A file of CR LF lines is written back with
// line feeds, and a last line without one gets one, so those two change once and then rest.
void check_unchanged_save(const std::string& file, const std::string& input) {
    write_bytes(file, input.data(), input.size());
    std::string once = load_and_save(file);
    bool line_feed_lines =
        (input.empty() || input.back() == '\n') && input.find("\r\n") == std::string::npos;
    require(!line_feed_lines || once == input, "an unchanged save changed the file");
    require(load_and_save(file) == once, "a second load and save changed the file");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file = scratch_folder() + "/prefs.txt";
    check_unchanged_save(file, std::string(reinterpret_cast<const char*>(data), size));
    write_bytes(file, data, size);

    ConfigStore store;
    require(store.load(file.c_str()) == 0, "an existing file did not load");
    check_invariants(store);
    look_up_keys(store);
    check_invariants(store);

    require(store.save(file.c_str()), "save failed");
    ConfigStore reloaded;
    require(reloaded.load(file.c_str()) == 0, "the saved file did not load");
    check_invariants(reloaded);
    require(reloaded.values == store.values, "the reloaded store has other values");
    // Every line written in the file's order comes back in its place.
    require(reloaded.order.size() >= store.order.size(), "the saved file lost lines");
    for (size_t i = 0; i < store.order.size(); i++) {
        require(reloaded.order[i] == store.order[i], "the saved file changed the line order");
    }
    return 0;
}
