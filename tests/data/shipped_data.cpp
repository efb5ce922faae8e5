#include "tests/data/shipped_data.h"

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
