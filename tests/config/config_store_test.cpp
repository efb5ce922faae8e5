#include "config/config_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>

#include "config/safe_file.h"
#include "config/settings_merge.h"
#include "tests/support/test_support.h"

namespace {

ConfigStore load_text(const std::string& name, const std::string& text) {
    std::string path = make_scratch_dir(name) + "/store.txt";
    write_file(path, text);
    ConfigStore store;
    EXPECT_EQ(store.load(path.c_str()), 0);
    return store;
}

std::string joined(const std::vector<std::string>& keys) {
    std::string text;
    for (const std::string& key : keys) {
        text += key + " ";
    }
    return text;
}

const uid_t nobody = 65534;

// The disk the safe save writes to, as harsh as a real one may be: while `short_writes` is on,
// each write stores at most five bytes, and a disk of 200 bytes is full; the next close fails
// (as on a network file system that reports a lost write only then) when `failing_close` is.
bool short_writes = false;
bool failing_close = false;
size_t disk_used = 0;

}  // namespace

// The test program is linked with --wrap=write and --wrap=close, so the save's own calls come
// here.
extern "C" ssize_t __real_write(int fd, const void* data, size_t size);
extern "C" int __real_close(int fd);

extern "C" ssize_t __wrap_write(int fd, const void* data, size_t size) {
    if (!short_writes) {
        return __real_write(fd, data, size);
    }
    if (disk_used >= 200) {
        errno = ENOSPC;
        return -1;
    }
    ssize_t n = __real_write(fd, data, std::min<size_t>(size, 5));
    disk_used += n > 0 ? static_cast<size_t>(n) : 0;
    return n;
}

extern "C" int __wrap_close(int fd) {
    int closed = __real_close(fd);
    if (failing_close && closed == 0) {
        failing_close = false;
        errno = EIO;
        return -1;
    }
    return closed;
}

namespace {

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

TEST(ConfigStore, SplitsEachLineAtItsFirstColonAndOneSpace) {
    ConfigStore store = load_text("split",
                                  "a:b:c\n"
                                  "key:\n"
                                  "key2: \n"
                                  " lead: v\n"
                                  "trail : v\n"
                                  "window_w:640\n"
                                  "window_h:  480\n"
                                  "crlf: x\r\n"
                                  "last: no newline");
    std::string listing;
    for (const auto& [key, value] : store.values()) {
        listing += "[" + key + "=" + value + "]";
    }
    EXPECT_EQ(listing,
              "[ lead=v][a=b:c][crlf=x][key=][key2=][last=no newline][trail =v]"
              "[window_h= 480][window_w=640]");
    EXPECT_EQ(store.order().size(), 9u);

    // A line without a key is a blank position; a colon-first line, read after "abc", gives
    // the empty key its value.
    store = load_text("nokey", "abc\n\n:lead colon\nb: 2\n");
    EXPECT_EQ(store.order(), (std::vector<std::string>{"", "", "", "b"}));
    EXPECT_EQ(store.values().at(""), "lead colon");
}

TEST(ConfigStore, LooksUpIntegersAsAtoiAndInsertsMissingKeys) {
    ConfigStore store = load_text(
        "ints", "x: 1\nx: 2\nneg:   -7x\nword: x5\nbig: 99999999999\noct: 010\nhex: 0x1A\n");
    EXPECT_EQ(store.get_int("x"), 2);
    EXPECT_EQ(store.get_int("oct"), 10);  // decimal only
    EXPECT_EQ(store.get_int("hex"), 0);
    EXPECT_EQ(store.get_int("neg"), -7);
    EXPECT_EQ(store.get_int("word"), 0);
    EXPECT_EQ(store.get_int("big"), INT_MAX);
    EXPECT_EQ(store.find_int("missing", 5), 5);
    EXPECT_EQ(store.find_int("neg", 5), -7);
    EXPECT_EQ(store.find("missing"), nullptr);  // looking up never adds
    EXPECT_EQ(store.get_int("missing"), 0);
    EXPECT_EQ(*store.find("missing"), "");  // get_int adds the key, as the saved file relies on
    EXPECT_EQ(store.find_int("missing", 5), 5);
    store.set("missing", "12");
    EXPECT_EQ(store.find_int("missing", 5), 12);
    EXPECT_EQ(int_to_text(INT_MIN), "-2147483648");
}

TEST(ConfigStore, ReadsYesOnlyForTrueAndTheFallbackOnlyForAMissingKey) {
    ConfigStore store = load_text("bools", "on: true\noff: false\nyes: yes\none: 1\nempty:\n");
    EXPECT_TRUE(store.find_bool("on", false));
    for (const char* key : {"off", "yes", "one", "empty"}) {
        EXPECT_FALSE(store.find_bool(key, true)) << key;
    }
    EXPECT_TRUE(store.find_bool("missing", true));
    EXPECT_EQ(store.find("missing"), nullptr);
    store.remove("on");
    EXPECT_FALSE(store.find_bool("on", false));
    EXPECT_EQ(store.to_text(), "on: true\noff: false\nyes: yes\none: 1\nempty:\n");
}

TEST(ConfigStore, SavesInFileOrderThenAddedKeysInByteOrder) {
    std::string path = make_scratch_dir("roundtrip") + "/prefs.txt";
    write_file(path,
               "a: 1\n"
               "\n"
               "x: first\n"
               "url: http://host:80/\n"
               "abc\n"
               "x: second\n"
               "b: 2");
    ConfigStore store;
    ASSERT_EQ(store.load(path.c_str()), 0);
    store.get_string("c") = "3";
    store.get_string("d");
    store.get_string("x") = "third";
    store.get_string("\xC3\xA9") = "high byte";  // sorts after every ASCII key
    store.get_string("B") = "upper";
    ASSERT_TRUE(store.save(path.c_str()));
    EXPECT_EQ(read_file(path),
              "a: 1\n"
              "\n"
              "x: third\n"
              "url: http://host:80/\n"
              "abc\n"
              "x: third\n"
              "b: 2\n"
              "B: upper\n"
              "c: 3\n"
              "d: \n"
              "\xC3\xA9: high byte\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".saving"));
}

// A disk that fills up during the save: a row of the table in tests/reliability/faults_test.cpp.
TEST(ConfigStore, MissingOrEmptyFilesFailedSavesAndTheSavedMode) {
    std::string dir = make_scratch_dir("files");
    ConfigStore store;
    EXPECT_EQ(store.load((dir + "/nothing.txt").c_str()), 1);
    write_file(dir + "/empty.txt", "");
    EXPECT_EQ(store.load((dir + "/empty.txt").c_str()), 0);
    EXPECT_TRUE(store.values().empty() && store.order().empty());

    store.get_string("pause_key") = "p";
    EXPECT_FALSE(store.save((dir + "/no/such/folder/prefs.txt").c_str()));

    mode_t old_mask = umask(0);
    bool saved = store.save((dir + "/new.txt").c_str());
    umask(old_mask);
    ASSERT_TRUE(saved);
    EXPECT_EQ(std::filesystem::status(dir + "/new.txt").permissions(),
              std::filesystem::perms(0664));
}

TEST(SettingsMerge, FollowsTheShippedFileWhereThePlayerLeftItAlone) {
    struct Case {
        const char* player;
        const char* old_shipped;
        const char* new_shipped;
        const char* merged;
        const char* updated_added_kept;
    };
    const Case cases[] = {
        // untouched value follows, changed value stays, new key appended, dropped key stays
        {"size: 26\ndrop: return\ngone: 1\n", "size: 26\ndrop: space\ngone: 1\n",
         "size: 20\ndrop: enter\nhold: c\n", "size: 20\ndrop: return\ngone: 1\nhold: c\n",
         "size |hold |drop "},
        // notes, blank lines and a repeated key keep their places; z, shipped unchanged, is no news
        {"# my keys: below\n\nx: 1\ny: 5\nx: 1\nz: 7\n", "x: 1\ny: 2\nz: 6\n",
         "x: 3\n\ny: 4\nz: 6\n", "# my keys: below\n\nx: 3\ny: 5\nx: 3\nz: 7\n", "x ||y "},
        // no old copy: every value is the player's own, only missing keys come in
        {"a: 1\nb: 2\n", "", "a: 1\nb: 3\nc: 4\n", "a: 1\nb: 2\nc: 4\n", "|c |b "},
    };
    for (const Case& c : cases) {
        ConfigStore player = load_text("player", c.player);
        SettingsMerge merge = merge_shipped_settings(player, load_text("old", c.old_shipped),
                                                     load_text("new", c.new_shipped));
        EXPECT_EQ(player.to_text(), c.merged) << c.player;
        EXPECT_EQ(joined(merge.updated) + "|" + joined(merge.added) + "|" + joined(merge.kept),
                  c.updated_added_kept)
            << c.player;
    }
}

TEST(SafeSave, FinishesAShortWriteAndKeepsTheOldFileWhenTheCloseFails) {
    std::string file = make_scratch_dir("disk") + "/prefs.txt";
    const std::string contents = "pause_key: p\ndrop_key: space\n";
    write_file(file, "k: old\n");
    short_writes = true;
    EXPECT_TRUE(replace_file_contents(file.c_str(), contents)) << std::strerror(errno);
    short_writes = false;
    EXPECT_EQ(read_file(file), contents);
    failing_close = true;
    EXPECT_FALSE(replace_file_contents(file.c_str(), "k: new\n"));
    EXPECT_EQ(errno, EIO);
    EXPECT_EQ(read_file(file), contents);
    EXPECT_FALSE(std::filesystem::exists(file + ".saving"));
}

// The safe save as a player's own account sees it: the suite may run as root, who may write
// any file, so each case runs in a child that has given up root. Its folder is below /tmp,
// which every account may enter wherever the checkout lives (root's home is closed to others).
TEST(SafeSave, KeepsAReadOnlyFileAndWritesThroughALinkKeepingTheMode) {
    char dir[] = "/tmp/derevarez-safe-save-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr) << std::strerror(errno);
    chmod(dir, 0777);
    CommandResult result = run_in_child([&] {
        if ((getuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0)) || chdir(dir) != 0 ||
            mkdir("real", 0755) != 0) {
            std::printf("cannot work in %s as nobody: %s\n", dir, std::strerror(errno));
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
    std::filesystem::remove_all(dir);
    EXPECT_EQ(result.output,
              "locked.txt: saved 0 (Permission denied), link 0, k: old\nmode 444, leftover 0\n"
              "link.txt: saved 1 (-), link 1, k: new\nmode 640, leftover 0\n");
}
