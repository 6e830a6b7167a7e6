// Voices from espeak-ng's Mandarin voice (Debian's espeak-ng), run as a
// program at build time. Its output is kept in a cache folder keyed by the
// synthesizer's version, the voice and the text, so a later build that needs
// the same words does not run it again.
#pragma once

#include <string>

#include "tools/soundgen/Synth.h"

namespace soundgen {

class Speech {
 public:
  // Looks for the program (on PATH, or the one given) and its Mandarin voice.
  explicit Speech(const std::string& program = "espeak-ng");
  bool Available() const { return !m_version.empty(); }
  // Names the synthesizer and its version; part of every voice's key.
  const std::string& Version() const { return m_version; }

  // The text spoken by a man or a woman, at 22050 Hz, from the cache or made
  // there; false when the synthesizer failed.
  bool Say(const std::string& text, bool female, const std::string& cacheDir, Pcm& out) const;

 private:
  std::string m_program;
  std::string m_version;
};

// Mono 16-bit PCM WAV at 22050 Hz (what espeak-ng writes); false otherwise.
bool ReadWav(const std::string& path, Pcm& out);

}  // namespace soundgen
