// How loud the sounds are: the measure the generator levels them by, and
// the loudness each family of sounds is levelled to.
//
// Sounds are levelled by loudness, not by peak: a square-like beep and a
// breathy voice with the same peak differ by 10 dB to the ear. Each family
// sits at its own loudness (the warnings at the voices', the other effects
// a little under them, the music well under all), and every file's peak is
// kept under a ceiling that leaves room for the sounds heard together.
#pragma once

#include <cstddef>

#include "tools/soundgen/SoundTable.h"
#include "tools/soundgen/Synth.h"

namespace soundgen {

enum class Family { Voice, Warning, Effect, Music };

Family FamilyOf(const Sound& sound);
const char* FamilyName(Family family);

// Silence, in the dB figures below.
constexpr float kSilentDb = -120.0f;

// The loudness of a mono signal in dB of full scale: the mean power of its
// active part, weighted as the ear hears (the K curve: low frequencies
// count less, the presence band a little more). Blocks of 20 ms every
// 10 ms; blocks more than 10 dB under the mean of the audible ones (over
// -70 dB) are gaps and tails, and do not count. A full-scale sine of 1 kHz
// reads about -3 dB.
float LoudnessDb(const float* samples, size_t count, int rate);
inline float LoudnessDb(const Pcm& pcm) { return LoudnessDb(pcm.data(), pcm.size(), kRate); }
float PeakDb(const Pcm& pcm);

struct LevelTarget {
  float loudnessDb;  // what the sound is levelled to
  float peakDb;      // the ceiling of its samples (decoded), which may hold it under its loudness
};
LevelTarget TargetOf(const Sound& sound);

// Scales the sound to the target's loudness, or less where its peak would
// pass the ceiling; the gain applied.
float LevelTo(Pcm& pcm, const LevelTarget& target);

// The ringing strike of a warning that starts again on every frame sounds
// as this many copies at once.
constexpr int kStrikeCopies = 3;

}  // namespace soundgen
