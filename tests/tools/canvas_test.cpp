// The picture generator: its drawing, its PNG output, and that the shipped pictures are the
// ones it draws for the shipped layout.
#include "tools/canvas.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "tests/support/test_support.h"

namespace {

// File name -> width x height of every PNG in the folder.
std::map<std::string, std::pair<int, int>> png_sizes(const std::string& folder) {
    std::map<std::string, std::pair<int, int>> sizes;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        SDL_Surface* image = IMG_Load(entry.path().c_str());
        EXPECT_NE(nullptr, image) << entry.path();
        sizes[entry.path().filename().string()] =
            image ? std::pair{image->w, image->h} : std::pair{0, 0};
        SDL_FreeSurface(image);
    }
    return sizes;
}

}  // namespace

TEST(Canvas, WritesPngsThatLoadWithTheirColoursAndAlpha) {
    Canvas canvas(3, 2);
    canvas.blend(0, 0, hex(0xff0000), 1.0f);
    canvas.blend(1, 0, hex(0x00ff00, 0.5f), 1.0f);
    canvas.blend(2, 0, hex(0x0000ff), 0.25f);
    canvas.blend(0, 1, hex(0x102030), 1.0f);
    canvas.blend(0, 1, hex(0xffffff, 0.5f), 1.0f);  // half white over an opaque colour
    std::string path = make_scratch_dir("canvas_png") + "/out.png";
    ASSERT_TRUE(canvas.save_png(path));
    SDL_Surface* image = IMG_Load(path.c_str());
    ASSERT_NE(nullptr, image);
    ASSERT_EQ(3, image->w);
    ASSERT_EQ(2, image->h);
    ASSERT_EQ(32, image->format->BitsPerPixel);
    auto rgba = [&](int x, int y) { return pixel_at(image, x, y) << 8 | alpha_at(image, x, y); };
    EXPECT_EQ(0xFF0000FFu, rgba(0, 0));
    EXPECT_EQ(0x00FF0080u, rgba(1, 0));
    EXPECT_EQ(0x0000FF40u, rgba(2, 0));
    EXPECT_EQ(0x889098FFu, rgba(0, 1));
    EXPECT_EQ(0, alpha_at(image, 1, 1));
    SDL_FreeSurface(image);
    EXPECT_FALSE(canvas.save_png(make_scratch_dir("canvas_png_missing") + "/no/such/out.png"));
}

TEST(MakeImages, DrawsEveryShippedPictureAtItsShippedSize) {
    std::string dir = make_scratch_dir("make_images");
    std::filesystem::create_directories(dir + "/data");
    std::filesystem::copy_file(BUILD_SOURCE_DIR "/data/prefs.txt", dir + "/data/prefs.txt");
    // The skins are made from the shipped menus.
    std::filesystem::copy(BUILD_SOURCE_DIR "/data/menus", dir + "/data/menus");
    CommandResult made =
        run_command(dir, std::string(MAKE_IMAGES) + " data " + std::string(FONT_DIR));
    ASSERT_EQ(0, made.status) << made.output;
    auto shipped = png_sizes(BUILD_SOURCE_DIR "/data/images");
    EXPECT_FALSE(shipped.empty());
    EXPECT_EQ(shipped, png_sizes(dir + "/data/images"))
        << "run: cmake --build <build> --target images";
    for (const char* skin : {"/light/images", "/high_contrast/images"}) {
        auto in_skin = png_sizes(BUILD_SOURCE_DIR "/data/skins" + std::string(skin));
        EXPECT_FALSE(in_skin.empty());
        EXPECT_EQ(in_skin, png_sizes(dir + "/data/skins" + skin));
    }
}
