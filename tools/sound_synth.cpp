#include "tools/sound_synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace {

const double pi = 3.14159265358979323846;

struct Partial {
    double ratio;  // of the note's frequency
    double gain;   // of the note's gain
    double decay;  // envelope time constant, as a share of the note's length
};

std::vector<Partial> partials_of(Timbre timbre) {
    switch (timbre) {
        case Timbre::mallet:
            return {{1, 1, 0.25}, {4, 0.25, 0.06}, {10, 0.05, 0.02}};
        case Timbre::bell:
            return {{1, 1, 0.35}, {2.76, 0.35, 0.18}, {5.4, 0.12, 0.08}};
        case Timbre::pluck:
            return {{1, 1, 0.3}, {2, 0.45, 0.15}, {3, 0.2, 0.08}};
        case Timbre::pad:
            return {{1, 1, 10}, {1.003, 0.8, 10}, {2, 0.2, 10}};
        case Timbre::bass:
            return {{1, 1, 0.35}, {2, 0.3, 0.15}};
        case Timbre::thud:
            return {{1, 1, 0.2}, {1.5, 0.3, 0.1}};
    }
    return {};
}

// The amplitude at time t of a note of `length`: a short rise (slow for pads), the partial's
// decay, and a fade to exactly zero at the end so that no note ends in a click.
double envelope(Timbre timbre, double t, double length, double decay) {
    double attack = timbre == Timbre::pad ? length * 0.35 : 0.003;
    double rise = t < attack ? t / attack : 1.0;
    double fall = std::exp(-t / (decay * length));
    if (timbre == Timbre::pad) {
        fall = t > length * 0.6 ? (length - t) / (length * 0.4) : 1.0;
    }
    double tail = std::min(1.0, (length - t) / 0.01);
    return rise * fall * std::max(0.0, tail);
}

void add_sample(Sound& sound, long index, double value) {
    long size = static_cast<long>(sound.samples.size());
    if (sound.looped) {
        index %= size;
    } else if (index >= size) {
        return;
    }
    sound.samples[index] += static_cast<float>(value);
}

}  // namespace

Sound::Sound(double seconds, bool looped)
    : samples(static_cast<size_t>(seconds * synth_rate + 0.5), 0.0f), looped(looped) {}

double midi_freq(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

void add_note(Sound& sound, const Note& note) {
    long first = static_cast<long>(note.start * synth_rate);
    long count = static_cast<long>(note.length * synth_rate);
    double end_freq = note.end_freq > 0 ? note.end_freq : note.freq;
    for (const Partial& partial : partials_of(note.timbre)) {
        double phase = 0;
        for (long i = 0; i < count; i++) {
            double t = static_cast<double>(i) / synth_rate;
            // An exponential glide sounds like an even fall in pitch.
            double freq = note.freq * std::pow(end_freq / note.freq, t / note.length);
            double amplitude =
                note.gain * partial.gain * envelope(note.timbre, t, note.length, partial.decay);
            add_sample(sound, first + i, amplitude * std::sin(phase));
            phase += 2 * pi * freq * partial.ratio / synth_rate;
        }
    }
}

void add_noise(Sound& sound, double start, double length, double gain, double smoothing) {
    long first = static_cast<long>(start * synth_rate);
    long count = static_cast<long>(length * synth_rate);
    std::uint32_t seed = 12345u + static_cast<std::uint32_t>(first);
    double level = 0;
    for (long i = 0; i < count; i++) {
        seed = seed * 1664525u + 1013904223u;
        double white = static_cast<double>(seed >> 8) / (1 << 24) * 2 - 1;
        level = smoothing * level + (1 - smoothing) * white;
        double t = static_cast<double>(i) / count;
        add_sample(sound, first + i, gain * level * std::exp(-5 * t) * (1 - t));
    }
}

double loudness_db(const Sound& sound) {
    const size_t window = synth_rate / 20;
    double best = 0;
    for (size_t from = 0; from < sound.samples.size(); from += window / 2) {
        size_t to = std::min(sound.samples.size(), from + window);
        double sum = 0;
        for (size_t i = from; i < to; i++) {
            sum += static_cast<double>(sound.samples[i]) * sound.samples[i];
        }
        best = std::max(best, sum / window);
    }
    return 10 * std::log10(std::max(best, 1e-12));
}

double peak_db(const Sound& sound) {
    float peak = 0;
    for (float sample : sound.samples) {
        peak = std::max(peak, std::fabs(sample));
    }
    return 20 * std::log10(std::max(static_cast<double>(peak), 1e-9));
}

void set_level(Sound& sound, double loudness_target_db, double peak_limit_db) {
    double gain_db = loudness_target_db - loudness_db(sound);
    gain_db = std::min(gain_db, peak_limit_db - peak_db(sound));
    float gain = static_cast<float>(std::pow(10.0, gain_db / 20));
    for (float& sample : sound.samples) {
        sample *= gain;
    }
}

bool write_wav(const std::string& path, const Sound& sound, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    auto put = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; i++) {
            out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    };
    std::uint32_t data_bytes = static_cast<std::uint32_t>(sound.samples.size() * 2);
    out.write("RIFF", 4);
    put(36 + data_bytes, 4);
    out.write("WAVEfmt ", 8);
    put(16, 4);
    put(1, 2);  // PCM
    put(1, 2);  // mono
    put(synth_rate, 4);
    put(synth_rate * 2, 4);
    put(2, 2);
    put(16, 2);
    out.write("data", 4);
    put(data_bytes, 4);
    for (float sample : sound.samples) {
        double clamped = std::max(-1.0, std::min(1.0, static_cast<double>(sample)));
        put(static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(clamped * 32767))), 2);
    }
    out.close();
    if (!out) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
