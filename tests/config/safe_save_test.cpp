// The safe save as a player's own account sees it: the suite may run as root, who may write
// any file, so each case runs in a child that has given up root.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "config/config_store.h"
#include "tests/support/test_support.h"

namespace {

const uid_t nobody = 65534;

// Saves k: new to file and prints what became of it.
void save_and_report(const char* file, const char* target) {
    ConfigStore store;
    store.load(file);
    store.get_string("k") = "new";
    bool saved = store.save(file);
    struct stat info;
    lstat(file, &info);
    std::printf("%s: saved %i (%s), link %i, %s", file, saved, saved ? "-" : std::strerror(errno),
                S_ISLNK(info.st_mode), read_file(target).c_str());
    stat(target, &info);
    std::printf("mode %o, leftover %i\n", info.st_mode & 0777,
                std::filesystem::exists(std::string(target) + ".saving"));
}

}  // namespace

TEST(SafeSave, KeepsAReadOnlyFileAndWritesThroughALinkKeepingTheMode) {
    std::string dir = make_scratch_dir("safe_save");
    chmod(dir.c_str(), 0777);
    CommandResult result = run_in_child([&] {
        if (getuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0)) {
            return;
        }
        if (chdir(dir.c_str()) != 0 || mkdir("real", 0755) != 0) {
            return;
        }
        write_file("locked.txt", "k: old\n");
        chmod("locked.txt", 0444);
        write_file("real/prefs.txt", "k: old\n");
        chmod("real/prefs.txt", 0640);
        symlink("real/prefs.txt", "link.txt");
        save_and_report("locked.txt", "locked.txt");
        save_and_report("link.txt", "real/prefs.txt");
    });
    EXPECT_EQ(result.output,
              "locked.txt: saved 0 (Permission denied), link 0, k: old\nmode 444, leftover 0\n"
              "link.txt: saved 1 (-), link 1, k: new\nmode 640, leftover 0\n");
}
