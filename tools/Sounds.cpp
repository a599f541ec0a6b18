// Sound synthesis: filtered noise and oscillators shaped by envelopes, all from fixed seeds.
#include "Sounds.h"

#include <algorithm>
#include <cmath>

#include "PeriodicNoise.h"

namespace {

constexpr float kTwoPi = 6.2831853f;
constexpr float kDt = 1.0f / kSampleRate;

int sampleCount(float seconds) { return int(seconds * kSampleRate); }

// One-pole low-pass; the cutoff may change every sample.
class LowPass {
public:
    float run(float x, float cutoff) {
        y += (1.0f - std::exp(-kTwoPi * cutoff * kDt)) * (x - y);
        return y;
    }

private:
    float y = 0.0f;
};

// Resonant band-pass (state-variable filter).
class BandPass {
public:
    float run(float x, float centre, float damping) {
        const float f = 2.0f * std::sin(3.14159265f * centre * kDt);
        low += f * band;
        const float high = x - low - damping * band;
        band += f * high;
        return band;
    }

private:
    float low = 0.0f, band = 0.0f;
};

// Oscillator that integrates a changing frequency.
class Phase {
public:
    float advance(float frequency) {
        value += frequency * kDt;
        value -= std::floor(value);
        return value;
    }

private:
    float value = 0.0f;
};

float attackDecay(float t, float attack, float decayRate) {
    return t < attack ? t / attack : std::exp(-(t - attack) * decayRate);
}

// Sawtooth with the step smoothed over one sample, which keeps the chord free of aliasing hiss.
float softSaw(float phase, float frequency) {
    const float step = frequency * kDt;
    float v = 2.0f * phase - 1.0f;
    if (phase < step) {
        const float t = phase / step;
        v -= t + t - t * t - 1.0f;
    } else if (phase > 1.0f - step) {
        const float t = (phase - 1.0f) / step;
        v -= t * t + t + t + 1.0f;
    }
    return v;
}

// Distance: a few feedback delays smear the sound like an echo from hills.
void addEcho(std::vector<float>& s, float mix) {
    const int delays[] = {1117, 1433, 1601, 1877};
    std::vector<float> wet(s.size(), 0.0f);
    for (int delay : delays) {
        std::vector<float> line(s.size(), 0.0f);
        for (size_t i = 0; i < s.size(); ++i) {
            line[i] = s[i] + (i >= size_t(delay) ? 0.72f * line[i - delay] : 0.0f);
            wet[i] += line[i] * 0.25f;
        }
    }
    for (size_t i = 0; i < s.size(); ++i) s[i] = s[i] * (1.0f - mix) + wet[i] * mix;
}

std::vector<float> explosion() {
    std::vector<float> s(sampleCount(3.0f));
    NoiseRandom random(1);
    LowPass body, rumble, rumbleShape, sub;
    Phase thump;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = i * kDt;
        const float white = random.signedUniform();
        const float blast = body.run(white, 150.0f + 2500.0f * std::exp(-t * 6.0f)) * attackDecay(t, 0.004f, 1.8f);
        const float swell = 0.5f + 0.5f * rumbleShape.run(random.signedUniform() * 40.0f, 3.0f);
        const float tail = rumble.run(white, 110.0f) * 3.0f * swell * attackDecay(t, 0.05f, 1.1f);
        const float boom =
            std::sin(kTwoPi * thump.advance(30.0f + 45.0f * std::exp(-t * 2.0f))) * attackDecay(t, 0.01f, 2.2f);
        const float crack = white * std::exp(-t * 60.0f) * 0.5f;
        s[i] = sub.run(boom, 400.0f) * 0.9f + blast * 2.0f + tail + crack;
    }
    return s;
}

std::vector<float> hit() {
    std::vector<float> s(sampleCount(0.5f));
    NoiseRandom random(2);
    BandPass crunch;
    Phase thud;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = i * kDt;
        const float white = random.signedUniform();
        const float body =
            std::sin(kTwoPi * thud.advance(80.0f + 70.0f * std::exp(-t * 30.0f))) * attackDecay(t, 0.002f, 22.0f);
        const float grit = crunch.run(white, 1400.0f, 0.6f) * attackDecay(t, 0.001f, 35.0f);
        const float pebbles = (random.uniform() < 0.004f ? random.signedUniform() : 0.0f) * std::exp(-t * 12.0f);
        s[i] = body + grit * 0.8f + pebbles * 0.6f;
    }
    return s;
}

// Chirps of four quick pulses each; a second cricket answers further off.
float cricketVoice(float t, float start, float period, float pitch) {
    if (t < start) return 0.0f;
    const float inChirp = std::fmod(t - start, period);
    const float pulse = inChirp / 0.032f;
    if (pulse >= 4.0f) return 0.0f;
    const float shape = std::sin(3.14159265f * std::min((pulse - std::floor(pulse)) / 0.55f, 1.0f));
    const float tone = std::sin(kTwoPi * pitch * t) + 0.15f * std::sin(kTwoPi * 2.0f * pitch * t);
    return tone * shape * shape;
}

std::vector<float> cricket() {
    std::vector<float> s(sampleCount(2.0f));
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = i * kDt;
        s[i] = cricketVoice(t, 0.02f, 0.48f, 4300.0f) + 0.35f * cricketVoice(t, 0.26f, 0.53f, 4650.0f);
    }
    return s;
}

float howlPitch(float t) {
    const float rise = smoothStep(0.0f, 0.7f, t);
    const float fall = smoothStep(1.9f, 2.7f, t);
    return 390.0f + 230.0f * rise + 25.0f * smoothStep(0.7f, 1.9f, t) - 270.0f * fall;
}

std::vector<float> wolf() {
    std::vector<float> s(sampleCount(3.0f));
    NoiseRandom random(4);
    LowPass distance;
    BandPass breath;
    Phase voice;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = i * kDt;
        const float f = howlPitch(t) * (1.0f + 0.012f * std::sin(kTwoPi * 5.2f * t) * smoothStep(0.4f, 1.0f, t));
        const float p = kTwoPi * voice.advance(f);
        const float tone = std::sin(p) + 0.35f * std::sin(2.0f * p) + 0.12f * std::sin(3.0f * p);
        const float air = breath.run(random.signedUniform(), f * 2.0f, 0.3f) * 0.08f;
        const float level = smoothStep(0.0f, 0.35f, t) * (1.0f - smoothStep(2.2f, 2.75f, t));
        s[i] = distance.run((tone + air) * level, 1800.0f);
    }
    addEcho(s, 0.35f);
    return s;
}

// A roll of low rumbles, each rising slowly and dying away, as heard from miles off.
std::vector<float> thunder() {
    struct Rumble {
        float start, strength, decay;
    };
    const Rumble rumbles[] = {
        {0.05f, 0.6f, 2.2f}, {0.4f, 1.0f, 1.6f}, {1.1f, 0.7f, 1.3f}, {1.8f, 0.45f, 1.2f}, {2.6f, 0.3f, 1.5f}};
    std::vector<float> s(sampleCount(4.0f));
    NoiseRandom random(5);
    LowPass low1, low2, flutter;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = i * kDt;
        float level = 0.0f;
        for (const Rumble& r : rumbles) {
            if (t > r.start) level += r.strength * attackDecay(t - r.start, 0.15f, r.decay);
        }
        const float grain = 0.7f + 0.3f * flutter.run(random.signedUniform() * 30.0f, 8.0f);
        const float noise = low2.run(low1.run(random.signedUniform(), 260.0f), 180.0f);
        s[i] = noise * level * grain * (1.0f - smoothStep(3.6f, 4.0f, t));
    }
    return s;
}

// The intro: voices wander in a low cluster, then glide to a chord spread over six octaves of D
// while the sound swells and opens up.
std::vector<float> introChord() {
    const float targets[] = {36.71f, 73.42f,  110.0f,  146.83f, 220.0f,   293.66f, 369.99f,
                             440.0f, 587.33f, 739.99f, 880.0f,  1174.66f, 1479.98f};
    constexpr int kTargets = sizeof targets / sizeof targets[0];
    constexpr int kVoices = 26;
    struct Voice {
        float start, target, wobbleRate, wobblePhase;
        Phase phase;
    };
    NoiseRandom random(6);
    Voice voices[kVoices];
    for (int v = 0; v < kVoices; ++v) {
        voices[v].start = 180.0f + 200.0f * random.uniform();
        voices[v].target = targets[v % kTargets] * (1.0f + 0.004f * random.signedUniform());
        voices[v].wobbleRate = 0.3f + 0.6f * random.uniform();
        voices[v].wobblePhase = kTwoPi * random.uniform();
    }
    std::vector<float> s(sampleCount(9.0f));
    LowPass tone;
    for (size_t i = 0; i < s.size(); ++i) {
        const float t = i * kDt;
        const float glide = smoothStep(2.5f, 6.0f, t);
        float sum = 0.0f;
        for (Voice& v : voices) {
            const float wander = v.start * (1.0f + 0.08f * std::sin(kTwoPi * v.wobbleRate * t + v.wobblePhase));
            const float f = wander * std::pow(v.target / wander, glide);
            sum += softSaw(v.phase.advance(f), f);
        }
        const float level = (0.25f + 0.75f * smoothStep(1.0f, 6.5f, t)) * smoothStep(0.0f, 0.8f, t) *
                            (1.0f - smoothStep(7.8f, 9.0f, t));
        s[i] = tone.run(sum * level, 500.0f + 6500.0f * smoothStep(2.0f, 6.5f, t));
    }
    return s;
}

// Loudness of the loud part: the RMS of the 50 ms window that 90 % of windows stay below.
float loudness(const std::vector<float>& s) {
    const size_t window = kSampleRate / 20;
    std::vector<float> levels;
    for (size_t start = 0; start + window <= s.size(); start += window) {
        float sum = 0.0f;
        for (size_t i = start; i < start + window; ++i) sum += s[i] * s[i];
        levels.push_back(std::sqrt(sum / window));
    }
    std::sort(levels.begin(), levels.end());
    return levels[levels.size() * 9 / 10];
}

constexpr float kTargetLoudness = 0.2f;  // about -14 dB below full scale
constexpr float kPeakLimit = 0.89f;      // -1 dB headroom
constexpr float kEdgeFade = 0.005f;      // seconds, to start and stop without a click

}  // namespace

const SoundFile kSoundFiles[kSoundCount] = {
    {"explosion.wav", explosion}, {"hit.wav", hit},          {"cricket2.wav", cricket},
    {"wolf2.wav", wolf},          {"ethunder.wav", thunder}, {"thx2.wav", introChord},
};

std::vector<float> normalisedSound(const SoundFile& sound) {
    std::vector<float> s = sound.make();
    float peak = 0.0f;
    for (float v : s) peak = std::max(peak, std::fabs(v));
    const float gain = std::min(kTargetLoudness / loudness(s), kPeakLimit / peak);
    const int fade = sampleCount(kEdgeFade);
    for (size_t i = 0; i < s.size(); ++i) {
        const float edge = std::min({1.0f, float(i) / fade, float(s.size() - 1 - i) / fade});
        s[i] *= gain * edge;
    }
    return s;
}
