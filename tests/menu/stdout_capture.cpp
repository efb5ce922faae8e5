#include "tests/menu/stdout_capture.h"

#include <unistd.h>

#include <cstdio>

std::string capture_stdout(const std::function<void()>& code) {
    std::fflush(stdout);
    FILE* file = std::tmpfile();
    int saved = dup(STDOUT_FILENO);
    dup2(fileno(file), STDOUT_FILENO);
    code();
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    std::string text;
    lseek(fileno(file), 0, SEEK_SET);
    char buffer[4096];
    ssize_t n;
    while ((n = read(fileno(file), buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<size_t>(n));
    }
    std::fclose(file);
    return text;
}
