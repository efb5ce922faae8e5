#include "skins/skin.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "skins/look_keys.h"

namespace fs = std::filesystem;

namespace {

// A skin is traded between players: a file it names must stay inside its own folder.
bool stays_inside(const std::string& path) {
    if (path.empty() || path[0] == '/') {
        return false;
    }
    for (const fs::path& part : fs::path(path)) {
        if (part == "..") {
            return false;
        }
    }
    return true;
}

bool file_exists(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// Reads one "key: value" line of skin.txt into skin. False when the skin cannot be shown.
bool read_setting(const std::string& file, int line, const std::string& key, const std::string& value,
                  Skin& skin, std::vector<Problem>& problems) {
    if (key == "skin_name") {
        skin.name = value;
        return true;
    }
    LookKind kind = look_kind(key);
    if (kind == LookKind::none) {
        problems.push_back(Problem{file, line, false, "\"" + key +
                           "\" is not part of the look (a rule, a binding or a setting of the "
                           "program), so a skin may not set it; ignored"});
        return true;
    }
    if (kind == LookKind::number) {
        skin.settings.emplace_back(key, value);
        return true;
    }
    std::string path = skin.folder + "/" + value;
    if (!stays_inside(value)) {
        problems.push_back(Problem{file, line, false, key + ": \"" + value +
                                                       "\" is not a file inside the skin's folder"});
        return false;
    }
    if (!file_exists(path)) {
        problems.push_back(Problem{file, line, false, key + ": no file \"" + path + "\""});
        return false;
    }
    skin.settings.emplace_back(key, path);
    return true;
}

std::vector<std::string> folders_in(const std::string& parent) {
    std::vector<std::string> folders;
    std::error_code error;
    for (fs::directory_iterator it(parent, error), end; !error && it != end; it.increment(error)) {
        if (it->is_directory(error)) {
            folders.push_back(it->path().string());
        }
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

const Skin* skin_with_id(const std::vector<Skin>& skins, const std::string& id) {
    for (const Skin& skin : skins) {
        if (skin.id == id) {
            return &skin;
        }
    }
    return nullptr;
}

void cover(ConfigStore& prefs, const std::string& key, const std::string& value, WornSkin& worn) {
    if (worn.covered.count(key) == 0) {
        const std::string* then = prefs.find(key);
        worn.covered[key] = WornSkin::Covered{then != nullptr, then != nullptr ? *then : ""};
    }
    prefs.set_unsaved(key, value);
}

void print_all(const std::vector<Problem>& problems) {
    for (const Problem& problem : problems) {
        std::printf("%s\n", problem_text(problem).c_str());
    }
    std::fflush(stdout);
}

}  // namespace

bool read_skin(const std::string& folder, Skin& skin, std::vector<Problem>& problems) {
    skin = Skin{fs::path(folder).filename().string(), folder, "", {}};
    std::string file = folder + "/skin.txt";
    std::ifstream in(file);
    if (!in) {
        problems.push_back(Problem{folder, 0, false, "no skin.txt, so it is not a skin"});
        return false;
    }
    bool showable = true;
    std::string line;
    for (int number = 1; read_text_line(in, line); number++) {
        if (line.empty()) {
            continue;
        }
        std::string key;
        std::string value;
        split_line(line, key, value);
        if (!key.empty()) {
            showable = read_setting(file, number, key, value, skin, problems) && showable;
        }
    }
    if (skin.name.empty()) {
        skin.name = skin.id;
    }
    return showable;
}

std::vector<Skin> find_skins(const ConfigStore& prefs, std::vector<Problem>& problems) {
    std::vector<Skin> skins;
    for (const char* key : {"skins_folder", "my_skins_folder"}) {
        const std::string* parent = prefs.find(key);
        if (parent == nullptr || parent->empty()) {
            continue;
        }
        for (const std::string& folder : folders_in(*parent)) {
            Skin skin;
            if (!read_skin(folder, skin, problems)) {
                problems.push_back(Problem{folder, 0, false, "skipped, it cannot be shown"});
            } else if (skin_with_id(skins, skin.id) != nullptr) {
                problems.push_back(Problem{
                    folder, 0, false, "skipped, a skin named \"" + skin.id + "\" is listed already"});
            } else {
                skins.push_back(skin);
            }
        }
    }
    return skins;
}

void take_off_skin(ConfigStore& prefs, WornSkin& worn) {
    // A look setting is never changed by the program, so what it covered is what the file
    // held (or nothing), and it goes back unsaved as it came.
    for (const auto& [key, covered] : worn.covered) {
        if (covered.had_value) {
            prefs.set_unsaved(key, covered.value);
        } else {
            prefs.remove(key);
        }
    }
    worn = WornSkin{};
}

void wear_skin(ConfigStore& prefs, const Skin& skin, WornSkin& worn) {
    take_off_skin(prefs, worn);
    worn.id = skin.id;
    for (const auto& [key, value] : skin.settings) {
        cover(prefs, key, value, worn);
    }
    cover(prefs, "skin_name", skin.name, worn);
}

bool wear_chosen_skin(ConfigStore& prefs, WornSkin& worn) {
    const std::string* id = prefs.find("skin");
    if (id == nullptr || id->empty()) {
        take_off_skin(prefs, worn);
        return true;
    }
    std::vector<Problem> problems;
    std::vector<Skin> skins = find_skins(prefs, problems);
    const Skin* skin = skin_with_id(skins, *id);
    if (skin == nullptr) {
        print_all(problems);
        std::printf("couldn't show the skin \"%s\": it is not in \"skins_folder\" or "
                    "\"my_skins_folder\", or cannot be shown; the look stays as it was\n",
                    id->c_str());
        std::fflush(stdout);
        return false;
    }
    wear_skin(prefs, *skin, worn);
    return true;
}

std::string next_skin_id(const std::vector<Skin>& skins, const std::string& worn_id) {
    if (worn_id.empty()) {
        return skins.empty() ? "" : skins.front().id;
    }
    for (size_t i = 0; i + 1 < skins.size(); i++) {
        if (skins[i].id == worn_id) {
            return skins[i + 1].id;
        }
    }
    return "";
}
