// What the sound generator makes before encoding: mono samples at 22050 Hz,
// of any level (the generator levels them by their family, Level.h). Every
// recipe is deterministic: its randomness comes from a seed (the sound's
// name), so a build makes the same files every time.
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

// A piece of music in the style ("calm", "bright", "lively", "race",
// "tense": a loop whose end runs on into its start; "sting": a phrase played
// once). The seed picks the key and the tune.
Pcm MakeMusic(const std::string& style, uint64_t seed);
// Whether the sound goes round: its end runs into its start.
bool IsLoop(const Sound& sound);

// A voice's stand-in when no speech synthesizer is installed: two chimes
// whose pitches follow the text, higher for a woman's voice.
Pcm MakeChime(std::string_view text, bool female);

// Finishing touches: cut the silence at both ends, fade the ends.
void TrimSilence(Pcm& pcm, float threshold, bool leading = true);
void FadeEnds(Pcm& pcm, int fadeIn, int fadeOut);

}  // namespace soundgen
