#include "watch/file_watch.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/test_support.h"

TEST(FileWatch, ChangesAreSeenOnlyAtTheNextLookAndEachOnlyOnce) {
    std::string dir = make_scratch_dir("watch");
    write_file(dir + "/a.txt", "one");
    write_file(dir + "/b.txt", "two");
    FileWatch watch;
    watch.watch({dir + "/a.txt", dir + "/b.txt", dir + "/later.txt"}, 1000);
    EXPECT_FALSE(watch.changed(1000 + watch_interval));  // nothing changed

    write_file(dir + "/a.txt", "changed");
    EXPECT_FALSE(watch.changed(1000 + watch_interval + 1));  // not yet time to look
    EXPECT_TRUE(watch.changed(1000 + 2 * watch_interval));
    EXPECT_FALSE(watch.changed(1000 + 3 * watch_interval));  // seen once

    write_file(dir + "/later.txt", "made");
    EXPECT_TRUE(watch.changed(1000 + 4 * watch_interval));
    std::filesystem::remove(dir + "/b.txt");
    EXPECT_TRUE(watch.changed(1000 + 5 * watch_interval));

    // The tick count wraps: a look due just after the wrap is still waited for.
    watch.watch({dir + "/a.txt"}, 0xffffff00u);
    write_file(dir + "/a.txt", "again");
    EXPECT_FALSE(watch.changed(0xffffff10u));
    EXPECT_TRUE(watch.changed(0xffffff00u + watch_interval));
}

TEST(FileWatch, AMenuIsUsableWhenItAndItsBackgroundLoadAndSaysWhereWhenNot) {
    std::string dir = make_scratch_dir("watch_menu");
    std::string menu = dir + "/menu.txt";
    write_file(menu, "num_surfs: 1\nbackground: " + dir + "/none.png\nsurf1_path: p.png\n");
    EXPECT_EQ((std::vector<std::string>{menu, dir + "/none.png", "p.png"}), menu_files(menu));
    std::string problem;
    EXPECT_FALSE(menu_file_usable(menu, problem));
    EXPECT_EQ(0u, problem.find(menu + ":2: background: couldn't load \"" + dir + "/none.png\""))
        << problem;

    SDL_Surface* picture = make_filled_surface(4, 4, 0x102030);
    SDL_SaveBMP(picture, (dir + "/none.png").c_str());
    SDL_FreeSurface(picture);
    EXPECT_TRUE(menu_file_usable(menu, problem));
    EXPECT_FALSE(menu_file_usable(dir + "/missing.txt", problem));
    EXPECT_EQ(dir + "/missing.txt: can't be read", problem);

    ConfigStore prefs;
    EXPECT_FALSE(watching(prefs));
    watch_for_this_run(prefs);
    EXPECT_TRUE(watching(prefs));
    EXPECT_EQ("", prefs.to_text());
}
