#include "tests/menu/stdout_capture.h"

#include <gtest/gtest.h>

#include <cstdio>

std::string capture_stdout(const std::function<void()>& code) {
    std::fflush(stdout);
    testing::internal::CaptureStdout();
    code();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}
