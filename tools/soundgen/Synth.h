// What the sound generator makes before encoding: mono samples at 22050 Hz,
// -1..1. Every recipe is deterministic: its randomness comes from a seed
// (the sound's name), so a build makes the same files every time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/soundgen/SoundTable.h"

namespace soundgen {

constexpr int kRate = 22050;
using Pcm = std::vector<float>;

// FNV-1a, for seeds and cache keys.
uint64_t Hash(std::string_view text, uint64_t seed = 1469598103934665603ull);

// The effect of a sound of any kind but voice and music.
Pcm MakeEffect(const Sound& sound);

// The loudest sample of a piece of music.
constexpr float kMusicPeak = 0.45f;

// A piece of music in the style ("calm", "bright", "lively", "race",
// "tense": a loop whose end runs on into its start; "sting": a phrase played
// once). The seed picks the key and the tune.
Pcm MakeMusic(const std::string& style, uint64_t seed);

// A voice's stand-in when no speech synthesizer is installed: two chimes
// whose pitches follow the text, higher for a woman's voice.
Pcm MakeChime(std::string_view text, bool female);

// Finishing touches: cut the silence at both ends, fade the ends, scale the
// loudest sample to `peak`.
void TrimSilence(Pcm& pcm, float threshold, bool leading = true);
void FadeEnds(Pcm& pcm, int fadeIn, int fadeOut);
void Normalize(Pcm& pcm, float peak);

}  // namespace soundgen
