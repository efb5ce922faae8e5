// Reading what a piece of code prints, inside the test's own process.
#pragma once

#include <functional>
#include <string>

// Runs code in this process and returns what it printed to standard output meanwhile.
std::string capture_stdout(const std::function<void()>& code);
