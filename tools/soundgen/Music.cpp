// Background music: an eight-bar tune on the pentatonic scale over a chord
// progression, with bass, chords, an arpeggio and a little percussion as the
// style asks. Phrases follow the shape of a song (a motif, its answer, a
// half close, a contrasting pair, the motif again and a full close), and a
// loop's last notes ring on into its first bar so it goes round seamlessly.
#include <cmath>
#include <string>
#include <vector>

#include "tools/soundgen/Dsp.h"
#include "tools/soundgen/Synth.h"

namespace soundgen {
namespace {

enum Lead { kPluck, kPluckBell, kBrass };
enum Bass { kHalves, kQuarters, kRootFifth, kDriving };
enum Drums { kNoDrums, kBackBeatBlock, kBlocks, kKit, kToms };

struct Style {
  const char* name;
  float tempo;
  int bars;
  int chords[8];  // degrees of the major scale, one a bar (0 = I, 5 = vi)
  bool minor;     // the tune closes on vi (the yu mode) instead of I
  Lead lead;
  Bass bass;
  Drums drums;
  bool pad, arpeggio;
  float reverb;
  bool loop;
  std::vector<std::vector<int>> rhythms;  // a bar of the tune, in eighths
};

const Style kStyles[] = {
    {"calm", 80, 8, {0, 5, 3, 4, 0, 5, 4, 0}, false, kPluck, kHalves, kNoDrums, true, true, 0.3f, true,
     {{4, 4}, {4, 2, 2}, {2, 2, 4}, {6, 2}, {3, 1, 4}}},
    {"bright", 100, 8, {0, 4, 5, 3, 0, 4, 3, 0}, false, kPluckBell, kQuarters, kBackBeatBlock, true, true, 0.22f, true,
     {{2, 2, 2, 2}, {3, 1, 2, 2}, {4, 2, 2}, {2, 2, 4}, {3, 1, 4}}},
    {"lively", 118, 8, {0, 3, 4, 0, 5, 3, 4, 0}, false, kPluck, kRootFifth, kBlocks, true, false, 0.18f, true,
     {{2, 2, 2, 2}, {2, 1, 1, 2, 2}, {1, 1, 2, 1, 1, 2}, {3, 1, 2, 2}, {2, 2, 1, 1, 2}}},
    {"race", 144, 16, {0, 0, 3, 4, 0, 0, 4, 0}, false, kBrass, kDriving, kKit, false, false, 0.12f, true,
     {{2, 2, 2, 2}, {1, 1, 2, 2, 2}, {2, 1, 1, 2, 2}, {3, 1, 2, 2}, {4, 2, 2}}},
    {"tense", 108, 8, {5, 3, 4, 5, 5, 3, 2, 5}, true, kPluck, kDriving, kToms, true, false, 0.2f, true,
     {{2, 2, 2, 2}, {3, 1, 2, 2}, {1, 1, 2, 2, 2}, {2, 2, 4}}},
    {"sting", 132, 2, {0, 4, 0, 0, 0, 0, 0, 0}, false, kBrass, kDriving, kKit, false, false, 0.15f, false,
     {{1, 1, 2, 1, 1, 2}, {2, 2, 2, 2}}},
};

constexpr int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};
constexpr int kPentatonic[5] = {0, 2, 4, 7, 9};

int Mod12(int v) { return ((v % 12) + 12) % 12; }

// Pitch classes (from the key) of the triad on a degree.
std::vector<int> ChordClasses(int degree) {
  return {kMajor[degree % 7], kMajor[(degree + 2) % 7], kMajor[(degree + 4) % 7]};
}

struct TuneNote {
  int start, length;  // eighths from the bar's start
  int pitch;          // MIDI note
};

// Writes a bar of the tune: strong eighths land on a tone of the chord near
// the line, the others step along the scale; a closing bar ends on a long
// `closing` pitch class.
class TuneWriter {
 public:
  TuneWriter(int key, Rng& rng) : m_rng(rng) {
    for (int n = key + 12; n <= key + 31; ++n)
      for (int p : kPentatonic)
        if (Mod12(n - key) == p) m_pitches.push_back(n);
    m_key = key;
    m_at = static_cast<int>(m_pitches.size()) / 2;
  }
  int Cursor() const { return m_at; }
  void SetCursor(int at) { m_at = std::min(std::max(at, 0), static_cast<int>(m_pitches.size()) - 1); }

  std::vector<TuneNote> Bar(const std::vector<int>& rhythm, int degree, int closing = -1) {
    std::vector<TuneNote> notes;
    const std::vector<int> chord = ChordClasses(degree);
    int pos = 0;
    for (size_t i = 0; i < rhythm.size(); ++i) {
      const bool last = i + 1 == rhythm.size();
      if (last && closing >= 0) {
        NearestOf({closing});
      } else if (pos % 4 == 0) {
        NearestOf(chord);
      } else {
        static const int kSteps[] = {-2, -1, -1, 1, 1, 2};
        int step = kSteps[m_rng.Below(6)];
        // Lean back towards the middle of the range.
        if (m_at > static_cast<int>(m_pitches.size()) * 3 / 4) step = -std::abs(step);
        if (m_at < static_cast<int>(m_pitches.size()) / 4) step = std::abs(step);
        SetCursor(m_at + step);
      }
      notes.push_back({pos, rhythm[i], m_pitches[m_at]});
      pos += rhythm[i];
    }
    return notes;
  }

 private:
  void NearestOf(const std::vector<int>& classes) {
    int best = m_at, distance = 1 << 20;
    for (int i = 0; i < static_cast<int>(m_pitches.size()); ++i) {
      bool member = false;
      for (int c : classes) member = member || Mod12(m_pitches[i] - m_key) == c;
      const int d = std::abs(i - m_at) * 2 + (i > m_at ? 1 : 0);
      if (member && d < distance) best = i, distance = d;
    }
    m_at = best;
  }

  Rng& m_rng;
  std::vector<int> m_pitches;
  int m_key = 60, m_at = 0;
};

// Places a pitch class in the octave that starts at `low`.
int Place(int key, int pitchClass, int low) {
  int n = key + pitchClass;
  while (n < low) n += 12;
  while (n >= low + 12) n -= 12;
  return n;
}

class Score {
 public:
  Score(const Style& style, uint64_t seed)
      : m_style(style), m_rng(seed), m_eighth(60.0 / style.tempo / 2 * kRate) {
    m_key = 55 + m_rng.Below(8);
    const size_t length = static_cast<size_t>(m_eighth * 8 * style.bars + 0.5);
    m_out.assign(length, 0.0f);
  }

  Pcm Render() {
    WriteTune();
    for (int bar = 0; bar < m_style.bars; ++bar) {
      const int degree = m_style.chords[bar % 8];
      if (m_style.pad) Pad(bar, degree);
      if (m_style.arpeggio) Arpeggio(bar, degree);
      BassLine(bar, degree);
      Percussion(bar);
    }
    if (!m_style.loop) Close();
    Reverb(m_out, m_style.reverb, m_style.loop);
    if (!m_style.loop) FadeEnds(m_out, 0, static_cast<int>(Samples(0.3f)));
    return m_out;
  }

 private:
  // A loop's file starts half an eighth before its first beat: where it
  // goes round no note starts, the notes of its last beat only ring on, and
  // a seam that is not seamless stands out.
  size_t At(int bar, float eighth) const {
    const double lead = m_style.loop ? 0.5 : 0.0;
    return static_cast<size_t>((bar * 8 + eighth + lead) * m_eighth + 0.5);
  }
  float Seconds(float eighths) const { return static_cast<float>(eighths * m_eighth / kRate); }
  void Put(const Pcm& note, size_t at, float gain) { MixInto(m_out, note, at, gain, m_style.loop); }

  const std::vector<int>& AnyRhythm() { return m_style.rhythms[m_rng.Below(static_cast<int>(m_style.rhythms.size()))]; }

  // The tune, phrase by phrase: A A' (half close) B B' A (full close).
  void WriteTune() {
    TuneWriter tune(m_key, m_rng);
    const int home = m_style.minor ? 9 : 0;
    const std::vector<int> motif = AnyRhythm();
    const int motifStart = tune.Cursor();
    for (int bar = 0; bar < m_style.bars; ++bar) {
      const int degree = m_style.chords[bar % 8];
      const int phrase = bar % 8;
      std::vector<TuneNote> notes;
      if (m_style.bars < 8) {  // a sting: a run up and a held close
        notes = tune.Bar(AnyRhythm(), degree, bar + 1 == m_style.bars ? home : -1);
      } else if (phrase == 0 || phrase == 2 || phrase == 6) {
        tune.SetCursor(motifStart + (phrase == 2 ? 1 : 0));
        notes = tune.Bar(motif, degree);
      } else if (phrase == 3) {
        notes = tune.Bar({2, 2, 4}, degree, ChordClasses(degree)[0]);
      } else if (phrase == 7) {
        notes = tune.Bar({2, 2, 4}, degree, home);
      } else {
        if (phrase == 4) tune.SetCursor(tune.Cursor() + 2);
        notes = tune.Bar(AnyRhythm(), degree);
      }
      for (const TuneNote& n : notes) LeadNote(bar, n);
    }
  }

  void LeadNote(int bar, const TuneNote& n) {
    const float hz = MidiHz(static_cast<float>(n.pitch));
    const float seconds = Seconds(static_cast<float>(n.length));
    switch (m_style.lead) {
      case kPluck: Put(Pluck(hz, seconds + 0.6f, m_rng, 0.65f, 0.997f), At(bar, n.start), 0.5f); break;
      case kPluckBell:
        Put(Pluck(hz, seconds + 0.5f, m_rng, 0.6f, 0.997f), At(bar, n.start), 0.4f);
        Put(Bell(hz * 2, seconds + 0.6f, 0.35f, 2.0f), At(bar, n.start), 0.08f);
        break;
      case kBrass:
        Put(Tone(hz, seconds * 0.9f, {1.0f, 0.55f, 0.4f, 0.25f, 0.15f, 0.08f}, 0.02f, 0, 0.05f, 0.003f),
            At(bar, n.start), 0.22f);
        break;
    }
  }

  void Pad(int bar, int degree) {
    for (int pc : ChordClasses(degree)) {
      const float hz = MidiHz(static_cast<float>(Place(m_key, pc, m_key - 3)));
      const float seconds = Seconds(8) + 0.35f;
      for (float detune : {0.997f, 1.003f})
        Put(Tone(hz * detune, seconds, {1.0f, 0.4f, 0.2f, 0.08f}, 0.25f, 0, 0.35f), At(bar, 0), 0.035f);
    }
  }

  void Arpeggio(int bar, int degree) {
    const std::vector<int> chord = ChordClasses(degree);
    const int low = m_key;
    const int order[8] = {0, 1, 2, 3, 2, 1, 0, 1};
    for (int e = 0; e < 8; ++e) {
      const int i = order[e];
      const int pitch = i == 3 ? Place(m_key, chord[0], low) + 12 : Place(m_key, chord[i], low);
      Put(Pluck(MidiHz(static_cast<float>(pitch)), Seconds(2) + 0.3f, m_rng, 0.4f, 0.995f), At(bar, e), 0.14f);
    }
  }

  void BassLine(int bar, int degree) {
    const int root = Place(m_key, kMajor[degree % 7], m_key - 24 + 4);
    const int fifth = root + 7;
    auto note = [&](int pitch, float eighth, float length) {
      const float hz = MidiHz(static_cast<float>(pitch));
      Pcm n = Pluck(hz, Seconds(length) + 0.2f, m_rng, 0.25f, 0.998f);
      MixInto(n, Tone(hz, Seconds(length) + 0.1f, {1.0f, 0.25f}, 0.005f, 0.35f, 0.08f), 0, 0.5f);
      Put(n, At(bar, eighth), 0.45f);
    };
    switch (m_style.bass) {
      case kHalves: note(root, 0, 4), note(root, 4, 4); break;
      case kQuarters: note(root, 0, 2), note(root, 2, 2), note(fifth, 4, 2), note(root, 6, 2); break;
      case kRootFifth: note(root, 0, 3), note(fifth, 3, 1), note(root, 4, 2), note(fifth, 6, 2); break;
      case kDriving:
        for (int e = 0; e < 8; ++e) note(e == 6 ? fifth : root, static_cast<float>(e), 1);
        break;
    }
  }

  void Percussion(int bar) {
    auto block = [&](float eighth, float gain) {
      Pcm b = Tone(1150, 0.08f, {1.0f, 0.0f, 0.3f}, 0.0005f, 0.016f);
      Put(b, At(bar, eighth), gain);
    };
    auto kick = [&](float eighth) { Put(Thump(150, 50, 0.25f, 0.08f), At(bar, eighth), 0.5f); };
    auto snare = [&](float eighth) {
      Pcm s = NoiseHit(0.15f, Biquad::Type::BandPass, 1800, 0.8f, 0.045f, m_rng);
      MixInto(s, Thump(220, 160, 0.08f, 0.03f), 0, 0.5f);
      Put(s, At(bar, eighth), 0.35f);
    };
    auto hat = [&](float eighth, float gain) {
      Put(NoiseHit(0.04f, Biquad::Type::HighPass, 6500, 0.7f, 0.01f, m_rng), At(bar, eighth), gain);
    };
    switch (m_style.drums) {
      case kNoDrums: break;
      case kBackBeatBlock: block(2, 0.12f), block(6, 0.12f); break;
      case kBlocks:
        for (int e = 0; e < 8; ++e) block(static_cast<float>(e), e % 2 ? 0.05f : 0.1f);
        Put(Thump(140, 70, 0.3f, 0.1f), At(bar, 0), 0.3f);
        break;
      case kKit:
        kick(0), kick(4), snare(2), snare(6);
        for (int e = 0; e < 8; ++e) hat(static_cast<float>(e), e % 2 ? 0.06f : 0.1f);
        break;
      case kToms:
        Put(Thump(110, 70, 0.35f, 0.12f), At(bar, 0), 0.4f);
        Put(Thump(110, 70, 0.35f, 0.12f), At(bar, 4), 0.3f);
        block(6, 0.08f), block(7, 0.06f);
        break;
    }
  }

  // A phrase played once ends on the home chord, held.
  void Close() {
    const int bar = m_style.bars;
    for (int pc : ChordClasses(m_style.minor ? 5 : 0)) {
      const float hz = MidiHz(static_cast<float>(Place(m_key, pc, m_key + 7)));
      Put(Tone(hz, 1.4f, {1.0f, 0.55f, 0.4f, 0.25f, 0.15f}, 0.02f, 0.6f, 0.3f, 0.004f), At(bar, 0), 0.2f);
    }
    Put(Thump(150, 50, 0.3f, 0.1f), At(bar, 0), 0.5f);
  }

  const Style& m_style;
  Rng m_rng;
  double m_eighth;  // samples
  int m_key = 60;
  Pcm m_out;
};

}  // namespace

Pcm MakeMusic(const std::string& style, uint64_t seed) {
  for (const Style& s : kStyles)
    if (style == s.name) return Score(s, seed).Render();
  return Pcm();
}

bool IsLoop(const Sound& sound) {
  if (sound.kind != Kind::Music) return false;
  for (const Style& s : kStyles)
    if (sound.param == s.name) return s.loop;
  return false;
}

}  // namespace soundgen
