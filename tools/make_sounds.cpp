// make_sounds: synthesises every sound effect of the game and its music.
// Usage: make_sounds <sounds folder> <music wav file>
// Writes the effects as WAV files into the folder and the music loop as one WAV file, which the
// "sounds" build target then encodes as Ogg Vorbis.
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/sound_synth.h"

namespace {

// Every effect is set to the same loudness; the music sits well below them.
const double effect_loudness_db = -16;
const double music_loudness_db = -21;
const double peak_limit_db = -1.5;

// Notes by MIDI number, for readability.
const int d4 = 62, e4 = 64, f4 = 65, g4 = 67, a4 = 69, b4 = 71;
const int c5 = 72, e5 = 76, g5 = 79, c6 = 84;

Sound make_move() {
    Sound s(0.045);
    add_note(s, {0, 0.045, 1320, 1, Timbre::pluck});
    return s;
}

Sound make_turn() {
    Sound s(0.07);
    add_note(s, {0, 0.07, 900, 1, Timbre::pluck, 1350});
    return s;
}

Sound make_drop() {
    Sound s(0.18);
    add_note(s, {0, 0.18, 180, 1, Timbre::thud, 60});
    add_noise(s, 0, 0.06, 0.5, 0.85);
    return s;
}

Sound make_land() {
    Sound s(0.1);
    add_note(s, {0, 0.1, 260, 1, Timbre::thud, 150});
    return s;
}

Sound make_chord(std::initializer_list<int> notes, double step, double length, Timbre timbre) {
    Sound s(step * (notes.size() - 1) + length);
    double start = 0;
    for (int note : notes) {
        add_note(s, {start, length, midi_freq(note), 1, timbre});
        start += step;
    }
    return s;
}

Sound make_game_over() {
    return make_chord({c5, a4, f4, d4}, 0.22, 0.9, Timbre::bell);
}

Sound make_hover() {
    Sound s(0.03);
    add_note(s, {0, 0.03, 2000, 1, Timbre::mallet});
    return s;
}

// Four bars a chord, 120 beats a minute: A minor, F, C, G, D minor, F, E, E.
struct Chord {
    int root;  // the bass note
    int tones[3];
};
const Chord progression[] = {
    {45, {a4, c5, e5}},      {41, {a4, c5, f4 + 12}},      {48, {g4, c5, e5}},
    {43, {g4, b4, d4 + 12}}, {38, {a4, d4 + 12, f4 + 12}}, {41, {a4, c5, f4 + 12}},
    {40, {g4 + 1, b4, e5}},  {40, {g4 + 1, b4, e5}},
};
const double beat = 0.5;
const double bar = 4 * beat;
const int bars = 16;

// A short tune over the second half, one note a beat (0 rests), one row a bar.
const int tune[8][4] = {
    {e5, 0, c5, 0},           {c5, 0, a4, 0},  {g4, 0, c5, e5},    {d4 + 12, 0, b4, 0},
    {f4 + 12, 0, d4 + 12, 0}, {c5, 0, a4, c5}, {b4, 0, g4 + 1, 0}, {e4 + 12, 0, 0, 0},
};

void add_bar(Sound& s, int index) {
    const Chord& chord = progression[index % 8];
    double start = index * bar;
    for (int tone : chord.tones) {
        add_note(s, {start, bar + 0.3, midi_freq(tone - 12), 0.10, Timbre::pad});
    }
    const double bass_beats[] = {0, 2, 3.5};
    for (double at : bass_beats) {
        add_note(s, {start + at * beat, 0.45, midi_freq(chord.root), 0.5, Timbre::bass});
    }
    const int pattern[] = {0, 1, 2, 1, 0, 2, 1, 2};
    for (int eighth = 0; eighth < 8; eighth++) {
        int tone = chord.tones[pattern[eighth]];
        add_note(s, {start + eighth * beat / 2, 0.35, midi_freq(tone), 0.12, Timbre::mallet});
        if (eighth % 2 == 1) {
            add_noise(s, start + eighth * beat / 2, 0.04, 0.05, 0.2);
        }
    }
    if (index >= 8) {
        for (int b = 0; b < 4; b++) {
            int note = tune[index % 8][b];
            if (note != 0) {
                add_note(s, {start + b * beat, 1.1, midi_freq(note + 12), 0.12, Timbre::bell});
            }
        }
    }
}

Sound make_music() {
    Sound s(bars * bar, true);
    for (int index = 0; index < bars; index++) {
        add_bar(s, index);
    }
    return s;
}

bool write(const std::string& path, Sound sound, double loudness) {
    set_level(sound, loudness, peak_limit_db);
    std::string error;
    if (!write_wav(path, sound, error)) {
        std::printf("make_sounds: %s\n", error.c_str());
        return false;
    }
    std::printf("make_sounds: %s: loudness %.1f dBFS, peak %.1f dBFS\n", path.c_str(),
                loudness_db(sound), peak_db(sound));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::printf("usage: make_sounds <sounds folder> <music wav file>\n");
        return 2;
    }
    std::string folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    struct Effect {
        const char* name;
        Sound sound;
    };
    const Effect effects[] = {
        {"move.wav", make_move()},
        {"turn.wav", make_turn()},
        {"drop.wav", make_drop()},
        {"land.wav", make_land()},
        {"clear.wav", make_chord({c5, e5}, 0.08, 0.3, Timbre::mallet)},
        {"clear4.wav", make_chord({c5, e5, g5, c6}, 0.07, 0.45, Timbre::mallet)},
        {"level.wav", make_chord({g4, c5, e5, g5, c6}, 0.09, 0.6, Timbre::bell)},
        {"pause.wav", make_chord({e5, b4}, 0.09, 0.2, Timbre::pluck)},
        {"game_over.wav", make_game_over()},
        {"menu_hover.wav", make_hover()},
        {"menu_click.wav", make_chord({e5, a4 + 12}, 0.04, 0.12, Timbre::pluck)},
    };
    bool made = true;
    for (const Effect& effect : effects) {
        made = write(folder + "/" + effect.name, effect.sound, effect_loudness_db) && made;
    }
    made = write(argv[2], make_music(), music_loudness_db) && made;
    return made ? 0 : 1;
}
