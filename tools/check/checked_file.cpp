#include "tools/check/checked_file.h"

#include <SDL_image.h>

#include <map>

#include "config/safe_file.h"

bool CheckedFile::load(const std::string& file_name) {
    name = file_name;
    return store.load(file_name.c_str()) == 0;
}

bool CheckedFile::has(const std::string& key) const {
    // The empty key stands for blank lines and lines without a colon, never for a setting.
    return !key.empty() && store.line_of(key) > 0;
}

std::string CheckedFile::value(const std::string& key) const {
    const std::string* found = store.find(key);
    return found == nullptr ? std::string() : *found;
}

bool CheckedFile::require(const std::string& key, Report& report) const {
    if (has(key)) {
        return true;
    }
    report.error(name, 0, "missing key " + quoted(key));
    return false;
}

bool CheckedFile::read_int(const std::string& key, bool required, int fallback, int& result,
                           Report& report) const {
    if (!has(key)) {
        result = fallback;
        return required ? require(key, report) : true;
    }
    if (!parse_int(value(key), result)) {
        error(key, quoted(key) + " is not a whole number: " + quoted(value(key)), report);
        return false;
    }
    return true;
}

void CheckedFile::error(const std::string& key, const std::string& message, Report& report) const {
    report.error(name, store.line_of(key), message);
}

void CheckedFile::warning(const std::string& key, const std::string& message,
                          Report& report) const {
    report.warning(name, store.line_of(key), message);
}

bool load_image_size(const CheckedFile& file, const std::string& key, const std::string& path,
                     ImageSize& size, Report& report, const char* missing) {
    SDL_Surface* image = IMG_Load(path.c_str());
    if (image == nullptr) {
        std::string problem = "cannot load " + quoted(path) + ": " + IMG_GetError();
        if (missing == nullptr) {
            file.error(key, problem, report);
        } else {
            file.warning(key, problem + "; " + missing, report);
        }
        return false;
    }
    size = ImageSize{image->w, image->h};
    SDL_FreeSurface(image);
    return true;
}

void check_lines(const CheckedFile& file, Report& report) {
    std::string bytes;
    if (read_file_contents(file.name, bytes) && bytes.find("\r\n") != std::string::npos) {
        report.warning(file.name, 0,
                       "this file has CR LF line endings: the game reads each line without its "
                       "carriage return, and a save writes plain line feeds");
    }
    std::map<std::string, size_t> first_line;
    for (size_t i = 0; i < file.store.order().size(); i++) {
        const std::string& key = file.store.order()[i];
        if (key.empty()) {
            continue;
        }
        auto first = first_line.emplace(key, i + 1);
        if (!first.second) {
            report.warning(file.name, static_cast<int>(i) + 1,
                           quoted(key) + " is set again here after line " +
                               int_to_text(static_cast<int>(first.first->second)) +
                               ": the game takes the last line's value and ignores the others");
        }
    }
}
