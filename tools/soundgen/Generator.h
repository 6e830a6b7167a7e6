// Writes the sounds of the table into the resource folder, incrementally:
// a manifest beside them (.soundgen-stamp) keeps each file's key (its row,
// the generator's build and, for voices, the synthesizer), and a file whose
// key has not changed is not made again. Files of rows that are gone are
// removed.
#pragma once

#include <string>
#include <vector>

#include "tools/soundgen/Speech.h"
#include "tools/soundgen/SoundTable.h"

namespace soundgen {

struct GenerateOptions {
  std::string outDir;
  std::string cacheDir;  // the synthesizer's output, kept between builds
  std::string toolId;    // changes when the generator does
  int threads = 1;
};

struct GenerateReport {
  int made = 0;     // files written by this run
  int kept = 0;     // files already up to date
  int removed = 0;  // files of rows that are gone
  int chimes = 0;   // voices made as chimes (no synthesizer, or it failed)
  long long bytes = 0;  // all the table's files together
  std::vector<std::string> errors;
};

GenerateReport Generate(const SoundTable& table, const Speech& speech, const GenerateOptions& options);

// The samples of one sound, levelled by its family (Level.h); `chimed`
// tells that a voice is a stand-in.
Pcm MakeSound(const Sound& sound, const Speech& speech, const std::string& cacheDir, bool& chimed);

// The file of a sound: Ogg Vorbis whose decoded samples stay under the
// ceiling of its family; false when it cannot be made.
bool EncodeSound(const Sound& sound, Pcm pcm, std::string& bytes);

// What the file of a sound depends on.
std::string SoundKey(const Sound& sound, const Speech& speech, const std::string& toolId);

}  // namespace soundgen
