// The checker's colour warnings: piece tiles that a colour-vision deficiency blends, and texts
// too faint on their background.
#include <gtest/gtest.h>

#include <tuple>

#include "colour/colour_vision.h"
#include "tests/support/test_support.h"
#include "tools/check/skin_check.h"

TEST(ColourCheck, ARedGreenPairIsNamedForEachDeficiencyThatBlendsItAndTheSafeTilesPass) {
    EXPECT_NEAR(21.0, contrast_ratio(Rgb{0, 0, 0}, Rgb{255, 255, 255}), 0.01);
    EXPECT_NEAR(0.0, colour_difference(Rgb{10, 200, 30}, Rgb{10, 200, 30}), 1e-9);
    // Grey is grey to every eye.
    Rgb grey = simulate(Rgb{128, 128, 128}, Deficiency::deuteranopia);
    EXPECT_LT(colour_difference(grey, Rgb{128, 128, 128}), 1.0);

    Report planted;
    check_tile_colours({Rgb{0, 0, 255}, Rgb{200, 60, 40}, Rgb{90, 150, 40}}, "skin.txt", 4,
                       planted);
    std::vector<std::string> texts;
    for (const Problem& problem : planted.problems) {
        texts.push_back(problem_text(problem));
    }
    EXPECT_EQ((std::vector<std::string>{
                  "skin.txt:4: warning: tiles 2 (c83c28) and 3 (5a9628) are hard to tell apart "
                  "with deuteranopia: colour difference 5.0 (CIE76), less than 12.0"}),
              texts);

    Report safe;
    std::vector<Rgb> tiles;
    ASSERT_TRUE(tile_colours(
        std::string(SOURCE_DIR) + "/data/skins/high_contrast/images/blocks.png", 26, tiles));
    EXPECT_EQ(7u, tiles.size());
    check_tile_colours(tiles, "skin.txt", 0, safe);
    EXPECT_EQ(0, safe.warning_count()) << safe.text();
}

TEST(ColourCheck, AFaintTextIsWarnedAtItsColourAndOneOnAContrastingPlateIsNot) {
    std::string dir = make_scratch_dir("faint_text");
    for (auto [name, w, h, rgb] :
         {std::tuple{"back", 100, 60, 0x101010}, {"plate", 50, 20, 0xf0f0f0}}) {
        SDL_Surface* image = make_filled_surface(w, h, Uint32(rgb));
        SDL_SaveBMP(image, (dir + "/" + name + ".bmp").c_str());
        SDL_FreeSurface(image);
    }
    CheckedFile menu;
    write_file(dir + "/menu.txt",
               "background: " + dir +
                   "/back.bmp\nnum_surfs: 1\nsurf1_name: plate\nsurf1_path: " + dir +
                   "/plate.bmp\nnum_tsurfs: 2\n"
                   "tsurf1_name: dim\ntsurf1_color: 303030\n"
                   "tsurf2_name: ink\ntsurf2_color: 202020\n"
                   "num_buttons: 3\n"
                   "button1_surf: dim\nbutton1_x: 5\nbutton1_y: 30\nbutton1_rect: 0,0,40,20\n"
                   "button2_surf: plate\nbutton2_x: 50\nbutton2_y: 5\n"
                   "button3_surf: ink\nbutton3_x: 50\nbutton3_y: 5\nbutton3_rect: 0,0,50,20\n");
    ASSERT_TRUE(menu.load(dir + "/menu.txt"));
    Report report;
    check_text_contrast(menu, report);
    ASSERT_EQ(1u, report.problems.size()) << report.text();
    EXPECT_EQ(7, report.problems[0].line);
    EXPECT_NE(std::string::npos,
              report.problems[0].message.find("the text \"dim\" (303030) is faint on what lies "
                                              "behind it (about 101010): contrast 1.4:1"))
        << problem_text(report.problems[0]);
}
