// What the player hears: SDL's disk audio driver writes the mixer's output to a file, which the
// tests read back while the game runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "audio/audio.h"
#include "audio/mixer_library.h"
#include "tests/game/game_fixture.h"
#include "tests/support/test_support.h"

namespace {

// The mixer's output so far; the driver's writes reach it a little late.
const char* const output_file = "mixer_output.raw";
const size_t bytes_per_buffer = mixer_buffer_frames * 4;  // 16-bit stereo

void use_audio_driver(const char* driver) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    setenv("SDL_DISKAUDIOFILE", output_file, 1);
    // One buffer every 10 ms: the output runs a little faster than real time.
    setenv("SDL_DISKAUDIODELAY", "10", 1);
}

bool silent(const std::string& bytes, size_t from, size_t to = std::string::npos) {
    return bytes.find_first_not_of('\0', from) >= std::min(to, bytes.size());
}

class SoundTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        write_file("tone.wav",
                   read_file(std::string(getenv("TEST_SOURCE_DIR")) + "/data/sounds/land.wav"));
    }
    void TearDown() override {
        use_audio_driver("dummy");
        GameTest::TearDown();
    }
    // Lands a square on the empty board, plays the pass's sounds; the output's size before.
    size_t land_square() {
        place_piece(*game, piece_square, 4, 5);
        size_t before = read_file(output_file).size();
        game->land_piece();
        game->play_pass_sounds();
        SDL_Delay(300);
        return before;
    }
};

}  // namespace

TEST_F(SoundTest, EachSettingFaultPrintsAtMostOneMessageAndTheRestPlays) {
    struct Row {
        const char* settings;
        const char* driver;
        const char* message;  // the start of the one line printed, "" for none
        bool device_open;
    };
    // The rows without a device come first: the mixer library, once loaded, stays.
    const Row rows[] = {
        // No sound setting at all: nothing is started, as before sound existed.
        {"", "disk", "", false},
        // Music alone switches sound on; a mute saved last time holds from the start.
        {"music: tone.wav\nsound_muted: true\n", "no_such_driver", "couldn't open the audio device",
         false},
        // A missing key: only that event is silent.
        {"sound_move: tone.wav\n", "disk", "", true},
        {"sound_land: none.wav\nsound_move: tone.wav\n", "disk",
         "couldn't load the sound \"none.wav\"", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.settings);
        write_file("sound.txt", row.settings);
        ConfigStore sound_prefs;
        ASSERT_EQ(sound_prefs.load("sound.txt"), 0);
        size_t keys = sound_prefs.values().size();
        use_audio_driver(row.driver);
        testing::internal::CaptureStdout();
        {
            Audio audio(sound_prefs, "sound.txt");
            EXPECT_EQ(audio.device_open, row.device_open);
            EXPECT_EQ(audio.muted, std::strstr(row.settings, "sound_muted") != nullptr);
            EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO) != 0, row.device_open);
            EXPECT_EQ(mixer.loaded, row.device_open);
            EXPECT_EQ(audio.chunks[static_cast<int>(SoundEvent::land)], nullptr);
            EXPECT_EQ(audio.chunks[static_cast<int>(SoundEvent::move)] != nullptr, row.device_open);
            audio.play(SoundEvent::land);
            audio.start_music();
        }
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
        std::fflush(stdout);
        std::string printed = testing::internal::GetCapturedStdout();
        EXPECT_EQ(printed.rfind(row.message, 0), 0u) << printed;
        EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), *row.message ? 1 : 0)
            << printed;
        EXPECT_EQ(sound_prefs.values().size(), keys) << "reading settings must add no key";
    }
}

TEST_F(SoundTest, LandingSoundsMuteKeySilencesAndMusicStopsWhilePaused) {
    prefs.get_string("sound_land") = "tone.wav";
    prefs.get_string("music") = "tone.wav";
    prefs.get_string("mute_key") = "m";
    use_audio_driver("disk");
    Audio audio(prefs, "prefs.txt");
    ASSERT_TRUE(audio.device_open);
    Session session(prefs, &audio);
    build_game().session = &session;
    SDL_Delay(100);

    size_t before = land_square();
    std::string heard = read_file(output_file);
    EXPECT_TRUE(silent(heard, 0, before));
    // Heard within a few buffers of the landing (the driver's own writes lag behind).
    EXPECT_FALSE(silent(heard, before, before + 4 * bytes_per_buffer));

    EXPECT_EQ(game->handle_event(key_down(SDLK_m)), 0);
    EXPECT_TRUE(audio.muted);
    EXPECT_NE(read_file(output_file).size(), 0u);
    ConfigStore saved;
    ASSERT_EQ(saved.load("prefs.txt"), 0);
    EXPECT_EQ(saved.get_string("sound_muted"), "true");
    SDL_Delay(100);
    audio.start_music();
    before = land_square();
    EXPECT_TRUE(silent(read_file(output_file), before));
    game->handle_event(key_down(SDLK_m));
    EXPECT_FALSE(audio.muted);

    audio.start_music();
    SDL_Delay(200);
    size_t playing = read_file(output_file).size();
    game->toggle_pause();
    size_t paused_at = read_file(output_file).size() + 3 * bytes_per_buffer;
    SDL_Delay(300);
    heard = read_file(output_file);
    EXPECT_FALSE(silent(heard, 0, playing));
    EXPECT_TRUE(silent(heard, paused_at, heard.size()));
    game->toggle_pause();
    size_t resumed_at = read_file(output_file).size();
    SDL_Delay(300);
    EXPECT_FALSE(silent(read_file(output_file), resumed_at));
}
