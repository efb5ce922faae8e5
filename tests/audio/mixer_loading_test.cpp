#include <gtest/gtest.h>

#include <cstdlib>

#include "audio/audio.h"
#include "audio/mixer_library.h"

// Without an audio driver the mixer and its libraries are never loaded; with one it is, and
// the game's mixer opens on it.
TEST(MixerLoading, TheMixerLoadsOnlyOnceSDLHasAnAudioDriver) {
    std::string error;
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(open_mixer(error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(mixer.loaded);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);

    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(open_mixer(error)) << error;
    EXPECT_TRUE(mixer.loaded);
    close_mixer();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}
