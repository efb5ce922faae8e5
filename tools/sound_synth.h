// A small additive synthesiser for the game's sounds: notes of a few timbres and noise bursts
// mixed into a mono buffer, loudness set the same way for every sound, written as WAV files.
#pragma once

#include <string>
#include <vector>

const int synth_rate = 44100;

// Mono samples in -1..1. A looped sound wraps the tails of its last notes round to its start,
// so that it repeats without a seam.
struct Sound {
    std::vector<float> samples;
    bool looped = false;
    explicit Sound(double seconds, bool looped = false);
};

enum class Timbre {
    mallet,  // wooden bar: bright strike, quick mellow decay
    bell,    // inharmonic partials, long ring
    pluck,   // string: harmonics that die before the fundamental
    pad,     // slow swell, soft and slightly chorused
    bass,    // round low note
    thud,    // falling pitch, very short
};

struct Note {
    double start;   // seconds
    double length;  // seconds until silent
    double freq;    // Hz at the start
    double gain;    // peak amplitude of the fundamental
    Timbre timbre;
    double end_freq = 0;  // Hz at the end for a glide; 0 keeps freq
};

void add_note(Sound& sound, const Note& note);
// Soft noise (one-pole low-passed with `smoothing` 0..1, higher is darker), fading out fast.
void add_noise(Sound& sound, double start, double length, double gain, double smoothing);
// The frequency of a MIDI note number: 69 is A4, 440 Hz.
double midi_freq(int note);

// Loudness: the highest RMS level of any 50 ms window, in dBFS (as sox's "RMS Pk dB").
double loudness_db(const Sound& sound);
double peak_db(const Sound& sound);
// Scales the sound to the loudness target, or lower if its peak would pass peak_limit_db.
void set_level(Sound& sound, double loudness_target_db, double peak_limit_db);

// 16-bit mono PCM WAV. False with `error` set when the file cannot be written.
bool write_wav(const std::string& path, const Sound& sound, std::string& error);
