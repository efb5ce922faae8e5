#include "tests/data/shipped_data.h"

#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The test environment names the folders; the build's own paths stand in when it does not.
std::string env_folder(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string(fallback) : std::string(value);
}

}  // namespace

std::string data_path(const std::string& name) {
    return env_folder("TEST_SOURCE_DIR", BUILD_SOURCE_DIR) + "/data/" + name;
}

std::string run_path(const std::string& name) {
    return env_folder("TEST_RUN_DIR", BUILD_RUN_DIR) + "/" + name;
}

ConfigStore load_shipped(const std::string& name) {
    ConfigStore store;
    EXPECT_EQ(0, store.load(data_path(name).c_str())) << "cannot read " << data_path(name);
    return store;
}

bool has_key(const ConfigStore& store, const std::string& key) {
    return store.values.count(key) == 1;
}

bool is_number(const std::string& text) {
    size_t start = !text.empty() && text[0] == '-' ? 1 : 0;
    return text.size() > start && text.find_first_not_of("0123456789", start) == std::string::npos;
}

SdlSession::SdlSession() {
    EXPECT_EQ(0, SDL_Init(SDL_INIT_VIDEO)) << SDL_GetError();
    EXPECT_NE(nullptr, SDL_SetVideoMode(800, 600, 32, SDL_SWSURFACE)) << SDL_GetError();
    EXPECT_EQ(0, TTF_Init());
}

SdlSession::~SdlSession() {
    TTF_Quit();
    SDL_Quit();
}
